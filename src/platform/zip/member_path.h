// Member names as places under the destination folder. A name is safe when
// it stays inside the destination: no absolute path, no drive, no "..".
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace q32::zip {

// Deeper or longer names than these are refused as unsafe: no file system
// here takes a longer path or a longer file or folder name (NAME_MAX), and a
// folder walk never nests deeper.
inline constexpr std::size_t MaxNameDepth = 256;
inline constexpr std::size_t MaxNameBytes = 4096;
inline constexpr std::size_t MaxComponentBytes = 255;

// The components of a safe name ("." and empty ones dropped) into
// `components`, views into the name. False when the name is unsafe, too
// deep or too long (or one of its components is), or names no place at all.
bool splitSafeName(std::string_view name, std::vector<std::string_view>& components);

// The last component of a name ("a/b/file_id.diz" gives "file_id.diz";
// a folder member "a/b/" gives "b"). Both "/" and "\" separate.
std::string_view fileNameOf(std::string_view name);

}  // namespace q32::zip
