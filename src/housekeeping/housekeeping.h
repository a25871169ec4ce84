// Housekeeping: left-over scratch folders offered for deletion (at start-up
// and from the Options menu), the choice of the install drive, and deleting
// the selected files of the list.
#pragma once

#include "command_kit/description_viewers.h"
#include "command_kit/window_modes.h"
#include "platform/controls.h"
#include "platform/drive_picker.h"
#include "platform/filesystem.h"
#include "platform/processes.h"

namespace q32 {

// The controls and services housekeeping uses, under the window's names.
struct HousekeepingContext {
    MainForm& Me;
    Toolbar& GTToolbar1;
    StatusPanel& SSPanel2;
    FolderTree& ExplorerTree1;
    FileList& File1;
    Desktop& Screen;
    FileSystem& Fs;
    Processes& Programs;
    DrivePicker& BrowseDialog1;
    char& installDrive;
    ModeSwitch& modes;
    DescriptionViewers& descriptions;
};

class Housekeeping : private HousekeepingContext {
public:
    explicit Housekeeping(const HousekeepingContext& context) : HousekeepingContext(context) {}

    // Shows each scratch folder of the drive in the list and asks about it.
    // False when the user answered Cancel.
    bool ScanScratchFolders(char drive);
    void dtemp_Click();
    void temp_Click();
    void delete_Click();
    // The drive picker; false (and drive C again) when the user cancelled.
    bool ChooseInstallDrive();
    void BrowseDialog1_SelectionChanged(const std::string& newPath);
};

}  // namespace q32
