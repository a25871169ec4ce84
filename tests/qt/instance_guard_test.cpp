#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>

#include "platform/host/instance_lock.h"
#include "platform/qt/qt_instance_guard.h"
#include "qt_test_suites.h"

using namespace q32;

class InstanceGuardTest : public QObject {
    Q_OBJECT

private slots:
    void secondCopyWakesTheFirstOneOtherRequestsDoNot() {
        QTemporaryDir folder;
        host::InstanceLock firstLock(folder.path().toStdString());
        host::InstanceLock secondLock(folder.path().toStdString());
        QWidget firstWindow;
        firstWindow.resize(200, 100);
        firstWindow.showMaximized();
        firstWindow.showMinimized();
        QWidget secondWindow;
        QtInstanceGuard first(firstLock, &firstWindow);
        QtInstanceGuard second(secondLock, &secondWindow);
        QVERIFY(first.listening() && !first.otherCopyRunning());
        QVERIFY(!second.listening() && second.otherCopyRunning());

        QLocalSocket socket;
        socket.connectToServer(QString::fromStdString(firstLock.socketName()));
        QVERIFY(socket.waitForConnected(2000));
        socket.write("hello");
        QVERIFY(socket.waitForBytesWritten(2000));
        QTest::qWait(100);
        QVERIFY(firstWindow.windowState() & Qt::WindowMinimized);

        second.restoreOtherCopy();
        QTRY_VERIFY(!(firstWindow.windowState() & Qt::WindowMinimized));
        QVERIFY(firstWindow.windowState() & Qt::WindowMaximized);  // back as it was
        QVERIFY(firstWindow.isVisible());
        QVERIFY(!secondWindow.isVisible());
    }

    void aSocketLeftBehindDoesNotBlockTheName() {
        QTemporaryDir folder;
        QString name;
        {
            host::InstanceLock lock(folder.path().toStdString());
            name = QString::fromStdString(lock.socketName());
        }
        // A server that never closed its socket (as after a crash) holds the name.
        QLocalServer stale;
        QVERIFY(stale.listen(name));
        host::InstanceLock lock(folder.path().toStdString());
        QWidget window;
        QtInstanceGuard guard(lock, &window);
        QVERIFY(guard.listening());
    }
};

Q32_TEST_SUITE(InstanceGuardTest);

#include "instance_guard_test.moc"
