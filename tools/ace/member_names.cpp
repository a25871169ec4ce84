#include "member_names.h"

#include <vector>

#include "common/cp437.h"

namespace q32::ace {
namespace {

// Hosts whose archivers store names in the OEM code page.
constexpr std::uint8_t kHostMsDos = 0;
constexpr std::uint8_t kHostOs2 = 1;
constexpr std::uint8_t kHostWin32 = 2;
constexpr std::uint8_t kHostWinNt = 5;

std::size_t utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// Well-formed enough to be used as a file name: lead bytes followed by the
// right number of continuation bytes.
bool isUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        const std::size_t length = utf8SequenceLength(lead);
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        }
        i += length;
    }
    return true;
}

bool usesOemNames(std::uint8_t host) {
    return host == kHostMsDos || host == kHostOs2 || host == kHostWin32 || host == kHostWinNt;
}

std::vector<std::string_view> splitParts(std::string_view name) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= name.size(); ++i) {
        if (i == name.size() || name[i] == '\\' || name[i] == '/') {
            parts.push_back(name.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

bool isDrive(std::string_view part) {
    return part.find(':') != std::string_view::npos;
}

}  // namespace

std::string nameToUtf8(std::string_view name, std::uint8_t host) {
    if (!usesOemNames(host) && isUtf8(name))
        return std::string(name);
    return cp437ToUtf8(name);
}

std::optional<std::string> destinationPath(std::string_view storedName, std::uint8_t host) {
    const std::size_t end = storedName.find('\0');
    if (end != std::string_view::npos)
        storedName = storedName.substr(0, end);
    const std::vector<std::string_view> parts = splitParts(storedName);
    if (parts.front().empty() && parts.size() > 1)
        return std::nullopt;  // starts at the root
    if (isDrive(parts.front()))
        return std::nullopt;
    std::string path;
    for (std::string_view part : parts) {
        if (part == "..")
            return std::nullopt;
        if (part.empty() || part == ".")
            continue;
        if (!path.empty())
            path += '/';
        path += nameToUtf8(part, host);
    }
    if (path.empty())
        return std::nullopt;
    return path;
}

}  // namespace q32::ace
