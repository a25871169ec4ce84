// How a stand-in ends: 0 when its job was done, and a code of its own for
// each way it can fail, so that a script or a test can tell them apart. The
// program itself tells 0 and UnsafeNames (the rest is in place) from the rest. The same table is in
// tools/README.md; the codes never change meaning.
#pragma once

#include <string>

#include "archive/archivers.h"

namespace q32::standin {

enum class ExitCode : int {
    Done = 0,
    BadArguments = 2,  // a command line the program never builds, a name it does not call, a path on no drive
    CannotOpen = 3,    // the archive, file or folder named cannot be found or read
    CannotWrite = 4,   // the destination cannot be made, or a file in it cannot be written
    LinkInTheWay = 5,  // a link or a file stands where the destination needs a folder; nothing was moved there
    ToolMissing = 6,   // the Debian tool behind the stand-in (unar, lsar, arj, xdg-open) is not installed
    ToolFailed = 7,    // the archiver failed or left files out: damaged, incomplete, not of its kind, unsupported
    MissingVolume = 8,  // a volume of the set is not there
    UnsafeNames = kStandinLeftOutUnsafeNames,  // members whose names lead outside the destination were left out; the rest is in place
    Watchdog = 10,      // the archiver stopped working (no output, no progress on disk) and was ended
    Refused = 11,       // killd.pif asked to remove a drive root or something that is not a folder
    NoDisplay = 12,     // winhelp.exe in a session without a display
};

inline int exitCodeOf(ExitCode code) { return static_cast<int>(code); }

// A failure travels as its code and the text that tells the user.
struct Failure {
    ExitCode code;
    std::string message;
};

}  // namespace q32::standin
