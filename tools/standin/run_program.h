// Running a real archiver and keeping the end of what it said, with a
// watchdog that ends an archiver that has stopped working.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace q32::standin {

struct ProgramResult {
    bool started = false;
    bool hung = false;      // ended by the watchdog
    int exitCode = -1;      // -1 when it did not end normally
    std::string output;     // the end of standard output and (RunLimits::errorsToo) standard error together
};

// When a program counts as stuck: it wrote nothing and the folder it works
// in did not change for `quietLimit`. Of its output, the last `keptOutput`
// bytes are kept (enough for an error message).
struct RunLimits {
    std::string progressFolder;  // "" when only its output shows progress
    std::chrono::milliseconds quietLimit = std::chrono::seconds(60);
    std::size_t keptOutput = 4096;
    bool errorsToo = true;  // standard error kept with the output; else it goes nowhere
};

// Runs the program (looked up on $PATH) with its arguments and waits for it;
// a program the watchdog finds stuck is ended with all its children.
ProgramResult runProgram(const std::vector<std::string>& argv, const RunLimits& limits = {});

// The error for a program the watchdog ended, with the end of its output.
std::string stuckMessage(const std::string& program, const RunLimits& limits, const std::string& output);

}  // namespace q32::standin
