// One running copy per program folder. The copy that holds the lock listens
// on a local socket; a second copy asks it through that socket to restore
// its window and come to the front, then ends. Under Wayland the second
// copy hands on its activation token, so that the compositor lets the
// first copy's window come to the front.
#pragma once

#include <QLocalServer>
#include <QPointer>
#include <QWidget>
#include <memory>

#include "platform/controls.h"
#include "platform/host/instance_lock.h"

namespace q32 {

class QtInstanceGuard : public InstanceGuard {
public:
    // `window` is the window to bring back when another copy asks.
    QtInstanceGuard(const host::InstanceLock& lock, QWidget* window);
    ~QtInstanceGuard() override;
    QtInstanceGuard(const QtInstanceGuard&) = delete;
    QtInstanceGuard& operator=(const QtInstanceGuard&) = delete;

    bool otherCopyRunning() const override { return !acquired_; }
    void restoreOtherCopy() override;

    // Whether this copy listens for the others.
    bool listening() const { return server_ && server_->isListening(); }

private:
    void readRequest(QLocalSocket* socket);
    void restoreWindow(const QByteArray& activationToken);

    bool acquired_;
    QString socketName_;
    QPointer<QWidget> window_;
    std::unique_ptr<QLocalServer> server_;
};

}  // namespace q32
