// The stand-ins' own short error window, shown on the display the session
// has. Qt ends a process whose platform cannot start (a display that is
// named but not there), so the window lives in a child process: whatever
// happens to it, the stand-in reports and ends with its own exit code.
#include <QApplication>
#include <QMessageBox>

#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <iostream>

#include "standin.h"

namespace q32::standin {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// In the child: the window, then the end of the child, never a return.
[[noreturn]] void showWindow(const std::string& platforms, const std::string& title, const std::string& message) {
    // A platform that cannot start aborts the child: no core file for that.
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    ::prctl(PR_SET_DUMPABLE, 0);
    ::setenv("QT_QPA_PLATFORM", platforms.c_str(), 1);
    {
        int argc = 1;
        char name[] = "quillet32-standin";
        char* argv[] = {name, nullptr};
        QApplication app(argc, argv);
        QMessageBox box(QMessageBox::Critical, QString::fromStdString(title),
                        QString::fromStdString(message.substr(0, 2000)), QMessageBox::Ok);
        box.exec();
    }
    ::_exit(0);
}

void showErrorWindow(const std::string& title, const std::string& message) {
    if (std::getenv("QUILLET32_NO_ERROR_WINDOW")) return;
    const std::string platforms = windowPlatforms();
    if (platforms.empty() || platforms == "offscreen") return;
    const pid_t child = ::fork();
    if (child == 0) showWindow(platforms, title, message);
    if (child < 0) return;
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
}

}  // namespace

std::string windowPlatforms() {
    const std::string chosen = environment("QT_QPA_PLATFORM");
    if (!chosen.empty()) return chosen;
    std::string platforms;
    if (!environment("WAYLAND_DISPLAY").empty()) platforms = "wayland";
    if (!environment("DISPLAY").empty()) platforms += platforms.empty() ? "xcb" : ";xcb";
    return platforms;
}

int fail(const Context& context, const Failure& failure) {
    std::cerr << context.role << ": " << failure.message << std::endl;
    showErrorWindow(context.role, failure.message);
    return exitCodeOf(failure.code);
}

}  // namespace q32::standin
