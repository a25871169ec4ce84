#include "platform/zip/extra_fields.h"
#include "platform/zip/zip_records.h"

#include "platform/zip/archive_file.h"

namespace q32::zip {

namespace {

using records::Wide32;
constexpr std::uint16_t Zip64Id = 0x0001;
constexpr std::uint16_t NtfsId = 0x000a;
constexpr std::uint16_t UnixTimeId = 0x5455;
constexpr std::uint16_t AesId = 0x9901;
// 100 ns ticks between 1601-01-01 and 1970-01-01.
constexpr std::uint64_t NtfsEpochTicks = 116444736000000000ull;

using Bytes = std::basic_string_view<unsigned char>;

// Zip64 values are present, in this order, only for fields that overflowed.
void applyZip64(Bytes data, MemberEntry& entry) {
    std::size_t at = 0;
    auto take = [&](std::uint64_t& field) {
        if (at + 8 > data.size()) return;
        field = le64(data.data() + at);
        at += 8;
    };
    if (entry.size == Wide32) take(entry.size);
    if (entry.compressedSize == Wide32) take(entry.compressedSize);
    if (entry.headerOffset == Wide32) take(entry.headerOffset);
}

void applyUnixTime(Bytes data, MemberEntry& entry) {
    if (data.size() < 5 || (data[0] & 1) == 0) return;
    entry.unixTime = static_cast<std::int32_t>(le32(data.data() + 1));
}

void applyNtfsTime(Bytes data, MemberEntry& entry) {
    std::size_t at = 4;  // reserved
    while (at + 4 <= data.size()) {
        const std::uint16_t tag = le16(data.data() + at);
        const std::uint16_t size = le16(data.data() + at + 2);
        at += 4;
        if (at + size > data.size()) return;
        if (tag == 1 && size >= 8) {
            const std::uint64_t ticks = le64(data.data() + at);
            if (ticks >= NtfsEpochTicks) entry.unixTime = static_cast<std::int64_t>((ticks - NtfsEpochTicks) / 10000000);
            return;
        }
        at += size;
    }
}

// WinZip AES: vendor version (AE-1 or AE-2), vendor "AE", key strength and
// the real method. Only a member of method 99 has one that counts.
void applyAes(Bytes data, MemberEntry& entry) {
    if (entry.method != method::Aes || data.size() < 7) return;
    const std::uint16_t version = le16(data.data());
    const std::uint8_t strength = data[4];
    if (version < 1 || version > 2 || data[2] != 'A' || data[3] != 'E' || strength < 1 || strength > 3) return;
    entry.aesVersion = static_cast<std::uint8_t>(version);
    entry.aesStrength = strength;
    entry.method = le16(data.data() + 5);
}

}  // namespace

void applyExtraFields(Bytes extra, MemberEntry& entry) {
    std::size_t at = 0;
    bool haveUnixTime = false;
    while (at + 4 <= extra.size()) {
        const std::uint16_t id = le16(extra.data() + at);
        const std::uint16_t size = le16(extra.data() + at + 2);
        at += 4;
        if (at + size > extra.size()) return;
        const Bytes data = extra.substr(at, size);
        if (id == Zip64Id) applyZip64(data, entry);
        if (id == UnixTimeId) {
            applyUnixTime(data, entry);
            haveUnixTime = entry.unixTime.has_value();
        }
        if (id == NtfsId && !haveUnixTime) applyNtfsTime(data, entry);
        if (id == AesId) applyAes(data, entry);
        at += size;
    }
}

}  // namespace q32::zip
