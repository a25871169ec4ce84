// The stand-in outside programs: one executable that takes the role of the
// name it was started under (wrar.exe, warj.pif, ace.pif, wace.pif,
// killd.pif, notepad.exe, winhelp.exe, webdial.exe).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "exit_codes.h"
#include "platform/host/drive_table.h"

namespace q32::standin {

// What every role needs: its name and arguments, and the drive table that
// turns the program's virtual paths into host paths.
struct Context {
    std::string role;                 // lower case: "wrar.exe"
    std::vector<std::string> args;    // without the program name
    host::DriveTable drives;

    // A virtual path ("c:\Quil001") or an absolute host path to a host path.
    std::optional<std::string> hostPath(const std::string& path) const;
};

// An extractor's command line: "x", switches, the archive path (which a
// path with spaces may have split into several words) and the destination.
struct ExtractArgs {
    std::string command;
    std::vector<std::string> switches;
    std::string archive;
    std::string destination;
};
std::optional<ExtractArgs> parseExtractArgs(const std::vector<std::string>& args);

// An extractor's command line checked and translated: the archive (an
// existing file) and the destination as host paths.
struct ExtractJob {
    ExtractArgs args;
    std::string archive;
    std::string destination;
};
// Empty, with `failure` set, when the command line is wrong or the archive
// is missing. `usage` is the command line the program builds, without the
// archive and the destination.
std::optional<ExtractJob> extractJob(const Context& context, const std::string& usage, Failure& failure);

// Words joined again with single spaces.
std::string joinWords(const std::vector<std::string>& words, std::size_t from = 0);

// Each role returns the process's exit code. The extractors (wrar.exe,
// warj.pif, ace.pif, wace.pif) are the programs of the archivers' command
// lines in archive/archivers.h.
int runRar(const Context& context);
int runArj(const Context& context);
int runAce(const Context& context);
int runKilld(const Context& context);
int runNotepad(const Context& context);
int runWebdial(const Context& context);
int runWinhelp(const Context& context, int argc, char** argv);

// Reports a failure: on standard error always, and in a short error window
// of its own when the session has a display. Returns the failure's exit
// code; it never ends the process itself, whatever the display does.
int fail(const Context& context, const Failure& failure);

// The Qt platforms that can show a window in this session: the non-empty
// QT_QPA_PLATFORM, else "wayland" for a non-empty WAYLAND_DISPLAY and "xcb"
// for a non-empty DISPLAY, in that order, separated by ";"; "" when the
// session has no display (a variable set but empty counts as none).
std::string windowPlatforms();

}  // namespace q32::standin
