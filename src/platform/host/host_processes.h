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
    int runAndWait(const CommandLine& command) override;
    // The show state has no meaning for the programs started here; every
    // program opens its window, if any, as it likes.
    void start(const CommandLine& command, ShowState show) override;
    bool canStart(const CommandLine& command) const override { return argumentsFor(command).has_value(); }

    // The argument vector a command starts, or empty when its program
    // cannot be found (a Windows program runs through Wine when Wine is there).
    std::optional<std::vector<std::string>> argumentsFor(const CommandLine& command) const;

private:
    ProgramSearch search_;
};

}  // namespace q32::host
