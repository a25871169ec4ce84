// Peak memory and time of the description and NFO commands, through the real
// Qt window (offscreen), on an archive that holds what no real package does:
// a 64 MB one-line file_id.diz and a 100 MB NFO file with LF line ends, too
// large to be extracted, and NFO files of 3 MB (LF) and 2 MB (one line) that
// the viewer shows cut. Prints
// the peak resident size of the whole process and the time each command
// took; exits 1 when the peak passes the goal of 400 MB.
//   viewermem
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "app/main_window.h"
#include "platform/host/host_processes.h"
#include "platform/host/instance_lock.h"
#include "platform/qt/qt_ui.h"
#include "platform/zip/zip_archive_engine.h"
#include "support/test_drive.h"
#include "zip_fixtures.h"

namespace {

constexpr double kGoalMegabytes = 400;

double peakMegabytes() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

double secondsOf(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string linesOf(std::size_t bytes, const char* lineEnd) {
    std::string line = std::string(78, 'x') + lineEnd;
    std::string text;
    text.reserve(bytes + line.size());
    while (text.size() < bytes) text += line;
    return text;
}

// Written by a child process, so that the strings it builds never count in
// this process's peak.
void writeHostileArchive(const std::string& path) {
    const pid_t child = ::fork();
    if (child != 0) {
        int status = 0;
        ::waitpid(child, &status, 0);
        return;
    }
    using q32::zip::test::file;
    constexpr std::size_t kMegabyte = 1024 * 1024;
    q32::zip::test::writeZip(path, {file("file_id.diz", std::string(64 * kMegabyte, 'd')),
                                    file("a-huge.nfo", linesOf(100 * kMegabyte, "\n")),
                                    file("b-long.nfo", linesOf(3 * kMegabyte, "\n")),
                                    file("c-oneline.nfo", std::string(2 * kMegabyte, 'n'))});
    std::_Exit(0);
}

}  // namespace

int main(int argc, char** argv) {
    q32::test::TestDrive drive;
    drive.makeFolder("c:\\Quillet32");
    drive.makeFolder("c:\\dl");
    writeHostileArchive(drive.host("c:\\dl\\hostile.zip"));
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    const double beforeMegabytes = peakMegabytes();

    q32::host::InstanceLock lock(drive.host("c:\\Quillet32"));
    q32::host::HostProcesses processes({});
    q32::zip::ZipArchiveEngine zip(drive.fs().driveTable());
    q32::QtUi ui(drive.fs(), lock, "c:\\Quillet32", processes, zip);
    q32::MainWindow window(ui.platform());
    window.Form_Load();
    ui.tree().setPath("c:\\dl");
    ui.list().setPath("c:\\dl");
    ui.list().setSelected(0, true);

    const double describe = secondsOf([&] {
        window.ShowDescriptions();
        QCoreApplication::processEvents();
    });
    int shown = 0;
    const double nfos = secondsOf([&] {
        while (drive.fs().firstFile("c:\\Quillet32\\*.nfo") && shown < 10) {
            window.dnfo_Click();
            QCoreApplication::processEvents();
            ++shown;
        }
    });
    const double peak = peakMegabytes();
    std::printf("peak %.1f MB (%.1f MB before the window); description %.2f s; %d NFO file(s) %.2f s\n",
                peak, beforeMegabytes, describe, shown, nfos);
    std::printf("goal: under %.0f MB: %s\n", kGoalMegabytes, peak < kGoalMegabytes ? "met" : "MISSED");
    ui.form().unload();
    return peak < kGoalMegabytes ? 0 : 1;
}
