// What one install works with, from its start to the return to the list.
#pragma once

#include <string>

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

struct InstallRun {
    // The folder the archives come from; a drive root is kept as "c:" so that
    // folder + "\" + name is always a path.
    std::string sourceFolder;
    ScratchFolder installFolder;
};

}  // namespace q32
