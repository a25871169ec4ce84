// Scratch folders at the root of the install drive (c:\Quil001, ...) and the
// free-space check before an install.
#include <cstdio>

#include "command_kit/panels.h"
#include "install/install_command.h"

namespace q32 {

namespace {

std::string scratchName(char drive, int number) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%03d", number);
    return std::string(1, drive) + ":\\Quil" + digits;
}

}  // namespace

// The first name from `start` on that nothing (folder or file) uses yet.
ScratchFolder InstallCommand::NextScratchFolder(char drive, int start) {
    int number = start;
    while (Fs.exists(scratchName(drive, number))) ++number;
    return {scratchName(drive, number), number};
}

bool InstallCommand::CheckInstallSpace(char drive, std::int64_t requiredBytes) {
    // A drive that cannot report its free space counts as a full one.
    const std::int64_t freeBytes = Fs.freeSpace(drive).value_or(0);
    if (requiredBytes <= freeBytes) return true;
    showError(Screen, "Not enough free space on " + std::string(1, drive) + " drive to install");
    return false;
}

}  // namespace q32
