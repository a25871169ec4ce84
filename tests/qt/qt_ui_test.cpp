#include <QSizeGrip>
#include <QTest>

#include "app/main_window.h"
#include "platform/host/host_processes.h"
#include "platform/qt/qt_ui.h"
#include "platform/zip/zip_archive_engine.h"
#include "qt_test_suites.h"
#include "test_drive.h"

using namespace q32;
using q32::test::QtTestDrive;

namespace {

struct RealWindow {
    QtTestDrive drive;
    std::unique_ptr<host::InstanceLock> lock;
    host::HostProcesses processes{{}};
    zip::ZipArchiveEngine zip{drive.fs().driveTable()};
    std::unique_ptr<QtUi> ui;

    RealWindow() {
        drive.makeFolder("Quillet32");
        drive.makeFolder("Games");
        for (const char* name : {"a.zip", "B.ZIP", "c.rar", "notes.txt"}) drive.writeFile(QStringLiteral("Games/") + name);
        lock = std::make_unique<host::InstanceLock>(drive.host("Quillet32").toStdString());
        ui = std::make_unique<QtUi>(drive.fs(), *lock, "c:\\Quillet32", processes, zip);
    }
};

QRect pixels(const Rect& rect) { return TwipsScale::screen().toPixels(rect); }

}  // namespace

class QtUiTest : public QObject {
    Q_OBJECT

private slots:
    void platformHandsOutTheControls() {
        RealWindow w;
        const Platform p = w.ui->platform();
        QCOMPARE(&p.form, static_cast<MainForm*>(&w.ui->form()));
        QCOMPARE(&p.toolbar, static_cast<Toolbar*>(&w.ui->toolbar()));
        QCOMPARE(&p.menus, static_cast<MenuBar*>(&w.ui->menus()));
        QCOMPARE(&p.frame, static_cast<Placed*>(&w.ui->frame()));
        QCOMPARE(&p.panel1, static_cast<StatusPanel*>(&w.ui->panel1()));
        QCOMPARE(&p.panel2, static_cast<StatusPanel*>(&w.ui->panel2()));
        QCOMPARE(&p.panel3, static_cast<StatusPanel*>(&w.ui->panel3()));
        QCOMPARE(&p.splitter, static_cast<Splitter*>(&w.ui->splitter()));
        QCOMPARE(&p.tree, static_cast<FolderTree*>(&w.ui->tree()));
        QCOMPARE(&p.list, static_cast<FileList*>(&w.ui->list()));
        QCOMPARE(&p.sizeGrip, static_cast<Placed*>(&w.ui->sizeGrip()));
        QCOMPARE(&p.splash, static_cast<SplashWindow*>(&w.ui->splash()));
        QCOMPARE(&p.desktop, static_cast<Desktop*>(&w.ui->desktop()));
        QCOMPARE(&p.instance, static_cast<InstanceGuard*>(&w.ui->instance()));
        QCOMPARE(&p.fs, static_cast<FileSystem*>(&w.drive.fs()));
        QCOMPARE(p.programFolder, std::string("c:\\Quillet32"));
        QCOMPARE(&p.sound, static_cast<Sound*>(&w.ui->sound()));
    }

    void controlsSitOnTheInnerAreaAndThePanesControlsOnTheSplitter() {
        RealWindow w;
        QWidget* inner = w.ui->form().inner();
        for (QWidget* control : {w.ui->frame().widget(), w.ui->toolbar().widget(), w.ui->panel1().widget(),
                                 w.ui->panel2().widget(), w.ui->panel3().widget(), w.ui->splitter().widget(),
                                 w.ui->sizeGrip().widget()})
            QCOMPARE(control->parentWidget(), inner);
        QWidget* splitter = w.ui->splitter().widget();
        QCOMPARE(w.ui->tree().widget()->parentWidget(), splitter);
        QCOMPARE(w.ui->list().widget()->parentWidget(), splitter);
        // Above the splitter's empty panes.
        const QObjectList& stack = splitter->children();
        QVERIFY(stack.indexOf(w.ui->list().widget()) > stack.indexOf(w.ui->splitter().bar()));
        QVERIFY(stack.indexOf(w.ui->tree().widget()) > stack.indexOf(w.ui->splitter().bar()));
        QVERIFY(qobject_cast<QSizeGrip*>(w.ui->sizeGrip().widget()));
        QCOMPARE(w.ui->sizeGrip().widget()->toolTip(), QStringLiteral(" Drag corner "));
    }

    void designedPlaces() {
        RealWindow w;
        MainWindow window(w.ui->platform());  // places the controls where they were designed
        const TwipsScale scale = TwipsScale::screen();
        const Rect form = w.ui->form().geometry();
        QCOMPARE(form.width, scale.toTwipsX(scale.toPixelsX(MainWindow::kDesignedWidth)));
        QCOMPARE(form.height, scale.toTwipsY(scale.toPixelsY(MainWindow::kDesignedHeight)));
        QCOMPARE(w.ui->panel1().widget()->geometry(), pixels({MainWindow::kDesignedWidth - 950, 90, 885, 345}));
        const QRect panel2 = w.ui->panel2().widget()->geometry();
        QCOMPARE(panel2.x(), scale.toPixelsX(75));
        QCOMPARE(panel2.size(), pixels({75, 0, 1935, 240}).size());
        QCOMPARE(w.ui->panel3().widget()->x(), scale.toPixelsX(2070));
        QCOMPARE(w.ui->splitter().pane1Width(), scale.toTwipsX(scale.toPixelsX(MainWindow::kDesignedPane1Width)));
    }

    void startUpThroughTheRealWindow() {
        RealWindow w;
        MainWindow window(w.ui->platform());
        window.Form_Load();
        QVERIFY(!w.ui->form().isUnloaded());
        QVERIFY(w.ui->form().isShown());
        QVERIFY(!w.ui->splash().isLoaded());
        QCOMPARE(window.versionText(), std::string("v2.82"));
        QCOMPARE(w.ui->toolbar().count(), 16);
        QVERIFY(w.ui->toolbar().isDown(1));
        QVERIFY(QTest::qWaitForWindowExposed(w.ui->form().window()));

        // The program's layout puts the tree and the list exactly on the panes.
        QCOMPARE(w.ui->tree().widget()->geometry(), w.ui->splitter().paneWidget(1)->geometry());
        QCOMPARE(w.ui->list().widget()->geometry(), w.ui->splitter().paneWidget(2)->geometry());
        // And keeps them there when the window changes size.
        Rect bigger = w.ui->form().geometry();
        bigger.width += 1500;
        bigger.height += 900;
        w.ui->form().setGeometry(bigger);
        QCOMPARE(w.ui->list().widget()->geometry(), w.ui->splitter().paneWidget(2)->geometry());
        const QRect inner = w.ui->form().inner()->rect();
        const QRect panel3 = w.ui->panel3().widget()->geometry();
        QCOMPARE(panel3.top(), inner.height() - TwipsScale::screen().toPixelsY(300));
        QVERIFY(w.ui->panel1().widget()->geometry().right() < inner.right());

        // A kind button clicked by the user.
        QVERIFY(w.ui->list().setPath("c:\\Games"));
        QTest::mouseClick(w.ui->toolbar().button(2), Qt::LeftButton);
        QVERIFY(w.ui->toolbar().isDown(2));
        QVERIFY(!w.ui->toolbar().isDown(1));
        QCOMPARE(w.ui->panel2().caption(), std::string("*.rar"));
        QCOMPARE(w.ui->list().count(), 1);
        QCOMPARE(w.ui->list().item(0), std::string("c.rar"));

        w.ui->form().unload();
        QVERIFY(!w.ui->form().isShown());
    }

    // Ctrl+S and Ctrl+T typed in the real window test the folder's two
    // archives, which are no archives at all.
    void ctrlTTestsTheSelectedArchives() {
        RealWindow w;
        MainWindow window(w.ui->platform());
        window.Form_Load();
        QVERIFY(QTest::qWaitForWindowExposed(w.ui->form().window()));
        QVERIFY(w.ui->tree().setPath("c:\\Games"));
        QVERIFY(w.ui->list().setPath("c:\\Games"));
        QTest::keyClick(w.ui->form().window(), Qt::Key_S, Qt::ControlModifier);
        QTest::keyClick(w.ui->form().window(), Qt::Key_T, Qt::ControlModifier);
        QFile report(w.drive.host("Quillet32/errors.txt"));
        QVERIFY(report.open(QIODevice::ReadOnly));
        QCOMPARE(report.readAll(), QByteArray("# 110 - c:\\games\\a.zip\r\n# 110 - c:\\games\\b.zip\r\n"));
        QVERIFY(QFile::exists(w.drive.host("Games/B.ZIP.bad")));
        QCOMPARE(w.ui->panel3().caption(), std::string(" Found 2 zip error(s)"));
        w.ui->form().unload();
    }

    void secondCopyIsRefused() {
        RealWindow first;
        host::InstanceLock secondLock(first.drive.host("Quillet32").toStdString());
        QVERIFY(!secondLock.acquired());
        QtUi secondUi(first.drive.fs(), secondLock, "c:\\Quillet32", first.processes, first.zip);
        MainWindow second(secondUi.platform());
        second.Form_Load();
        QVERIFY(secondUi.form().isUnloaded());
        QVERIFY(!secondUi.form().isShown());
    }
};

Q32_TEST_SUITE(QtUiTest);

#include "qt_ui_test.moc"
