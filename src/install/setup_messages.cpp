#include "install/setup_messages.h"

#include "common/text.h"

namespace q32 {

namespace {

constexpr const char* kAddI386 = "    sudo dpkg --add-architecture i386\n    sudo apt update\n";

std::string kindText(ProgramKind kind) {
    switch (kind) {
        case ProgramKind::Dos: return "a DOS program";
        case ProgramKind::Windows16: return "a 16-bit Windows program";
        case ProgramKind::Windows32: return "a 32-bit Windows program";
        case ProgramKind::Windows64: return "a 64-bit Windows program";
        case ProgramKind::Native:
        case ProgramKind::NotAProgram: break;
    }
    return "not a program";
}

// The Debian packages that run a program of the kind, with the one-time
// step 32-bit Wine needs first.
std::string wineInstall(ProgramKind kind) {
    if (kind == ProgramKind::Dos) return "    sudo apt install wine wine64 dosbox\n";
    if (needs32BitWine(kind)) return std::string(kAddI386) + "    sudo apt install wine wine64 wine32:i386\n";
    return "    sudo apt install wine wine64\n";
}

std::string installLines(const StartCheck& check) {
    switch (check.problem) {
        case StartProblem::NeedsWine:
            return "It needs Wine to run here. Install it with\n\n" + wineInstall(check.kind);
        case StartProblem::NeedsWine32:
            return "Wine here runs 64-bit programs only. Add its 32-bit part once with\n\n" + std::string(kAddI386) +
                   "    sudo apt install wine32:i386\n";
        case StartProblem::NeedsDosBox:
            return "Wine runs DOS programs through DOSBox. Install it with\n\n    sudo apt install dosbox\n";
        default: return "";
    }
}

}  // namespace

std::string startingSetupCaption(ProgramKind kind) {
    return kind == ProgramKind::Native ? "Starting Setup.exe ..." : "Starting Setup.exe with Wine ...";
}

std::string cannotStartSetupText(const StartCheck& check, const std::string& path) {
    if (check.problem == StartProblem::NotAProgram || check.problem == StartProblem::NotFound)
        return "Setup.exe is not a DOS or Windows program: it cannot be started.\n" + path;
    return "Setup.exe is " + kindText(check.kind) + ". " + installLines(check) + "\nthen start " + path +
           " again.";
}

std::string setupFailedText(int code, const std::string& path) {
    if (code == kNotStarted) return "Setup.exe could not be started.\n" + path;
    return "Setup.exe ended at once, with the code" + numText(code) + ".\n" + path;
}

}  // namespace q32
