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
        menus.addEntry("popup", "exit0", "E&xit", "Ctrl+X");
        menus.addMenu("help", "&Help");
        menus.addEntry("help", "about", "&About...", "");
        menus.onTriggered = [this](const std::string& entry) { triggered.push_back(entry); };
    }

    void showActive() {
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
};

}  // namespace

class MenuBarTest : public QObject {
    Q_OBJECT

private slots:
    void menusAndEntriesAsAdded() {
        MenuWindow w;
        const QList<QAction*> bar = w.window.menuBar()->actions();
        QCOMPARE(bar.size(), 2);
        QCOMPARE(bar[0]->text(), QStringLiteral("&File"));
        QCOMPARE(bar[1]->text(), QStringLiteral("&Help"));
        QCOMPARE(bar[0]->menu(), w.menus.menu("popup"));

        const QList<QAction*> file = w.menus.menu("popup")->actions();
        QCOMPARE(file.size(), 4);
        QCOMPARE(file[0], w.menus.action("install"));
        QCOMPARE(file[0]->text(), QStringLiteral("&Install files..."));
        QVERIFY(file[2]->isSeparator());
        QCOMPARE(file[3]->text(), QStringLiteral("E&xit"));
        QCOMPARE(w.menus.action("install")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_I));
        QCOMPARE(w.menus.action("exit0")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
        QVERIFY(w.menus.action("about")->shortcut().isEmpty());
        QCOMPARE(w.menus.action("nothing"), nullptr);
        QCOMPARE(w.menus.menu("nothing"), nullptr);
        // An entry for a menu that does not exist goes nowhere.
        w.menus.addEntry("nothing", "ghost", "Ghost", "");
        QCOMPARE(w.menus.action("ghost"), nullptr);
    }

    void enabledStateByEntryName() {
        MenuWindow w;
        QVERIFY(w.menus.isEnabled("install"));
        w.menus.setEnabled("install", false);
        QVERIFY(!w.menus.isEnabled("install"));
        QVERIFY(!w.menus.action("install")->isEnabled());
        QVERIFY(w.menus.isEnabled("test"));
        w.menus.setEnabled("install", true);
        QVERIFY(w.menus.action("install")->isEnabled());
        QVERIFY(!w.menus.isEnabled("nothing"));
    }

    void triggeredEntriesAreReportedByName() {
        MenuWindow w;
        w.menus.action("test")->trigger();
        w.menus.action("about")->trigger();
        QCOMPARE(w.triggered, std::vector<std::string>({"test", "about"}));
    }

    void shortcutsTriggerEnabledEntriesOnly() {
        MenuWindow w;
        w.showActive();
        QTest::keyClick(&w.window, Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(w.triggered, std::vector<std::string>({"test"}));
        w.menus.setEnabled("test", false);
        QTest::keyClick(&w.window, Qt::Key_T, Qt::ControlModifier);
        QTest::keyClick(&w.window, Qt::Key_I, Qt::ControlModifier);
        QCOMPARE(w.triggered, std::vector<std::string>({"test", "install"}));
    }

    void popupOpensTheMenuAndReturnsOnceAnEntryIsChosen() {
        MenuWindow w;
        w.showActive();
        QWidget* shown = nullptr;
        QTimer::singleShot(0, [&] {
            shown = QApplication::activePopupWidget();
            if (!shown) return;
            QTest::keyClick(shown, Qt::Key_Down);
            QTest::keyClick(shown, Qt::Key_Down);
            QTest::keyClick(shown, Qt::Key_Return);
        });
        w.menus.popup("popup");
        QCOMPARE(shown, w.menus.menu("popup"));
        QCOMPARE(w.triggered, std::vector<std::string>({"test"}));
        QVERIFY(!w.menus.menu("popup")->isVisible());
    }

    void popupClosedWithoutChoiceTriggersNothing() {
        MenuWindow w;
        w.showActive();
        QTimer::singleShot(0, [&] {
            if (QWidget* shown = QApplication::activePopupWidget()) QTest::keyClick(shown, Qt::Key_Escape);
        });
        w.menus.popup("help");
        QVERIFY(w.triggered.empty());
        w.menus.popup("nothing");  // an unknown menu opens nothing and returns
    }
};

Q32_TEST_SUITE(MenuBarTest);

#include "menu_bar_test.moc"
