// Outside programs over Linux: fork and exec, with the caller's environment;
// Windows programs run through Wine in their own folder, others in the
// caller's current folder.
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
    // program opens its window, if any, as it likes. A DOS or Windows
    // program is watched for a moment: Wine refusing it ends it at once.
    int start(const CommandLine& command, ShowState show) override;
    StartCheck checkStart(const CommandLine& command) const override;

    // What a command starts: the argument vector, the folder it runs in
    // ("" for the caller's own), and whether it goes through Wine. Empty
    // when its program cannot start here (see checkStart).
    struct Launch {
        std::vector<std::string> words;
        std::string folder;
        bool throughWine = false;
    };
    std::optional<Launch> launchFor(const CommandLine& command) const;
    std::optional<std::vector<std::string>> argumentsFor(const CommandLine& command) const;

private:
    // The command's program found once: its host path, its kind and what
    // keeps it from starting, and the Wine that would start it.
    struct Resolved {
        StartCheck check;
        std::string program;
        std::string wine;
    };
    Resolved resolve(const CommandLine& command) const;

    ProgramSearch search_;
};

}  // namespace q32::host
