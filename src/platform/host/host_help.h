// The help system over the help-window stand-in, winhelp.exe: "winhelp.exe
// FILE" opens the file's contents page (or brings its open window forward),
// "winhelp.exe -close FILE" closes the window that shows it.
#pragma once

#include <string>

#include "platform/help.h"
#include "platform/processes.h"

namespace q32::host {

class HostHelp : public HelpSystem {
public:
    explicit HostHelp(Processes& processes) : processes_(processes) {}

    void showContents(const std::string& helpFile) override;
    void close(const std::string& helpFile) override;

private:
    Processes& processes_;
};

}  // namespace q32::host
