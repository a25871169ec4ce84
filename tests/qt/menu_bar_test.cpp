#include <QApplication>
#include <QMainWindow>
#include <QTest>
#include <QTimer>

#include "platform/qt/qt_menu_bar.h"
#include "qt_test_suites.h"

using namespace q32;

namespace {

struct MenuWindow {
    QMainWindow window;
    QtMenuBar menus{window.menuBar()};
    std::vector<std::string> triggered;

    MenuWindow() {
        window.setCentralWidget(new QWidget);
        window.resize(400, 300);
        menus.addMenu("popup", "&File");
        menus.addEntry("popup", "install", "&Install files...", "Ctrl+I");
        menus.addEntry("popup", "test", "&Test files...", "Ctrl+T");
        menus.addSeparator("popup");
        menus.addEntry("popup", "exit0", "E&xit", "");
        menus.addMenu("help", "&Help");
        menus.addEntry("nothing", "ghost", "Ghost", "");  // a menu that does not exist: goes nowhere
        menus.onTriggered = [this](const std::string& entry) { triggered.push_back(entry); };
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
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
};

}  // namespace

class MenuBarTest : public QObject {
    Q_OBJECT

private slots:
    void enabledEntriesOnlyAnswerTheirShortcuts() {
        MenuWindow w;
        QTest::keyClick(&w.window, Qt::Key_T, Qt::ControlModifier);
        w.menus.setEnabled("test", false);
        QVERIFY(!w.menus.action("test")->isEnabled());
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
        MenuWindow w;
        QCOMPARE(w.popup("popup", {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return}), w.menus.menu("popup"));
        QCOMPARE(w.triggered, std::vector<std::string>({"test"}));
        QVERIFY(!w.menus.menu("popup")->isVisible());
        QCOMPARE(w.popup("popup", {Qt::Key_Escape}), w.menus.menu("popup"));
        QCOMPARE(w.triggered.size(), std::size_t(1));
        w.menus.popup("nothing");  // an unknown menu opens nothing and returns
    }
};

Q32_TEST_SUITE(MenuBarTest);

#include "menu_bar_test.moc"
