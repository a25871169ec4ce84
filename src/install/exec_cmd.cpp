// Running an outside program and waiting for it to end.
#include "app/main_window.h"

namespace q32 {

void MainWindow::ExecCmd(const std::string& commandLine) { Programs.runAndWait(commandLine); }

}  // namespace q32
