// Running a real archiver and keeping what it said.
#pragma once

#include <string>
#include <vector>

namespace q32::standin {

struct ProgramResult {
    bool started = false;
    int exitCode = -1;      // -1 when it did not end normally
    std::string output;     // standard output and standard error together
};

// Runs the program (looked up on $PATH) with its arguments in `folder` (or
// the current folder when empty) and waits for it.
ProgramResult runProgram(const std::vector<std::string>& argv, const std::string& folder = "");

}  // namespace q32::standin
