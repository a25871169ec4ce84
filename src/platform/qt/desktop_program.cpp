#include "platform/qt/desktop_program.h"

#include <QApplication>
#include <QMessageBox>

#include <cstring>
#include <iostream>

#include "platform/host/drive_table.h"
#include "platform/host/host_file_system.h"
#include "platform/host/host_processes.h"
#include "platform/host/instance_lock.h"
#include "platform/host/program_folder.h"
#include "platform/qt/program_pictures.h"
#include "platform/qt/qt_ui.h"
#include "platform/zip/zip_archive_engine.h"

#ifndef Q32_VERSION
#error "Q32_VERSION must be defined by the build"
#endif

namespace q32 {

int runDesktopProgram(int argc, char* argv[], const StartWindow& startWindow) {
    // Answered without a display, before anything else is touched.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << "Quillet32 " Q32_VERSION << std::endl;
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillet32"));
    // The menu entry's name, which Wayland sessions match the window to.
    QApplication::setDesktopFileName(QStringLiteral("io.github.quillet32.Quillet32"));
    QApplication::setWindowIcon(quillIcon());

    const std::string hostFolder = host::hostProgramFolder();
    std::string drivesProblem;
    host::HostFileSystem fs(host::loadDriveTable(hostFolder, &drivesProblem));
    if (!drivesProblem.empty()) {
        std::cerr << "quillet32: " << drivesProblem << std::endl;
        QMessageBox::warning(nullptr, QStringLiteral("Quillet32 Error"), QString::fromStdString(drivesProblem));
    }
    const auto programFolder = fs.driveTable().toVirtual(hostFolder);
    if (!programFolder) {
        QMessageBox::critical(
            nullptr, QStringLiteral("Quillet32 Error"),
            QStringLiteral("The program folder %1 lies outside every mapped drive, so the program cannot "
                           "name it.\n\nMap a drive letter to it, or to a folder above it, in drives.txt in "
                           "that folder or in the environment variable QUILLET32_DRIVES (for example "
                           "c=/home/me;d=/media/disk).")
                .arg(QString::fromStdString(hostFolder)));
        return 1;
    }

    host::InstanceLock lock(hostFolder);
    host::HostProcesses processes({host::executableFolder(), hostFolder, &fs.driveTable()});
    zip::ZipArchiveEngine zip(fs.driveTable());
    QtUi ui(fs, lock, *programFolder, processes, zip);
    const std::shared_ptr<void> window = startWindow(ui.platform());
    // A refused start (another copy running) ends during the load.
    if (ui.form().isUnloaded()) return 0;
    return QApplication::exec();
}

}  // namespace q32
