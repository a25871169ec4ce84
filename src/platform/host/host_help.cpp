#include "platform/host/host_help.h"

namespace q32::host {

void HostHelp::showContents(const std::string& helpFile) {
    processes_.start({"winhelp.exe", {helpFile}}, ShowState::Normal);
}

// Waited for: the request is delivered before the program goes on to end.
void HostHelp::close(const std::string& helpFile) { processes_.runAndWait({"winhelp.exe -close", {helpFile}}); }

}  // namespace q32::host
