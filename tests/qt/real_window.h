// The real window with every control, over a test drive with a few
// archives, the program in c:\Quillet32.
#pragma once

#include <memory>

#include "app/main_window.h"
#include "platform/host/host_processes.h"
#include "platform/host/instance_lock.h"
#include "platform/qt/qt_ui.h"
#include "platform/zip/zip_archive_engine.h"
#include "support/test_drive.h"

namespace q32::test {

struct RealWindow {
    TestDrive drive;
    std::unique_ptr<host::InstanceLock> lock;
    host::HostProcesses processes{{}};
    zip::ZipArchiveEngine zip{drive.fs().driveTable()};
    std::unique_ptr<QtUi> ui;

    RealWindow() {
        drive.makeFolder("c:\\Quillet32");
        for (const char* name : {"a.zip", "B.ZIP", "c.rar", "notes.txt"})
            drive.writeFile(std::string("c:\\Games\\") + name);
        lock = std::make_unique<host::InstanceLock>(drive.host("c:\\Quillet32"));
        ui = std::make_unique<QtUi>(drive.fs(), *lock, "c:\\Quillet32", processes, zip);
    }

    // Another copy of the program started over the same folder: true when
    // it ends before it shows anything.
    bool secondCopyEnds() {
        host::InstanceLock secondLock(drive.host("c:\\Quillet32"));
        QtUi secondUi(drive.fs(), secondLock, "c:\\Quillet32", processes, zip);
        MainWindow second(secondUi.platform());
        second.Form_Load();
        return secondUi.form().isUnloaded() && !secondUi.form().isShown();
    }
};

}  // namespace q32::test
