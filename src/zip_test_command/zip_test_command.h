// The ZIP test command: every selected ZIP archive of the folder is tested,
// the damaged ones are recorded in errors.txt in the program folder and
// renamed with ".bad" added, and the report is opened in Notepad with the
// error sound.
#pragma once

#include <string>

#include "command_kit/description_viewers.h"
#include "command_kit/selection.h"
#include "command_kit/window_modes.h"
#include "platform/controls.h"
#include "platform/filesystem.h"
#include "platform/processes.h"
#include "platform/sound.h"
#include "platform/zip_engine.h"
#include "zip_test_command/zip_test_run.h"

namespace q32 {

// The controls and services the test uses, under the window's names.
struct ZipTestContext {
    MainForm& Me;
    Toolbar& GTToolbar1;
    StatusPanel& SSPanel2;
    StatusPanel& SSPanel3;
    FolderTree& ExplorerTree1;
    FileList& File1;
    Desktop& Screen;
    FileSystem& Fs;
    Processes& Programs;
    ZipEngine& XceedZip1;
    Sound& Sounds;
    std::string ProgramFolder;
    Selection& selection;
    ModeSwitch& modes;
    DescriptionViewers& descriptions;
    // The user asked the window to close: the run stops as for Escape.
    const bool& closeAsked;
};

class ZipTestCommand : private ZipTestContext {
public:
    explicit ZipTestCommand(const ZipTestContext& context) : ZipTestContext(context) {}

    void TestZips();

private:
    void startTestRun();
    bool testArchive(int slot);
    void showTestSummary();
    void writeTestReport(const std::string& report);

    TestRun test_;
};

}  // namespace q32
