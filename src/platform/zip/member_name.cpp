#include "platform/zip/member_name.h"

#include <isa-l/crc.h>

#include <cstdint>
#include <optional>

#include "common/cp437.h"
#include "platform/zip/archive_file.h"

namespace q32::zip {

namespace {

constexpr std::uint16_t Utf8Flag = 0x0800;
constexpr std::uint16_t UnicodePathId = 0x7075;

using Bytes = std::basic_string_view<unsigned char>;

// The UTF-8 name of a Unicode Path field (version 1, the CRC-32 of the
// stored name, the name), when it belongs to this stored name.
std::optional<std::string> unicodePath(Bytes extra, std::string_view stored) {
    std::size_t at = 0;
    while (at + 4 <= extra.size()) {
        const std::uint16_t id = le16(extra.data() + at);
        const std::uint16_t size = le16(extra.data() + at + 2);
        at += 4;
        if (at + size > extra.size()) return std::nullopt;
        if (id == UnicodePathId && size >= 5 && extra[at] == 1) {
            const auto* bytes = reinterpret_cast<const unsigned char*>(stored.data());
            if (le32(extra.data() + at + 1) != crc32_gzip_refl(0, bytes, stored.size())) return std::nullopt;
            std::string name(reinterpret_cast<const char*>(extra.data() + at + 5), size - 5);
            if (name.empty() || !isValidUtf8(name)) return std::nullopt;
            return name;
        }
        at += size;
    }
    return std::nullopt;
}

}  // namespace

std::string decodedMemberName(std::string_view stored, std::uint16_t flags, Bytes extra) {
    if ((flags & Utf8Flag) != 0 && isValidUtf8(stored)) return std::string(stored);
    if (auto name = unicodePath(extra, stored)) return *name;
    return cp437ToUtf8(stored);
}

}  // namespace q32::zip
