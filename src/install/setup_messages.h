// What the user is told about starting a package's setup program.
#pragma once

#include <string>

#include "platform/processes.h"

namespace q32 {

// Panel 3 while the setup program is being handed over.
std::string startingSetupCaption(ProgramKind kind);

// Why the setup program at `path` cannot start here, and what to install so
// that it can, to be started by hand later.
std::string cannotStartSetupText(const StartCheck& check, const std::string& path);

// A start that failed: it could not be started, or it ended at once with `code`.
std::string setupFailedText(int code, const std::string& path);

}  // namespace q32
