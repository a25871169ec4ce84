// Everything of the outside world the main window works with, handed to it
// at construction: its controls, the desktop, the file system.
#pragma once

#include <string>

#include "platform/controls.h"
#include "platform/drive_picker.h"
#include "platform/filesystem.h"
#include "platform/help.h"
#include "platform/processes.h"
#include "platform/sound.h"
#include "platform/viewer_window.h"
#include "platform/zip_engine.h"

namespace q32 {

struct Platform {
    MainForm& form;
    Toolbar& toolbar;
    MenuBar& menus;
    Placed& frame;           // the toolbar row
    StatusPanel& panel1;     // the program's mark
    StatusPanel& panel2;     // filter or per-file text
    StatusPanel& panel3;     // current folder or progress
    Splitter& splitter;
    FolderTree& tree;
    FileList& list;
    Placed& sizeGrip;
    SplashWindow& splash;
    Desktop& desktop;
    InstanceGuard& instance;
    FileSystem& fs;
    Processes& processes;
    DrivePicker& picker;
    ZipEngine& zip;
    std::string programFolder;  // virtual path of the folder that holds the program
    ViewerWindow& descriptionViewer;
    ViewerWindow& nfoViewer;
    Sound& sound;
    HelpSystem& help;
};

}  // namespace q32
