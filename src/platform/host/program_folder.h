// Where the program lives: the folder of the executable, or a per-user
// folder when that one cannot be written (a system-wide install).
#pragma once

#include <string>

namespace q32::host {

// Host folder of the running executable.
std::string executableFolder();

// The per-user data folder ($XDG_DATA_HOME/quillet32, by default
// ~/.local/share/quillet32); it may not exist yet.
std::string perUserFolder();

// Copies into `to` the files of `from` that the program reads (the help
// file, the sounds), where they are missing there; programs and links to
// them stay where they are installed.
void copyProgramFiles(const std::string& from, const std::string& to);

// The folder that holds the settings file, the help file, the sounds and
// the report. In a per-user program folder the files that lie beside the
// executable are copied in where they are missing.
std::string hostProgramFolder();

}  // namespace q32::host
