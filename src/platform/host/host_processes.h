// Outside programs over Linux: fork and exec, with the caller's environment
// and current folder.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/host/command_line.h"
#include "platform/processes.h"

namespace q32::host {

class HostProcesses : public Processes {
public:
    explicit HostProcesses(ProgramSearch search) : search_(std::move(search)) {}

    // A program ended by a signal returns 128 + the signal number.
    int runAndWait(const std::string& commandLine) override;
    // The show state has no meaning for the programs started here; every
    // program opens its window, if any, as it likes.
    void start(const std::string& commandLine, ShowState show) override;
    bool canStart(const std::string& commandLine) const override { return argumentsFor(commandLine).has_value(); }

    // The argument vector a command line starts, or empty when its program
    // cannot be found (a Windows program runs through Wine when Wine is there).
    std::optional<std::vector<std::string>> argumentsFor(const std::string& commandLine) const;

private:
    ProgramSearch search_;
};

}  // namespace q32::host
