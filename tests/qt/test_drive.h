// A temporary folder mapped as drive c for one test, with helpers to fill it.
#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "platform/host/drive_table.h"
#include "platform/host/host_file_system.h"

namespace q32::test {

class QtTestDrive {
public:
    QtTestDrive()
        : table_(host::DriveTable::parse("c=" + root())), fs_(std::make_unique<host::HostFileSystem>(table_)) {}

    std::string root() const { return dir_.path().toStdString(); }
    // Host path of a path relative to the drive's root ("Games/a.zip").
    QString host(const QString& relative) const { return dir_.filePath(relative); }
    void makeFolder(const QString& relative) const { QDir(dir_.path()).mkpath(relative); }
    void writeFile(const QString& relative, const QByteArray& bytes = "x") const {
        QFile file(host(relative));
        if (file.open(QIODevice::WriteOnly)) file.write(bytes);
    }

    const host::DriveTable& table() const { return table_; }
    host::HostFileSystem& fs() { return *fs_; }

private:
    QTemporaryDir dir_;
    host::DriveTable table_;
    std::unique_ptr<host::HostFileSystem> fs_;
};

}  // namespace q32::test
