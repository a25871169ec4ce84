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

// A folder of the system's installed programs (/usr and below): the package
// manager owns it, so the program keeps no file there, even run by root.
bool isSystemProgramFolder(const std::string& folder);

// Copies into `to` the files of `from` that the program reads (the help
// file, the sounds), where they are missing there; programs and links to
// them stay where they are installed.
void copyProgramFiles(const std::string& from, const std::string& to);

// The folder that holds the settings file, the help file, the sounds and
// the report: the executable's folder when it can be written and is no
// system program folder, otherwise the per-user folder. In a per-user
// program folder the files that lie beside the executable are copied in
// where they are missing.
std::string hostProgramFolder();

}  // namespace q32::host
