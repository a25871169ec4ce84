// What kind of program a file holds, read from its first bytes: the DOS
// header ("MZ") and, when it points to one, the newer header behind it.
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/processes.h"

namespace q32::host {

// How many bytes of a file programKindOf needs at most.
inline constexpr std::size_t kProgramHeadBytes = 4096;

// Never Native: a head without "MZ" is NotAProgram here.
ProgramKind programKindOf(std::string_view head);

}  // namespace q32::host
