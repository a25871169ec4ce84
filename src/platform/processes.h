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
// What start() says of a program that was handed over and is running.
inline constexpr int kStarted = 0;

// What a program file holds, read from its head.
enum class ProgramKind {
    Native,       // a program of this system
    NotAProgram,  // not a program, or one cut short or for another machine
    Dos,          // a DOS header alone
    Windows16,    // "NE": 16-bit Windows
    Windows32,    // "PE", PE32 for i386
    Windows64,    // "PE", PE32+ for x86-64
};

// What keeps a command's program from starting here.
enum class StartProblem {
    None,
    NotFound,     // no such file
    NotAProgram,
    NeedsWine,    // a DOS or Windows program, and no Wine
    NeedsWine32,  // a 16- or 32-bit Windows program, and Wine without its 32-bit part
    NeedsDosBox,  // a DOS program, which Wine hands to DOSBox, and no DOSBox
};

// 16- and 32-bit Windows programs run only with Wine's 32-bit part.
inline bool needs32BitWine(ProgramKind kind) {
    return kind == ProgramKind::Windows16 || kind == ProgramKind::Windows32;
}

struct StartCheck {
    ProgramKind kind = ProgramKind::Native;
    StartProblem problem = StartProblem::None;
};

class Processes {
public:
    virtual ~Processes() = default;
    // Starts the program and waits until it has ended, without a time-out;
    // returns its exit code. A program that cannot be started returns at
    // once, without a message, with kNotStarted.
    virtual int runAndWait(const CommandLine& command) = 0;
    // Starts the program on its own and returns once it is handed over:
    // kStarted, kNotStarted when it could not be started, or the code a
    // DOS or Windows program ended with at once when that was a failure.
    virtual int start(const CommandLine& command, ShowState show) = 0;
    // Whether the command's program can be started here, and its kind.
    virtual StartCheck checkStart(const CommandLine& command) const = 0;
};

}  // namespace q32
