// The desktop side of the program: Qt, the drive table, the lock, the
// runner and the zip engine made ready, the main window started over them,
// and the event loop run until it closes. No Qt type shows here, so the
// program's entry point sees none.
#pragma once

#include <functional>
#include <memory>

#include "platform/platform.h"

namespace q32 {

// Makes and loads the main window over the platform; what it returns is kept
// alive until the program ends.
using StartWindow = std::function<std::shared_ptr<void>(const Platform&)>;

// "--version" is answered without a display. Returns the exit code.
int runDesktopProgram(int argc, char* argv[], const StartWindow& startWindow);

}  // namespace q32
