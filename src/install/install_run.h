// What one install works with, from its start to the return to the list.
#pragma once

#include <string>

#include "archive/kinds.h"

namespace q32 {

// A scratch folder's name ("c:\Quil001") and the number it was found under.
struct ScratchFolder {
    std::string name;
    int number = 0;
    bool operator==(const ScratchFolder&) const = default;
};

// Which volume sets the set selections found: cleared at every install.
struct SetFoundFlags {
    bool rar = false;
    bool arj = false;
    bool ace = false;
    bool any() const { return rar || arj || ace; }
};

// How the RAR and ACE installers differ: the folder probes (either one
// finding a file is enough), the message when no volume passes its head
// test, and the archiver's command.
struct DirectInstaller {
    ArchiveKind kind;
    const char* probes[2];
    const char* notValid;
    const char* commandPrefix;
};

// How the volume sets among installed ZIP contents are looked for, one kind
// after the other: the probes, the list filters before and after the set
// selection, where the tree goes, and how the archiver is run.
struct SetStage {
    ArchiveKind kind;
    const char* probes[2];
    const char* patternBefore;
    const char* patternAfter;
    bool treeOnSetFolder;  // else the tree stays on the install folder
    bool runPerVolume;     // else once, on the first volume
    const char* commandPrefix;
};

struct InstallRun {
    // The folder the archives come from; a drive root is kept as "c:" so that
    // folder + "\" + name is always a path.
    std::string sourceFolder;
    ScratchFolder installFolder;
};

}  // namespace q32
