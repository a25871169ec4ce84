// One member as the archive's central directory describes it.
#pragma once

#include <cstdint>
#include <optional>

namespace q32::zip {

namespace method {
inline constexpr std::uint16_t Stored = 0;
inline constexpr std::uint16_t Deflated = 8;
inline constexpr std::uint16_t Aes = 99;
}  // namespace method

inline constexpr std::uint16_t StrongEncryptionFlag = 0x0040;

// Kept small: an archive of many members holds one per member in memory.
struct MemberEntry {
    std::uint64_t compressedSize = 0;
    std::uint64_t size = 0;
    std::uint64_t headerOffset = 0;  // local header, from the start of the file
    std::optional<std::int64_t> unixTime;  // modification time from an extra field
    std::size_t nameOffset = 0;  // the decoded (UTF-8) name, in ZipDirectory::names
    std::uint32_t crc = 0;
    std::uint32_t dosDateTime = 0;  // date in the high half, time in the low half
    std::uint32_t externalAttributes = 0;
    std::uint32_t nameLength = 0;
    std::uint16_t method = method::Stored;
    std::uint16_t flags = 0;
    std::uint8_t madeByHost = 0;  // 3 is Unix
    bool nameEndsWithSeparator = false;  // "/" or "\" last: a folder
    // WinZip AES, from its extra field: 1, 2 or 3 for 128, 192 or 256-bit
    // keys (0 when the member is not so encrypted), and 1 for AE-1 (the CRC
    // is checked) or 2 for AE-2 (it is not). `method` is then the real method.
    std::uint8_t aesStrength = 0;
    std::uint8_t aesVersion = 0;

    bool encrypted() const {
        return (flags & 0x0001) != 0 || (flags & StrongEncryptionFlag) != 0 || method == method::Aes ||
               aesStrength != 0;
    }
    // PKWARE's own strong encryption, which the engine does not read.
    bool strongEncryption() const { return (flags & StrongEncryptionFlag) != 0; }
    bool isDirectory() const;
    // Any mark of a folder: the name, the Unix mode or the DOS attribute
    // (a member with that attribute and data is still extracted as a file).
    bool markedAsFolder() const;
    // Symbolic links, devices, pipes: anything that is neither a file nor a folder.
    bool isSpecialFile() const;
    // Permission bits (rwx only) when the member was made on Unix.
    std::optional<unsigned> unixPermissions() const;
};

}  // namespace q32::zip
