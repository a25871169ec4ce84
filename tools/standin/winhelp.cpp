// winhelp.exe FILE: the program's help, an HTML text, in the help window.
// One window per help file: asked again, the open window comes forward.
// winhelp.exe -close FILE closes that window, if one is open.
#include <unistd.h>

#include <QApplication>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

#include <cstdlib>
#include <memory>

#include "help_window.h"
#include "platform/host/program_folder.h"
#include "standin.h"

namespace q32::standin {

namespace {

constexpr int kWaitMs = 2000;

// The help window's local socket, named after the user and the file.
QString serverName(const std::string& hostFile) {
    const QString file = QFileInfo(QString::fromStdString(hostFile)).canonicalFilePath();
    const QByteArray digest = QCryptographicHash::hash(file.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("quillet32-help-%1-%2").arg(::getuid()).arg(QString::fromLatin1(digest));
}

// Sends a request to the window that shows the file; false when none does.
bool tellOpenWindow(const QString& server, const QByteArray& request) {
    QLocalSocket socket;
    socket.connectToServer(server);
    if (!socket.waitForConnected(kWaitMs)) return false;
    socket.write(request);
    socket.waitForBytesWritten(kWaitMs);
    socket.waitForDisconnected(kWaitMs);
    return true;
}

void answerRequests(QLocalServer& server, HelpWindow& window) {
    QObject::connect(&server, &QLocalServer::newConnection, &window, [&server, &window] {
        QLocalSocket* socket = server.nextPendingConnection();
        QObject::connect(socket, &QLocalSocket::readyRead, &window, [socket, &window] {
            const QByteArray request = socket->readAll();
            socket->disconnectFromServer();
            if (request.startsWith("close")) {
                QApplication::quit();
                return;
            }
            window.showNormal();
            window.raise();
            window.activateWindow();
        });
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    });
}

int closeHelp(const Context& context, int argc, char** argv) {
    const auto host = context.hostPath(joinWords(context.args, 1));
    if (!host) return 0;
    QCoreApplication app(argc, argv);
    tellOpenWindow(serverName(*host), "close");
    return 0;
}

int showHelp(const Context& context, int argc, char** argv) {
    const std::string file = joinWords(context.args);
    const auto host = context.hostPath(file);
    QFile help(QString::fromStdString(host.value_or("")));
    if (!host || !help.open(QIODevice::ReadOnly))
        return fail(context, {ExitCode::CannotOpen, "Cannot open the help file " + file});
    const QString html = QString::fromUtf8(help.readAll());

    // Without a display Qt would abort the process: told instead.
    const std::string platforms = windowPlatforms();
    if (platforms.empty())
        return fail(context, {ExitCode::NoDisplay, "No display to show the help file " + file + " on"});
    ::setenv("QT_QPA_PLATFORM", platforms.c_str(), 1);
    QApplication app(argc, argv);
    const QString name = serverName(*host);
    if (tellOpenWindow(name, "show")) return 0;
    // Pictures lie beside the help file, or beside the program when the
    // help file is a per-user copy.
    HelpWindow window(html, {QFileInfo(help).absolutePath(), QString::fromStdString(host::executableFolder())});
    QLocalServer server;
    // A name left by a window that did not end cleanly is taken over.
    if (!server.listen(name) && QLocalServer::removeServer(name)) server.listen(name);
    answerRequests(server, window);
    window.show();
    return app.exec();
}

}  // namespace

int runWinhelp(const Context& context, int argc, char** argv) {
    if (!context.args.empty() && context.args.front() == "-close") return closeHelp(context, argc, argv);
    return showHelp(context, argc, argv);
}

}  // namespace q32::standin
