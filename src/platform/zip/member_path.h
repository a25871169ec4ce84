// Member names as places under the destination folder. A name is safe when
// it stays inside the destination: no absolute path, no drive, no "..".
#pragma once

#include <string_view>
#include <vector>

namespace q32::zip {

// The components of a safe name ("." and empty ones dropped) into
// `components`, views into the name. False when the name is unsafe or names
// no place at all.
bool splitSafeName(std::string_view name, std::vector<std::string_view>& components);

// The last component of a name ("a/b/file_id.diz" gives "file_id.diz";
// a folder member "a/b/" gives "b"). Both "/" and "\" separate.
std::string_view fileNameOf(std::string_view name);

}  // namespace q32::zip
