// The program under a Wayland compositor (wayland_test.sh runs it under
// weston without a screen): every window comes up and the program quits
// without a single warning, and what Wayland hides from a program, where
// its windows are, never reaches the settings file as zeros.
#include <QAbstractButton>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTest>
#include <QWindow>

#include "app/main_window.h"
#include "message_boxes.h"
#include "real_window.h"
#include "zip_fixtures.h"

using namespace q32;
using test::RealWindow;

class WaylandTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral("."))); }

    void everyWindowComesUpAndTheProgramQuitsWithTheWindowWhereItWas() {
        RealWindow w;
        const std::string settings = "Version=v2.82\r\nState= 0\r\nTop= 1200\r\nLeft= 1500\r\nHeight= 6750\r\n"
                                     "Width= 9000\r\nPanel1.width= 2400\r\nDir=c:\\Games\r\n";
        w.drive.writeFile("c:\\Quillet32\\Quil32.ini", settings);
        zip::test::writeZip(w.drive.host("c:\\Games\\a.zip"),
                            {zip::test::file("file_id.diz", "Tool\r\n"), zip::test::file("a.nfo", "\xDA\xC4\xBF")});
        MainWindow window(w.ui->platform());
        window.Form_Load();
        QVERIFY(QTest::qWaitForWindowExposed(w.ui->form().window()));

        w.ui->list().setSelected(0, true);
        window.ShowDescriptions();
        QVERIFY(QTest::qWaitForWindowExposed(w.ui->descriptionViewer().window()));
        window.dnfo_Click();
        QVERIFY(QTest::qWaitForWindowExposed(w.ui->nfoViewer().window()));
        QCOMPARE(w.ui->nfoViewer().text(), std::string("\xDA\xC4\xBF"));
        // The compositor places the viewers: they go with the main window, above it.
        for (QtViewerWindow* viewer : {&w.ui->descriptionViewer(), &w.ui->nfoViewer()})
            QCOMPARE(viewer->window()->windowHandle()->transientParent(), w.ui->form().window()->windowHandle());
        test::answerNextBox([](QMessageBox& box) { box.button(QMessageBox::Ok)->click(); });
        w.ui->desktop().messageBox("Shown", "Quillet32", MsgIcon::Information, MsgButtons::Ok);
        window.about_Click();
        QVERIFY(QTest::qWaitForWindowExposed(w.ui->splash().window()));

        w.ui->form().unload();
        QCOMPARE(w.drive.readFile("c:\\Quillet32\\Quil32.ini"), settings);
    }

    // The second copy hands on the token its launcher gave it and ends; the
    // first window comes back. (A minimised window cannot be told from a
    // normal one under Wayland: a hidden one stands for it.)
    void aSecondCopyEndsAndBringsTheFirstBack() {
        RealWindow first;
        MainWindow window(first.ui->platform());
        window.Form_Load();
        QVERIFY(QTest::qWaitForWindowExposed(first.ui->form().window()));
        first.ui->form().window()->hide();
        qputenv("XDG_ACTIVATION_TOKEN", "token-of-the-second-copy");
        QVERIFY(first.secondCopyEnds());
        qunsetenv("XDG_ACTIVATION_TOKEN");
        QTRY_VERIFY(first.ui->form().isShown());
        first.ui->form().unload();
    }
};

QTEST_MAIN(WaylandTest)

#include "wayland_test.moc"
