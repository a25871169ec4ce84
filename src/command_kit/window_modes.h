// The command kit: what several commands share of the main window. Each
// command (install, ZIP test, descriptions, housekeeping, help) receives the
// pieces it uses at construction; nothing here knows the commands or the
// window that holds them.
//
// Window modes: the situations that decide which commands are enabled. A
// command names the mode it leaves the window in; the main window keeps the
// enable set of every mode in one table.
#pragma once

namespace q32 {

enum class WindowMode {
    ToolbarBuilt,     // the toolbar is new: nothing to describe, show, install or test yet
    StartedUp,        // start-up is over: the File menu waits for a selection
    NothingSelected,  // a new list or kind: the commands of a selection wait for one
    ListReadAgain,    // the list was read again: the same, and nothing to delete
    AllSelected,      // Ctrl+S selected every file of the list
    ZipSelection,     // a click in the ZIP list
    SetSelection,     // a click in the RAR or ACE list: only install
    Installing,       // an install has started
    InstallEnded,     // back on the ZIP list after an install
    SetInstallEnded,  // back on the list after a RAR or ACE install
    TestEnded,        // the ZIP test is over: install and test again
    NoDescriptions,   // descriptions asked for another kind than ZIP
    NfoWaiting,       // NFO files wait in the program folder
    NoNfoLeft,        // every NFO file has been shown
};

class ModeSwitch {
public:
    virtual ~ModeSwitch() = default;
    virtual void enter(WindowMode mode) = 0;
};

}  // namespace q32
