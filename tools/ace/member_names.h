// Member names as stored in an archive, turned into paths under the
// destination folder.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace q32::ace {

// The archive's character set follows the system it was made on: the OEM
// code page (437) for DOS, OS/2 and Windows; UTF-8 (or failing that the OEM
// code page) for the others.
std::string nameToUtf8(std::string_view name, std::uint8_t host);

// The path below the destination that a stored name gives: parts joined by
// "/", empty and "." parts dropped, a NUL ending the name. Nothing when the
// name would lead outside the destination (absolute, a drive, a ".." part)
// or names nothing at all.
std::optional<std::string> destinationPath(std::string_view storedName, std::uint8_t host);

}  // namespace q32::ace
