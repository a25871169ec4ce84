// The controls of the main window's top and middle: toolbar, menus, status
// panel and splitter, together on one window as the program places them.
#include <QApplication>
#include <QEnterEvent>
#include <QMainWindow>
#include <QMouseEvent>
#include <QSplitterHandle>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "platform/qt/qt_menu_bar.h"
#include "platform/qt/qt_splitter.h"
#include "platform/qt/qt_status_panel.h"
#include "platform/qt/qt_toolbar.h"
#include "platform/qt/toolbar_icons.h"

using namespace q32;

namespace {

using enum ButtonStyle;
// Separators count in the numbering: index 4 and 8 have no button.
const std::pair<const char*, ButtonStyle> kButtons[] = {
    {"zip", Group},     {"rar", Group},  {"ace", Group},  {"", Separator}, {"nfo", Plain},
    {"install", Plain}, {"test", Plain}, {"", Separator}, {"exit", Plain}};

struct ControlsWindow {
    QMainWindow window;
    QWidget* inner = new QWidget;
    QtMenuBar menus{window.menuBar()};
    QtToolbar toolbar{inner};
    QtStatusPanel panel{inner};
    QtSplitter splitter{inner};
    std::vector<int> clicks;
    std::vector<std::string> triggered;
    int resizes = 0;

    // Shown and active unless told otherwise.
    explicit ControlsWindow(bool show = true) {
        window.setCentralWidget(inner);
        window.resize(700, 560);
        menus.addMenu("popup", "&File");
        menus.addEntry("popup", "install", "&Install files...", "Ctrl+I");
        menus.addEntry("popup", "test", "&Test files...", "Ctrl+T");
        menus.addSeparator("popup");
        menus.addEntry("popup", "exit0", "E&xit", "");
        menus.addEntry("nothing", "ghost", "Ghost", "");  // a menu that does not exist: goes nowhere
        menus.onTriggered = [this](const std::string& entry) { triggered.push_back(entry); };
        for (const auto& [key, style] : kButtons) toolbar.addButton(key, style, "");
        toolbar.setGeometry({60, 75, 0, 450});
        toolbar.onButtonClick = [this](int index) { clicks.push_back(index); };
        panel.widget()->setGeometry(10, 50, 300, 24);
        splitter.onResize = [this] { ++resizes; };
        splitter.addSecondPane("File1");
        splitter.setPane1Width(3000);
        splitter.setGeometry({75, 1500, 9000, 6000});
        if (!show) return;
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    std::vector<int> downButtons() const {
        std::vector<int> down;
        for (int index = 1; index <= toolbar.count(); ++index) {
            if (toolbar.isDown(index)) down.push_back(index);
        }
        return down;
    }

    void click(int index) { QTest::mouseClick(toolbar.button(index), Qt::LeftButton); }

    // Pixels of a button's second row in the highlight colour.
    int framedPixels(int index) const {
        const QImage picture = toolbar.button(index)->grab().toImage();
        const QRgb highlight = toolbar.button(index)->palette().color(QPalette::Highlight).rgb();
        int count = 0;
        for (int x = 0; x < picture.width(); ++x) count += QColor(picture.pixel(x, 1)).rgb() == highlight;
        return count;
    }

    // Columns of the panel's inside, from its left edge, that hold a pixel in the highlight colour.
    int filledColumns(int upTo) const {
        const QRgb highlight = panel.widget()->palette().color(QPalette::Highlight).rgb();
        const QImage image = panel.widget()->grab().toImage();
        const int left = panel.widget()->contentsRect().left();
        int columns = 0;
        for (int x = left; x < left + upTo; ++x) {
            for (int y = 3; y < image.height() - 3; ++y) {
                if (QColor(image.pixel(x, y)).rgb() == highlight) {
                    ++columns;
                    break;
                }
            }
        }
        return columns;
    }

    // Opens a menu as a popup and types the keys into it once it shows.
    QWidget* popup(const std::string& menu, std::vector<Qt::Key> keys) {
        QWidget* shown = nullptr;
        QTimer::singleShot(0, [&shown, keys] {
            shown = QApplication::activePopupWidget();
            if (!shown) return;
            for (Qt::Key key : keys) QTest::keyClick(shown, key);
        });
        menus.popup(menu);
        return shown;
    }

    void sendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
};

}  // namespace

class ControlsTest : public QObject {
    Q_OBJECT

private slots:
    // On a scaled screen a button's picture is drawn at the scaled size, not stretched from another.
    void toolbarPicturesAreDrawnAtTheSizeOfTheScreen() {
        for (const qreal ratio : {1.0, 1.5, 2.0, 3.0}) {
            QImage shown = toolbarIcon("zip").pixmap(QSize(24, 24), ratio).toImage();
            shown.setDevicePixelRatio(1);
            const QImage drawn = drawnToolbarPicture("zip", qRound(24 * ratio)).toImage();
            QCOMPARE(shown.convertToFormat(drawn.format()), drawn);
        }
    }

    void oneGroupButtonStaysDownPlainButtonsDoNot() {
        ControlsWindow w;
        w.toolbar.setDown(1, true);
        QCOMPARE(w.downButtons(), std::vector<int>({1}));
        for (int index : {3, 3, 2, 9, 6}) w.click(index);
        // A click on the button that is down leaves it down.
        QCOMPARE(w.clicks, std::vector<int>({3, 3, 2, 9, 6}));
        QCOMPARE(w.downButtons(), std::vector<int>({2}));
        // The button that is down is framed in the highlight colour, the others are not.
        QVERIFY(w.framedPixels(2) > w.toolbar.button(2)->width() / 2);
        QCOMPARE(w.framedPixels(1), 0);
        // The program moves the group's button without a click, and can lift it.
        w.toolbar.setDown(3, true);
        QCOMPARE(w.downButtons(), std::vector<int>({3}));
        w.toolbar.setDown(3, false);
        QCOMPARE(w.downButtons(), std::vector<int>());
        QCOMPARE(w.clicks.size(), std::size_t(5));
    }

    void pointerAndClicksReachTheProgramDisabledButtonsIgnoreClicks() {
        ControlsWindow w;
        std::vector<std::string> seen;
        w.toolbar.onMouseEnter = [&] { seen.push_back("enter"); };
        w.toolbar.onMouseExit = [&] { seen.push_back("exit"); };
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(w.toolbar.widget(), &enter);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(w.toolbar.widget(), &leave);
        QCOMPARE(seen, std::vector<std::string>({"enter", "exit"}));
        for (int index : {5, 6, 7}) w.toolbar.setEnabled(index, false);
        w.click(6);
        w.click(9);
        w.toolbar.setEnabled(6, true);
        w.click(6);
        QCOMPARE(w.clicks, std::vector<int>({9, 6}));
    }

    // The place and the height are the program's; the width is the buttons' own.
    void toolbarIsAsWideAsItsButtons() {
        ControlsWindow w(false);
        const double before = w.toolbar.geometry().width;
        w.toolbar.addButton("zip", Plain, "");
        QVERIFY(w.toolbar.geometry().width > before);
        w.toolbar.setGeometry({150, 30, 100, 600});
        QRect expected = TwipsScale::screen().toPixels({150, 30, 100, 600});
        expected.setWidth(w.toolbar.widget()->sizeHint().width());
        QCOMPARE(w.toolbar.widget()->geometry(), expected);
        QCOMPARE(w.toolbar.geometry(), TwipsScale::screen().toTwips(expected));
    }

    void enabledMenuEntriesOnlyAnswerTheirShortcuts() {
        ControlsWindow w;
        QTest::keyClick(&w.window, Qt::Key_T, Qt::ControlModifier);
        w.menus.setEnabled("test", false);
        QTest::keyClick(&w.window, Qt::Key_T, Qt::ControlModifier);
        QTest::keyClick(&w.window, Qt::Key_I, Qt::ControlModifier);
        w.menus.action("exit0")->trigger();
        QCOMPARE(w.triggered, std::vector<std::string>({"test", "install", "exit0"}));
        w.menus.setEnabled("test", true);
        QTest::keyClick(&w.window, Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(w.triggered.back(), std::string("test"));
        QCOMPARE(w.menus.action("ghost"), nullptr);  // its menu does not exist
    }

    void popupReturnsOnceAnEntryIsChosenOrTheMenuClosed() {
        ControlsWindow w;
        QCOMPARE(w.popup("popup", {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return}), w.menus.menu("popup"));
        QCOMPARE(w.triggered, std::vector<std::string>({"test"}));
        QVERIFY(!w.menus.menu("popup")->isVisible());
        QCOMPARE(w.popup("popup", {Qt::Key_Escape}), w.menus.menu("popup"));
        QCOMPARE(w.triggered.size(), std::size_t(1));
        w.menus.popup("nothing");  // an unknown menu opens nothing and returns
    }

    void progressModeFillsThePanelFromTheLeftWithinBounds() {
        ControlsWindow w;
        const int inside = w.panel.widget()->contentsRect().width();
        w.panel.setFillPercent(50);
        QCOMPARE(w.filledColumns(inside), 0);  // outside progress mode there is no fill
        w.panel.setProgressMode(true);
        QCOMPARE(w.filledColumns(inside), inside / 2);
        QCOMPARE(w.filledColumns(inside / 2), inside / 2);
        const std::pair<int, int> percentsAndColumns[] = {{100, inside}, {150, inside}, {0, 0}, {-3, 0}};
        for (const auto& [percent, columns] : percentsAndColumns) {
            w.panel.setFillPercent(percent);
            QCOMPARE(w.filledColumns(inside), columns);
            QCOMPARE(w.panel.fillPercent(), columns == 0 ? 0 : 100);
        }
    }

    void panelClickIsAPressAndReleaseOfTheLeftButtonOnIt() {
        ControlsWindow w;
        std::vector<MouseButton> downs;
        int clicks = 0;
        w.panel.onMouseDown = [&](MouseButton button) { downs.push_back(button); };
        w.panel.onClick = [&] { ++clicks; };
        QTest::mouseClick(w.panel.widget(), Qt::RightButton);
        QTest::mouseClick(w.panel.widget(), Qt::LeftButton);
        QTest::mousePress(w.panel.widget(), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(w.panel.widget(), Qt::LeftButton, {}, QPoint(500, 5));  // released outside
        QCOMPARE(clicks, 1);
        QCOMPARE(downs, std::vector<MouseButton>({MouseButton::Right, MouseButton::Left, MouseButton::Left}));
    }

    void splitterPanesAreLaidOutBeforeTheWindowIsShownAndOnEachChangeOfSize() {
        ControlsWindow w(false);
        QVERIFY(!w.window.isVisible());
        const QRect pane1 = w.splitter.paneWidget(1)->geometry();
        const QRect pane2 = w.splitter.paneWidget(2)->geometry();
        QCOMPARE(pane1, QRect(0, 0, TwipsScale::screen().toPixelsX(3000), w.splitter.widget()->height()));
        QCOMPARE(pane2.left(), pane1.right() + 1 + w.splitter.bar()->handleWidth());
        QCOMPARE(pane2.right(), w.splitter.widget()->rect().right());
        // Only a change of size is reported, and the panes are ready then.
        QCOMPARE(w.resizes, 1);
        w.splitter.setGeometry({75, 1500, 9000, 6000});
        w.splitter.setGeometry({150, 1600, 9000, 6000});  // moved, same size
        QCOMPARE(w.resizes, 1);
        Rect paneSeen;
        w.splitter.onResize = [&] { paneSeen = w.splitter.pane(2); };
        w.splitter.setGeometry({150, 1600, 7500, 4500});
        QCOMPARE(paneSeen, w.splitter.pane(2));
        QCOMPARE(w.splitter.paneWidget(2)->geometry().right(), w.splitter.widget()->rect().right());
        QCOMPARE(w.splitter.paneWidget(1)->width(), pane1.width());  // pane 1 keeps its width
    }

    void userDragMovesTheSplitterBarReportsBothPanesAndTheWidthStays() {
        ControlsWindow w;
        std::vector<std::pair<Rect, Rect>> reports;
        w.splitter.onSplitterResize = [&](const Rect& pane1, const Rect& pane2) { reports.push_back({pane1, pane2}); };

        const int before = w.splitter.paneWidget(1)->width();
        QSplitterHandle* handle = w.splitter.bar()->handle(1);
        const QPoint grip = handle->rect().center();
        w.sendMouse(handle, QEvent::MouseButtonPress, grip, Qt::LeftButton);
        w.sendMouse(handle, QEvent::MouseMove, grip + QPoint(60, 0), Qt::LeftButton);
        w.sendMouse(handle, QEvent::MouseButtonRelease, grip + QPoint(60, 0), Qt::NoButton);

        QVERIFY(!reports.empty());
        QCOMPARE(w.splitter.paneWidget(1)->width(), before + 60);
        QCOMPARE(reports.back(), std::make_pair(w.splitter.pane(1), w.splitter.pane(2)));
        QCOMPARE(w.splitter.pane1Width(), TwipsScale::screen().toTwipsX(before + 60));
        QCOMPARE(w.resizes, 1);
        w.splitter.setGeometry({0, 0, 8000, 5000});
        QCOMPARE(w.splitter.paneWidget(1)->width(), before + 60);
    }
};

QTEST_MAIN(ControlsTest)

#include "controls_test.moc"
