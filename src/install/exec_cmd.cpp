// Running an outside program and waiting for it to end.
#include "app/main_window.h"

namespace q32 {

int MainWindow::ExecCmd(const std::string& commandLine) { return Programs.runAndWait(commandLine); }

}  // namespace q32
