// Running an outside program and waiting for it to end.
#include "install/install_command.h"

namespace q32 {

int InstallCommand::ExecCmd(const CommandLine& command) { return Programs.runAndWait(command); }

}  // namespace q32
