// Finding the program a command names.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/host/drive_table.h"

namespace q32::host {

// Where a program named on a command line is looked for, in order.
struct ProgramSearch {
    std::string executableFolder;  // host folder of the running program
    std::string programFolder;     // host program folder
    const DriveTable* drives = nullptr;
    // What Debian's wine32 package installs: the loader of 32-bit programs,
    // without which Wine runs 64-bit programs only.
    std::string wine32Loader = "/usr/lib/wine/wine";
};

// The host path of the program: a virtual path ("c:\Quil001\setup.exe") is
// translated; a bare name is looked for, without regard to letter case, in
// the executable's folder, the program folder and the absolute folders of
// $PATH, never in the current folder. Empty when there is no such
// executable file.
std::optional<std::string> findProgram(const std::string& name, const ProgramSearch& search);

}  // namespace q32::host
