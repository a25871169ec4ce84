#include "platform/qt/qt_instance_guard.h"

#include <QLocalSocket>

namespace q32 {

namespace {

constexpr char kRestore[] = "restore";
constexpr int kWaitMilliseconds = 2000;

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
    if (!socket->peek(socket->bytesAvailable()).contains(kRestore)) return;
    socket->readAll();
    restoreWindow();
}

void QtInstanceGuard::restoreWindow() {
    if (!window_) return;
    // Out of the task bar, back in the state it had: a maximised window
    // stays maximised.
    window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void QtInstanceGuard::restoreOtherCopy() {
    QLocalSocket socket;
    socket.connectToServer(socketName_);
    if (!socket.waitForConnected(kWaitMilliseconds)) return;
    socket.write(kRestore);
    socket.waitForBytesWritten(kWaitMilliseconds);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(kWaitMilliseconds);
}

}  // namespace q32
