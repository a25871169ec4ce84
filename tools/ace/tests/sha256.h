// SHA-256, for comparing extracted files with the samples' manifests.
#pragma once

#include <string>
#include <string_view>

namespace q32::ace::testing {

// Lower-case hex digest.
std::string sha256Hex(std::string_view data);

}  // namespace q32::ace::testing
