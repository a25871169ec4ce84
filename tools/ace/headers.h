// The headers of an ACE archive. Every header starts with its check (low 16
// bits of the archiver's CRC-32 over the rest of the header from the type
// byte on) and its size (from the type byte on), then type and flags. Numbers
// are little-endian.
#pragma once

#include "byte_input.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace q32::ace {

namespace header_type {
constexpr std::uint8_t kMain = 0;
constexpr std::uint8_t kFile32 = 1;
constexpr std::uint8_t kFile64 = 3;
}  // namespace header_type

namespace header_flag {
constexpr std::uint16_t kAddSize = 0x0001;     // a data size follows the flags
constexpr std::uint16_t k64Bit = 0x0004;       // sizes are 64-bit
constexpr std::uint16_t kMultiVolume = 0x0800; // main header
constexpr std::uint16_t kSolid = 0x8000;
constexpr std::uint16_t kContinuedFromPrevious = 0x1000;  // file header
constexpr std::uint16_t kContinuesInNext = 0x2000;        // file header
constexpr std::uint16_t kPassword = 0x4000;               // file header
}  // namespace header_flag

namespace method {
constexpr std::uint8_t kStored = 0;
constexpr std::uint8_t kLz77 = 1;
constexpr std::uint8_t kBlocked = 2;  // ACE 2.0
}  // namespace method

constexpr std::uint32_t kFolderAttribute = 0x10;
constexpr char kSignature[] = "**ACE**";

struct MainHeader {
    std::uint16_t flags = 0;
    std::uint8_t extractVersion = 0;
    std::uint8_t creatorVersion = 0;
    std::uint8_t host = 0;
    std::uint8_t volumeNumber = 0;
};

struct FileHeader {
    std::uint16_t flags = 0;
    std::uint64_t packedSize = 0;
    std::uint64_t size = 0;
    std::uint32_t dosTime = 0;
    std::uint32_t attributes = 0;
    std::uint32_t crc = 0;
    std::uint8_t method = 0;
    std::uint8_t quality = 0;
    std::uint16_t parameters = 0;
    std::string name;  // as stored: the archive's character set, "\" between folders

    bool has(std::uint16_t flag) const { return (flags & flag) != 0; }
    bool isFolder() const { return (attributes & kFolderAttribute) != 0; }
};

// A header's bytes from its type byte on, its check verified.
struct RawHeader {
    std::vector<std::uint8_t> body;
    std::uint8_t type() const { return body[0]; }
    std::uint16_t flags() const { return static_cast<std::uint16_t>(body[1] | (body[2] << 8)); }
};

// The next header of a volume; nothing at the clean end of the volume.
// Throws AceError when the header is cut short or fails its check; `where`
// names the volume in messages.
std::optional<RawHeader> readHeader(ByteInput& input, const std::string& where);

// The main header at the start of a volume; throws AceError when the volume
// does not start with one.
MainHeader readMainHeader(ByteInput& input, const std::string& where);

MainHeader parseMainHeader(const RawHeader& header, const std::string& where);
FileHeader parseFileHeader(const RawHeader& header, const std::string& where);

// The size of the data that follows a header of another kind (recovery
// records and the like), so that it can be skipped.
std::uint64_t trailingDataSize(const RawHeader& header, const std::string& where);

}  // namespace q32::ace
