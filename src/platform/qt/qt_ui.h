// Every window and control of the program in Qt, built with their designed
// places, and the Platform that hands them to the main window.
#pragma once

#include <string>

#include "platform/host/host_file_system.h"
#include "platform/host/host_help.h"
#include "platform/host/instance_lock.h"
#include "platform/platform.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_drive_picker.h"
#include "platform/qt/qt_file_list.h"
#include "platform/qt/qt_folder_tree.h"
#include "platform/qt/qt_instance_guard.h"
#include "platform/qt/qt_main_form.h"
#include "platform/qt/qt_mark_panel.h"
#include "platform/qt/qt_menu_bar.h"
#include "platform/qt/qt_placed.h"
#include "platform/qt/qt_splash.h"
#include "platform/qt/qt_sound.h"
#include "platform/qt/qt_splitter.h"
#include "platform/qt/qt_status_panel.h"
#include "platform/qt/qt_toolbar.h"
#include "platform/qt/qt_viewer_window.h"

namespace q32 {

class QtUi {
public:
    // `programFolder` is the virtual path of the program's folder; the
    // outside programs and the zip engine are handed on to the program.
    QtUi(host::HostFileSystem& fs, const host::InstanceLock& lock, std::string programFolder, Processes& processes,
         ZipEngine& zip);
    QtUi(const QtUi&) = delete;
    QtUi& operator=(const QtUi&) = delete;

    Platform platform();

    QtMainForm& form() { return form_; }
    QtMenuBar& menus() { return menus_; }
    QtPlaced& frame() { return frame_; }
    QtToolbar& toolbar() { return toolbar_; }
    QtMarkPanel& panel1() { return panel1_; }
    QtStatusPanel& panel2() { return panel2_; }
    QtStatusPanel& panel3() { return panel3_; }
    QtSplitter& splitter() { return splitter_; }
    QtFolderTree& tree() { return tree_; }
    QtFileList& list() { return list_; }
    QtPlaced& sizeGrip() { return sizeGrip_; }
    QtSplash& splash() { return splash_; }
    QtDesktop& desktop() { return desktop_; }
    QtInstanceGuard& instance() { return instance_; }
    QtDrivePicker& picker() { return picker_; }
    QtViewerWindow& descriptionViewer() { return descriptionViewer_; }
    QtViewerWindow& nfoViewer() { return nfoViewer_; }
    QtSound& sound() { return sound_; }

private:
    // The main window first: it goes last, after the controls on it.
    QtMainForm form_;
    QtMenuBar menus_;
    QtPlaced frame_;
    QtPlaced sizeGrip_;
    QtToolbar toolbar_;
    QtMarkPanel panel1_;
    QtStatusPanel panel2_;
    QtStatusPanel panel3_;
    QtSplitter splitter_;
    QtFolderTree tree_;
    QtFileList list_;
    QtSplash splash_;
    QtDesktop desktop_;
    QtInstanceGuard instance_;
    QtDrivePicker picker_;
    QtViewerWindow descriptionViewer_;  // Form3
    QtViewerWindow nfoViewer_;          // form5
    QtSound sound_;
    host::HostFileSystem& fs_;
    Processes& processes_;
    host::HostHelp help_;
    ZipEngine& zip_;
    std::string programFolder_;
};

}  // namespace q32
