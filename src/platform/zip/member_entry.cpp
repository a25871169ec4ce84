#include "platform/zip/member_entry.h"

#include <sys/stat.h>

namespace q32::zip {

namespace {

constexpr std::uint8_t UnixHost = 3;
constexpr std::uint32_t DosDirectoryAttribute = 0x10;

std::optional<unsigned> unixMode(const MemberEntry& entry) {
    const unsigned mode = entry.externalAttributes >> 16;
    if (entry.madeByHost != UnixHost || mode == 0) return std::nullopt;
    return mode;
}

}  // namespace

bool MemberEntry::isDirectory() const {
    if (nameEndsWithSeparator) return true;
    if (auto mode = unixMode(*this)) return S_ISDIR(*mode);
    return (externalAttributes & DosDirectoryAttribute) != 0 && size == 0;
}

bool MemberEntry::markedAsFolder() const {
    return isDirectory() || (externalAttributes & DosDirectoryAttribute) != 0;
}

bool MemberEntry::isSpecialFile() const {
    auto mode = unixMode(*this);
    if (!mode || (*mode & S_IFMT) == 0) return false;
    return !S_ISREG(*mode) && !S_ISDIR(*mode);
}

std::optional<unsigned> MemberEntry::unixPermissions() const {
    auto mode = unixMode(*this);
    if (!mode) return std::nullopt;
    return *mode & 0777u;
}

}  // namespace q32::zip
