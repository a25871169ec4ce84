// The stand-ins' own windows: a short error window, and the help window.
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTextBrowser>

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

// winhelp.exe FILE: the program's help, an HTML text, in a window of its own.
int runWinhelp(const Context& context, int argc, char** argv) {
    const std::string file = joinWords(context.args);
    auto host = context.hostPath(file);
    QFile help(QString::fromStdString(host.value_or("")));
    if (!host || !help.open(QIODevice::ReadOnly)) return fail(context, "Cannot open the help file " + file);
    const QString text = QString::fromUtf8(help.readAll());
    QApplication app(argc, argv);
    QTextBrowser browser;
    browser.setWindowTitle("Quillet32 Help");
    browser.setOpenExternalLinks(true);
    if (Qt::mightBeRichText(text)) browser.setHtml(text);
    else browser.setPlainText(text);
    browser.resize(640, 480);
    browser.show();
    return app.exec();
}

}  // namespace q32::standin
