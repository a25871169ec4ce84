// What kind of program a file holds, read from its first bytes: the DOS
// header ("MZ") and, when it points to one, the newer header behind it.
#pragma once

#include <cstddef>
#include <string_view>

namespace q32::host {

enum class ProgramKind {
    NotAProgram,  // no DOS header, or a newer header cut short or for another machine
    Dos,          // a DOS header alone
    Windows16,    // "NE": 16-bit Windows
    Windows32,    // "PE", PE32 for i386
    Windows64,    // "PE", PE32+ for x86-64
};

// How many bytes of a file programKindOf needs at most.
inline constexpr std::size_t kProgramHeadBytes = 4096;

ProgramKind programKindOf(std::string_view head);

}  // namespace q32::host
