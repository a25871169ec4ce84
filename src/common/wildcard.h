// Wildcard patterns as the program's file lists and folder probes use them:
// "*" any run of bytes, "?" exactly one byte, letters matched without regard
// to ASCII case, several patterns separated by ";".
#pragma once

#include <string_view>

namespace q32 {

// One pattern against one name. "*.*" matches every name, with or without a dot.
bool wildcardMatch(std::string_view pattern, std::string_view name);

// A ";"-separated list of patterns: true when any one matches. Empty patterns
// in the list are ignored; an empty list matches nothing.
bool wildcardMatchAny(std::string_view patterns, std::string_view name);

}  // namespace q32
