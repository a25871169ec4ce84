// Member names as places under the destination folder. A name is safe when
// it stays inside the destination: no absolute path, no drive, no "..".
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace q32::zip {

// The components of a safe name ("." and empty ones dropped), or nothing
// when the name is unsafe or names no place at all.
std::optional<std::vector<std::string>> safeComponents(std::string_view name);

// The last component of a name ("a/b/file_id.diz" gives "file_id.diz";
// a folder member "a/b/" gives "b"). Both "/" and "\" separate.
std::string_view fileNameOf(std::string_view name);

}  // namespace q32::zip
