// Running an outside program and waiting for it to end.
#include "app/main_window.h"

namespace q32 {

int MainWindow::ExecCmd(const CommandLine& command) { return Programs.runAndWait(command); }

}  // namespace q32
