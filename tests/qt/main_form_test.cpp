// The main window: its form alone (drops, keys, geometry, closing, clicks,
// painting), then a few flows through the real window with every control
// and the program.
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QLocalSocket>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "app/main_window.h"
#include "platform/qt/qt_main_form.h"
#include "real_window.h"
#include "support/test_drive.h"

using namespace q32;
using test::RealWindow;

namespace {

using KeyDowns = std::vector<std::pair<int, int>>;

struct FormWindow {
    test::TestDrive drive;
    QtMainForm form{drive.fs().driveTable()};
    QLineEdit* edit = new QLineEdit(form.inner());
    QListWidget* list = new QListWidget(form.inner());
    KeyDowns keyDowns;
    std::vector<int> keyPresses;
    std::vector<MouseButton> mouseDowns;

    FormWindow() {
        edit->setGeometry(10, 10, 100, 24);
        list->setGeometry(10, 50, 100, 100);
        list->addItems({"one", "two"});
        form.onKeyDown = [this](int code, int shift) { keyDowns.push_back({code, shift}); };
        form.onKeyPress = [this](int character) { keyPresses.push_back(character); };
        form.onMouseDown = [this](MouseButton button) { mouseDowns.push_back(button); };
        form.setGeometry({1500, 1500, 7500, 6000});
    }

    void showActive() {
        form.show();
        form.window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.window()));
    }

    // A drag from a file manager that comes in, moves and is dropped; true
    // when the window takes it as it comes in.
    bool drop(const QMimeData& data) {
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        enter.setAccepted(false);
        QApplication::sendEvent(form.window(), &enter);
        QDragMoveEvent move(QPoint(30, 30), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.window(), &move);
        QDropEvent event(QPointF(30, 30), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.window(), &event);
        return enter.isAccepted();
    }

    bool drop(const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        return drop(data);
    }
};

class PaintCounter : public QWidget {
public:
    using QWidget::QWidget;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

}  // namespace

class MainFormTest : public QObject {
    Q_OBJECT

private slots:
    void droppedLocalFilesArriveAsVirtualPathsInOrder() {
        FormWindow w;
        w.drive.writeFile("c:\\Games\\B.ZIP");
        w.drive.writeFile("c:\\a.zip");
        QTemporaryDir elsewhere;
        std::vector<std::vector<std::string>> drops;
        w.form.onDropFiles = [&](const std::vector<std::string>& paths) { drops.push_back(paths); };
        const QUrl outside = QUrl::fromLocalFile(elsewhere.filePath("outside.zip"));
        QVERIFY(w.drop({QUrl::fromLocalFile(QString::fromStdString(w.drive.host("c:\\Games\\B.ZIP"))),
                        QUrl("https://example.invalid/x.zip"), outside,
                        QUrl::fromLocalFile(QString::fromStdString(w.drive.host("c:\\a.zip")))}));
        QTRY_COMPARE(drops.size(), std::size_t(1));
        QCOMPARE(drops[0], std::vector<std::string>({"c:\\Games\\B.ZIP", "c:\\a.zip"}));
        // Nothing that can be named: no drop for the program; a drag of text is refused at once.
        w.drop({outside});
        QMimeData text;
        text.setText("just text");
        QVERIFY(!w.drop(text));
        QTest::qWait(20);
        QCOMPARE(drops.size(), std::size_t(1));
    }

    void windowSeesEveryKeyOfItsControlsOnceAndTheControlsStillGetThem() {
        FormWindow w;
        w.showActive();
        w.list->setFocus();
        QTest::keyClick(w.list, Qt::Key_F1);
        QTest::keyClick(w.list, Qt::Key_Escape);
        QTest::keyClick(w.list, Qt::Key_S, Qt::ControlModifier);
        w.edit->setFocus();
        QTest::keyClick(w.edit, 'A', Qt::ShiftModifier);
        QTest::keyClick(w.edit, 'q');
        QCOMPARE(w.edit->text(), QStringLiteral("Aq"));
        QTest::keyClick(w.edit, Qt::Key_Left);
        QTest::keyClick(w.edit, Qt::Key_Return);
        QTest::keyClick(w.edit, Qt::Key_T, Qt::ControlModifier);
        QTest::keyClick(w.edit, Qt::Key_X, Qt::AltModifier);
        // Tab is the program's key: the focus stays.
        QTest::keyClick(w.edit, Qt::Key_Tab);
        QVERIFY(w.edit->hasFocus());
        // Shift, Ctrl and Alt themselves go down before the key.
        QCOMPARE(w.keyDowns, KeyDowns({{112, 0}, {27, 0}, {17, 2}, {'S', 2}, {16, 1}, {'A', 1}, {'Q', 0}, {37, 0},
                                       {13, 0}, {17, 2}, {'T', 2}, {18, 4}, {'X', 4}, {9, 0}}));
        QCOMPARE(w.keyPresses, std::vector<int>({27, 19, 'A', 'q', 13, 20, 9}));
        // Keys of other windows are not seen.
        QLineEdit other;
        other.show();
        QTest::keyClick(&other, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(w.keyDowns.size(), std::size_t(14));
    }

    void outerGeometryInTwipsInnerSizeAndStatesWithTheirResizeReports() {
        FormWindow w;
        w.showActive();
        // Once the frame is known the outer rectangle is still the one asked for.
        QCOMPARE(w.form.geometry(), (Rect{1500, 1500, 7500, 6000}));
        int resizes = 0;
        double widthSeen = 0;
        w.form.onResize = [&] {
            ++resizes;
            widthSeen = w.form.innerWidth();
        };
        const Rect moved{3000, 750, 9000, 6750};
        w.form.setGeometry(moved);
        QCOMPARE(w.form.geometry(), moved);
        QVERIFY(resizes >= 1);
        QCOMPARE(widthSeen, w.form.innerWidth());
        QVERIFY(w.form.innerHeight() < moved.height);
        for (WindowState state : {WindowState::Minimized, WindowState::Normal, WindowState::Maximized}) {
            resizes = 0;
            w.form.setWindowState(state);
            QCOMPARE(w.form.windowState(), state);
            QVERIFY(resizes >= 1 || state == WindowState::Maximized);
        }
    }

    void theCloseBoxAsksTheProgramAndTheLeaveTakingRunsOnce() {
        for (bool closeBox : {false, true}) {
            FormWindow w;
            bool mayClose = !closeBox, shownWhileUnloading = false;
            int unloads = 0;
            w.form.onQueryUnload = [&] { return mayClose; };
            w.form.onUnload = [&] {
                ++unloads;
                shownWhileUnloading = w.form.isShown();
            };
            w.form.show();
            if (closeBox) {
                QVERIFY(!w.form.window()->close());  // the program keeps the window open
                QVERIFY(w.form.isShown());
                QCOMPARE(unloads, 0);
                mayClose = true;
                QVERIFY(w.form.window()->close());
            } else {
                w.form.unload();
            }
            QCOMPARE(unloads, 1);
            QVERIFY(shownWhileUnloading);
            QVERIFY(w.form.isUnloaded() && !w.form.isShown());
            w.form.unload();
            w.form.window()->close();
            QCOMPARE(unloads, 1);
        }
    }

    void rightClickOnTheBackgroundOnly() {
        FormWindow w;
        w.showActive();
        QTest::mouseClick(w.form.inner(), Qt::RightButton, {}, QPoint(300, 300));
        QTest::mouseClick(w.form.inner(), Qt::LeftButton, {}, QPoint(300, 300));
        QTest::mouseClick(w.list->viewport(), Qt::RightButton, {}, QPoint(5, 5));
        // A frame takes no clicks itself, yet it is not the background.
        QFrame* frame = new QFrame(w.form.inner());
        frame->setGeometry(200, 10, 80, 30);
        frame->show();
        QTest::mouseClick(frame, Qt::RightButton, {}, QPoint(5, 5));
        QCOMPARE(w.mouseDowns, std::vector<MouseButton>({MouseButton::Right, MouseButton::Left}));
    }

    void repaintPaintsAtOnce() {
        FormWindow w;
        PaintCounter* counter = new PaintCounter(w.form.inner());
        counter->setGeometry(200, 10, 50, 50);
        w.showActive();
        QCoreApplication::processEvents();
        const int before = counter->paints;
        w.form.repaint();  // not on the next round of the event loop
        QVERIFY(counter->paints > before);
    }

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
        QCOMPARE(w.ui->panel2().caption(), std::string("*.rar"));

        w.ui->form().unload();
        QVERIFY(!w.ui->form().isShown());
    }

    // Ctrl+S and Ctrl+T typed in the real window test the folder's two
    // archives, which are no archives at all (the report and the renamed
    // archives: tests/zip_test_command).
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
        socket.write("hello\n");
        QVERIFY(socket.waitForBytesWritten(2000));
        QTest::qWait(100);
        QVERIFY(shown->windowState() & Qt::WindowMinimized);

        QVERIFY(first.secondCopyEnds());
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

QTEST_MAIN(MainFormTest)

#include "main_form_test.moc"
