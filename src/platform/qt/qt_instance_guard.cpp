#include "platform/qt/qt_instance_guard.h"

#include <QLocalSocket>

namespace q32 {

namespace {

// "restore", then the activation token the second copy was started with,
// if any, and a line feed.
constexpr char kRestore[] = "restore";
constexpr int kWaitMilliseconds = 2000;
// The token a launcher gives the program it starts, which lets that
// program's window come to the front under Wayland; handed on, it lets
// the first copy's window come instead.
constexpr char kActivationToken[] = "XDG_ACTIVATION_TOKEN";

}  // namespace

QtInstanceGuard::QtInstanceGuard(const host::InstanceLock& lock, QWidget* window)
    : acquired_(lock.acquired()), socketName_(QString::fromStdString(lock.socketName())), window_(window) {
    if (!acquired_) return;
    // A socket left behind by a copy that crashed would block the name.
    QLocalServer::removeServer(socketName_);
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] { readRequest(socket); });
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            if (socket->bytesAvailable() > 0) readRequest(socket);
        }
    });
    server_->listen(socketName_);
}

QtInstanceGuard::~QtInstanceGuard() {
    if (server_) server_->close();
}

void QtInstanceGuard::readRequest(QLocalSocket* socket) {
    // The request may come in pieces; it is read once it is whole.
    if (!socket->canReadLine()) return;
    const QList<QByteArray> words = socket->readLine().trimmed().split(' ');
    if (words.front() != kRestore) return;
    restoreWindow(words.size() > 1 ? words[1] : QByteArray());
}

void QtInstanceGuard::restoreWindow(const QByteArray& activationToken) {
    if (!window_) return;
    // Out of the task bar, back in the state it had: a maximised window
    // stays maximised.
    window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    window_->show();
    window_->raise();
    // Qt's Wayland platform asks the compositor with the token it finds in
    // the environment, and takes it from there.
    if (!activationToken.isEmpty()) qputenv(kActivationToken, activationToken);
    window_->activateWindow();
    qunsetenv(kActivationToken);
}

void QtInstanceGuard::restoreOtherCopy() {
    QLocalSocket socket;
    socket.connectToServer(socketName_);
    if (!socket.waitForConnected(kWaitMilliseconds)) return;
    const QByteArray token = qgetenv(kActivationToken);
    socket.write(QByteArray(kRestore) + (token.isEmpty() ? "" : " " + token) + "\n");
    socket.waitForBytesWritten(kWaitMilliseconds);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(kWaitMilliseconds);
}

}  // namespace q32
