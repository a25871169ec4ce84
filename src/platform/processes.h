// Outside programs started from a command: the program name is the first
// word, looked up in the executable's folder, the program folder and then
// the search path; the other words are its arguments, each handed over
// exactly as written, so a file name with blanks of any kind arrives whole.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace q32 {

// A program with its arguments: a fixed part the program wrote itself
// ("wrar.exe x -o+ -y"), split at blanks, then names taken as they are
// (archives, folders, files). Its text, the words joined by blanks, is how
// the command reads to a person.
struct CommandLine {
    CommandLine(std::string_view fixedPart, std::vector<std::string> names = {});
    CommandLine(const char* fixedPart) : CommandLine(std::string_view(fixedPart)) {}
    std::string text() const;

    std::vector<std::string> words;
};

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
    virtual int runAndWait(const CommandLine& command) = 0;
    // Starts the program and returns at once.
    virtual void start(const CommandLine& command, ShowState show) = 0;
    // Whether the command's program can be started here (a Windows program
    // needs Wine).
    virtual bool canStart(const CommandLine& command) const = 0;
};

}  // namespace q32
