#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>

#include "app/main_window.h"
#include "platform/host/host_processes.h"
#include "platform/qt/qt_ui.h"
#include "platform/zip/zip_archive_engine.h"
#include "qt_test_suites.h"
#include "support/test_drive.h"

using namespace q32;

namespace {

struct RealWindow {
    test::TestDrive drive;
    std::unique_ptr<host::InstanceLock> lock;
    host::HostProcesses processes{{}};
    zip::ZipArchiveEngine zip{drive.fs().driveTable()};
    std::unique_ptr<QtUi> ui;

    RealWindow() {
        drive.makeFolder("c:\\Quillet32");
        for (const char* name : {"a.zip", "B.ZIP", "c.rar", "notes.txt"})
            drive.writeFile(std::string("c:\\Games\\") + name);
        lock = std::make_unique<host::InstanceLock>(drive.host("c:\\Quillet32"));
        ui = std::make_unique<QtUi>(drive.fs(), *lock, "c:\\Quillet32", processes, zip);
    }
};

}  // namespace

class QtUiTest : public QObject {
    Q_OBJECT

private slots:
    void startUpThroughTheRealWindow() {
        RealWindow w;
        MainWindow window(w.ui->platform());
        window.Form_Load();
        QVERIFY(w.ui->form().isShown());
        QVERIFY(!w.ui->splash().isShown());
        QVERIFY(w.ui->toolbar().isDown(1));
        QVERIFY(QTest::qWaitForWindowExposed(w.ui->form().window()));

        // The tree and the list lie exactly on the panes, above them, also once the window changes size.
        const QObjectList& stack = w.ui->splitter().widget()->children();
        const int panes = stack.indexOf(w.ui->splitter().bar());
        QVERIFY(stack.indexOf(w.ui->tree().widget()) > panes && stack.indexOf(w.ui->list().widget()) > panes);
        QCOMPARE(w.ui->tree().widget()->geometry(), w.ui->splitter().paneWidget(1)->geometry());
        Rect bigger = w.ui->form().geometry();
        bigger.width += 1500;
        bigger.height += 900;
        w.ui->form().setGeometry(bigger);
        QCOMPARE(w.ui->list().widget()->geometry(), w.ui->splitter().paneWidget(2)->geometry());

        // A kind button clicked by the user reaches the program (the kind's lists: tests/app).
        QTest::mouseClick(w.ui->toolbar().button(2), Qt::LeftButton);
        QVERIFY(w.ui->toolbar().isDown(2));
        QVERIFY(!w.ui->toolbar().isDown(1));
        QCOMPARE(w.ui->panel2().caption(), std::string("*.rar"));

        w.ui->form().unload();
        QVERIFY(!w.ui->form().isShown());
    }

    // Ctrl+S and Ctrl+T typed in the real window test the folder's two
    // archives, which are no archives at all (the report and the renamed
    // archives: tests/ziptest).
    void ctrlTTestsTheSelectedArchives() {
        RealWindow w;
        MainWindow window(w.ui->platform());
        window.Form_Load();
        QVERIFY(QTest::qWaitForWindowExposed(w.ui->form().window()));
        QVERIFY(w.ui->tree().setPath("c:\\Games"));
        QVERIFY(w.ui->list().setPath("c:\\Games"));
        QTest::keyClick(w.ui->form().window(), Qt::Key_S, Qt::ControlModifier);
        QTest::keyClick(w.ui->form().window(), Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(w.ui->panel3().caption(), std::string(" Found 2 zip error(s)"));
        w.ui->form().unload();
    }

    // A second copy ends before it does anything and brings the first back
    // as it was; other requests on the socket do not.
    void secondCopyEndsAndRestoresTheFirst() {
        RealWindow first;
        MainWindow window(first.ui->platform());
        window.Form_Load();
        QWidget* shown = first.ui->form().window();
        shown->showMaximized();
        shown->showMinimized();
        QLocalSocket socket;
        socket.connectToServer(QString::fromStdString(first.lock->socketName()));
        QVERIFY(socket.waitForConnected(2000));
        socket.write("hello");
        QVERIFY(socket.waitForBytesWritten(2000));
        QTest::qWait(100);
        QVERIFY(shown->windowState() & Qt::WindowMinimized);

        host::InstanceLock secondLock(first.drive.host("c:\\Quillet32"));
        QtUi secondUi(first.drive.fs(), secondLock, "c:\\Quillet32", first.processes, first.zip);
        MainWindow second(secondUi.platform());
        second.Form_Load();
        QVERIFY(secondUi.form().isUnloaded() && !secondUi.form().isShown());
        QTRY_VERIFY(!(shown->windowState() & Qt::WindowMinimized));
        QVERIFY(shown->windowState() & Qt::WindowMaximized);
        QVERIFY(shown->isVisible());
        first.ui->form().unload();
    }

    void aSocketLeftBehindDoesNotBlockTheName() {
        QTemporaryDir folder;
        host::InstanceLock lock(folder.path().toStdString());
        // A server that never closed its socket (as after a crash) holds the name.
        QLocalServer stale;
        QVERIFY(stale.listen(QString::fromStdString(lock.socketName())));
        QWidget window;
        QtInstanceGuard guard(lock, &window);
        QVERIFY(guard.listening());
    }
};

Q32_TEST_SUITE(QtUiTest);

#include "qt_ui_test.moc"
