#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include "platform/qt/qt_main_form.h"
#include "platform/qt/twips.h"
#include "qt_test_suites.h"
#include "test_drive.h"

using namespace q32;
using q32::test::QtTestDrive;

namespace {

struct FormWindow {
    QtTestDrive drive;
    QtMainForm form{drive.table()};
    QLineEdit* edit;
    QListWidget* list;
    std::vector<std::pair<int, int>> keyDowns;
    std::vector<int> keyPresses;

    FormWindow() {
        edit = new QLineEdit(form.inner());
        edit->setGeometry(10, 10, 100, 24);
        list = new QListWidget(form.inner());
        list->setGeometry(10, 50, 100, 100);
        list->addItems({"one", "two"});
        form.onKeyDown = [this](int code, int shift) { keyDowns.push_back({code, shift}); };
        form.onKeyPress = [this](int character) { keyPresses.push_back(character); };
        form.setGeometry({1500, 1500, 7500, 6000});
    }

    void showActive() {
        form.show();
        form.window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.window()));
    }

    // A drag from a file manager that ends on the window: it comes in, moves
    // and is dropped.
    void drop(const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.window(), &enter);
        QDragMoveEvent move(QPoint(30, 30), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.window(), &move);
        QDropEvent event(QPointF(30, 30), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.window(), &event);
    }
};

using KeyDowns = std::vector<std::pair<int, int>>;

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
        w.drive.makeFolder("Games");
        w.drive.writeFile("Games/B.ZIP");
        w.drive.writeFile("a.zip");
        QTemporaryDir elsewhere;
        std::vector<std::vector<std::string>> drops;
        w.form.onDropFiles = [&](const std::vector<std::string>& paths) { drops.push_back(paths); };

        w.drop({QUrl::fromLocalFile(w.drive.host("Games/B.ZIP")), QUrl("https://example.invalid/x.zip"),
                QUrl::fromLocalFile(elsewhere.filePath("outside.zip")), QUrl::fromLocalFile(w.drive.host("a.zip"))});
        QTRY_COMPARE(drops.size(), std::size_t(1));
        QCOMPARE(drops[0], std::vector<std::string>({"c:\\Games\\B.ZIP", "c:\\a.zip"}));

        // Nothing that can be named: no drop for the program.
        w.drop({QUrl::fromLocalFile(elsewhere.filePath("outside.zip"))});
        QTest::qWait(20);
        QCOMPARE(drops.size(), std::size_t(1));
    }

    void dragsOfFilesAreAcceptedOthersNot() {
        FormWindow w;
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile(w.drive.host("a.zip"))});
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        enter.setAccepted(false);
        QApplication::sendEvent(w.form.window(), &enter);
        QVERIFY(enter.isAccepted());
        QDragLeaveEvent leave;
        QApplication::sendEvent(w.form.window(), &leave);
        QMimeData text;
        text.setText("just text");
        QDragEnterEvent textEnter(QPoint(20, 20), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
        textEnter.setAccepted(false);
        QApplication::sendEvent(w.form.window(), &textEnter);
        QVERIFY(!textEnter.isAccepted());
        QVERIFY(w.form.window()->acceptDrops());
    }

    void windowSeesEveryKeyOfItsControlsOnce() {
        FormWindow w;
        w.showActive();
        w.list->setFocus();
        QTest::keyClick(w.list, Qt::Key_F1);
        QTest::keyClick(w.list, Qt::Key_Escape);
        QTest::keyClick(w.list, Qt::Key_S, Qt::ControlModifier);
        QTest::keyClick(w.edit, Qt::Key_T, Qt::ControlModifier);
        QTest::keyClick(w.edit, Qt::Key_I, Qt::ControlModifier);
        // The Ctrl key itself goes down before each letter.
        QCOMPARE(w.keyDowns, KeyDowns({{112, 0}, {27, 0}, {17, 2}, {'S', 2}, {17, 2}, {'T', 2}, {17, 2}, {'I', 2}}));
        QCOMPARE(w.keyPresses, std::vector<int>({27, 19, 20, 9}));
    }

    void charactersAndKeyCodes() {
        FormWindow w;
        w.showActive();
        w.edit->setFocus();
        QTest::keyClick(w.edit, 'A', Qt::ShiftModifier);
        QTest::keyClick(w.edit, 'q');
        QTest::keyClick(w.edit, '7');
        // The control still gets its keys.
        QCOMPARE(w.edit->text(), QStringLiteral("Aq7"));
        QTest::keyClick(w.edit, Qt::Key_Left);
        QTest::keyClick(w.edit, Qt::Key_Return);
        QTest::keyClick(w.edit, Qt::Key_X, Qt::AltModifier);
        QCOMPARE(w.keyDowns, KeyDowns({{16, 1}, {'A', 1}, {'Q', 0}, {'7', 0}, {37, 0}, {13, 0}, {18, 4}, {'X', 4}}));
        QCOMPARE(w.keyPresses, std::vector<int>({'A', 'q', '7', 13}));
    }

    void tabIsTheProgramsKeyAndKeepsTheFocus() {
        FormWindow w;
        w.showActive();
        w.edit->setFocus();
        QVERIFY(w.edit->hasFocus());
        QTest::keyClick(w.edit, Qt::Key_Tab);
        QCOMPARE(w.keyDowns, KeyDowns({{9, 0}}));
        QCOMPARE(w.keyPresses, std::vector<int>({9}));
        QVERIFY(w.edit->hasFocus());
    }

    void keysOfOtherWindowsAreNotSeen() {
        FormWindow w;
        QLineEdit other;
        other.show();
        QTest::keyClick(&other, Qt::Key_S, Qt::ControlModifier);
        QTest::keyClick(&other, Qt::Key_Escape);
        QVERIFY(w.keyDowns.empty());
        QVERIFY(w.keyPresses.empty());
    }

    void outerGeometryInTwipsAndInnerSize() {
        FormWindow w;
        const Rect asked{1500, 1500, 7500, 6000};
        QCOMPARE(w.form.geometry(), asked);
        w.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(w.form.window()));
        // Once the frame is known the outer rectangle is still the one asked for.
        QCOMPARE(w.form.geometry(), asked);
        const Rect moved{3000, 750, 9000, 6750};
        w.form.setGeometry(moved);
        QCOMPARE(w.form.geometry(), moved);
        const TwipsScale scale = TwipsScale::screen();
        QCOMPARE(w.form.innerWidth(), scale.toTwipsX(w.form.inner()->width()));
        QCOMPARE(w.form.innerHeight(), scale.toTwipsY(w.form.inner()->height()));
        QVERIFY(w.form.innerWidth() <= moved.width);
        QVERIFY(w.form.innerHeight() < moved.height);
    }

    void resizesAndStateChangesAreReported() {
        FormWindow w;
        w.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(w.form.window()));
        int resizes = 0;
        double widthSeen = 0;
        w.form.onResize = [&] {
            ++resizes;
            widthSeen = w.form.innerWidth();
        };
        w.form.setGeometry({1500, 1500, 9000, 6000});
        QVERIFY(resizes >= 1);
        QCOMPARE(widthSeen, w.form.innerWidth());
        resizes = 0;
        w.form.setWindowState(WindowState::Minimized);
        QCOMPARE(w.form.windowState(), WindowState::Minimized);
        QVERIFY(resizes >= 1);
        resizes = 0;
        w.form.setWindowState(WindowState::Normal);
        QCOMPARE(w.form.windowState(), WindowState::Normal);
        QVERIFY(resizes >= 1);
        w.form.setWindowState(WindowState::Maximized);
        QCOMPARE(w.form.windowState(), WindowState::Maximized);
        QVERIFY(w.form.window()->windowState() & Qt::WindowMaximized);
    }

    void unloadRunsTheProgramsLeaveTakingOnce() {
        FormWindow w;
        int unloads = 0;
        bool shownWhileUnloading = false;
        w.form.onUnload = [&] {
            ++unloads;
            shownWhileUnloading = w.form.isShown();
        };
        w.form.show();
        QVERIFY(w.form.isShown());
        w.form.unload();
        QCOMPARE(unloads, 1);
        QVERIFY(shownWhileUnloading);
        QVERIFY(w.form.isUnloaded());
        QVERIFY(!w.form.isShown());
        w.form.unload();
        w.form.window()->close();
        QCOMPARE(unloads, 1);
    }

    void closeBoxUnloadsToo() {
        FormWindow w;
        int unloads = 0;
        w.form.onUnload = [&] { ++unloads; };
        w.form.show();
        QVERIFY(w.form.window()->close());
        QCOMPARE(unloads, 1);
        QVERIFY(w.form.isUnloaded());
        w.form.unload();
        QCOMPARE(unloads, 1);
    }

    void rightClickOnTheBackgroundOnly() {
        FormWindow w;
        w.form.setGeometry({1500, 1500, 7500, 6000});
        w.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(w.form.window()));
        std::vector<MouseButton> downs;
        w.form.onMouseDown = [&](MouseButton button) { downs.push_back(button); };
        QTest::mouseClick(w.form.inner(), Qt::RightButton, {}, QPoint(300, 300));
        QTest::mouseClick(w.form.inner(), Qt::LeftButton, {}, QPoint(300, 300));
        QTest::mouseClick(w.list->viewport(), Qt::RightButton, {}, QPoint(5, 5));
        // A frame takes no clicks itself, yet it is not the background.
        QFrame* frame = new QFrame(w.form.inner());
        frame->setGeometry(200, 10, 80, 30);
        frame->show();
        QTest::mouseClick(frame, Qt::RightButton, {}, QPoint(5, 5));
        QCOMPARE(downs, std::vector<MouseButton>({MouseButton::Right, MouseButton::Left}));
    }

    void captionBusyPointerAndRepaint() {
        FormWindow w;
        w.form.setCaption("Quillet32");
        QCOMPARE(w.form.caption(), std::string("Quillet32"));
        QCOMPARE(w.form.window()->windowTitle(), QStringLiteral("Quillet32"));
        w.form.setBusy(true);
        QCOMPARE(w.form.window()->cursor().shape(), Qt::WaitCursor);
        w.form.setBusy(false);
        QCOMPARE(w.form.window()->cursor().shape(), Qt::ArrowCursor);
        PaintCounter* counter = new PaintCounter(w.form.inner());
        counter->setGeometry(200, 10, 50, 50);
        w.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(w.form.window()));
        QCoreApplication::processEvents();
        const int before = counter->paints;
        // Painted at once, not on the next round of the event loop.
        w.form.repaint();
        QVERIFY(counter->paints > before);
    }
};

Q32_TEST_SUITE(MainFormTest);

#include "main_form_test.moc"
