// The stand-ins' own short error window.
#include <QApplication>
#include <QMessageBox>

#include <cstdlib>
#include <iostream>

#include "standin.h"

namespace q32::standin {

namespace {

bool displayAvailable() {
    if (std::getenv("QUILLET32_NO_ERROR_WINDOW")) return false;
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && std::string(platform) == "offscreen") return false;
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
}

}  // namespace

int fail(const Context& context, const std::string& message) {
    std::cerr << context.role << ": " << message << std::endl;
    if (!displayAvailable()) return 1;
    int argc = 1;
    char name[] = "quillet32-standin";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QMessageBox box(QMessageBox::Critical, QString::fromStdString(context.role),
                    QString::fromStdString(message.substr(0, 2000)), QMessageBox::Ok);
    box.exec();
    return 1;
}

}  // namespace q32::standin
