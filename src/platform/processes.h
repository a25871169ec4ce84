// Outside programs started from a command line: the program name is the first
// word, looked up in the executable's folder, the program folder, the current
// folder and then the search path; the rest are its arguments, split at
// blanks as an unquoted line is split. A line whose words would not arrive
// exactly as written (double quotes, blanks doubled or at either end,
// control characters) is refused like a program that cannot be started.
#pragma once

#include <string>

namespace q32 {

// How a started program's window is shown.
enum class ShowState { Hidden = 0, Normal = 1, NormalNoFocus = 4 };

// The exit code of a program that could not be started at all.
inline constexpr int kNotStarted = -1;

class Processes {
public:
    virtual ~Processes() = default;
    // Starts the program and waits until it has ended, without a time-out;
    // returns its exit code. A program that cannot be started returns at
    // once, without a message, with kNotStarted.
    virtual int runAndWait(const std::string& commandLine) = 0;
    // Starts the program and returns at once.
    virtual void start(const std::string& commandLine, ShowState show) = 0;
    // Whether the line's program can be started here (a Windows program
    // needs Wine).
    virtual bool canStart(const std::string& commandLine) const = 0;
};

}  // namespace q32
