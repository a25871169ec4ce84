// The help window of winhelp.exe: its contents and search, and the window
// that a second request brings forward and a close request ends.
#include <QDir>
#include <QProcess>
#include <QScrollBar>
#include <QTextBlock>
#include <QTemporaryDir>
#include <QTest>

#include "help_window.h"
#include "qt_test_suites.h"
#include "support/test_drive.h"

using namespace q32;

namespace {

QString longSection(const char* heading, const char* words) {
    QString html = QStringLiteral("<h2>%1</h2>").arg(QString::fromLatin1(heading));
    for (int line = 0; line < 40; ++line)
        html += QStringLiteral("<p>%1 %2</p>").arg(QString::fromLatin1(words)).arg(line);
    return html;
}

}  // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT

private slots:
    void contentsGoToHeadingsAndSearchMarksEveryMatch() {
        const QString html = QStringLiteral("<h1>Quillet32</h1>") + longSection("Drives", "drive letters") +
                             longSection("Keys", "F1 opens help") + longSection("Settings", "Quil32.ini lines");
        standin::HelpWindow window(html, {});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.contents()->count(), 4);
        QCOMPARE(window.contents()->item(3)->text().trimmed(), QStringLiteral("Settings"));

        window.contents()->setCurrentRow(2);
        const int keysTop = window.text()->verticalScrollBar()->value();
        QVERIFY(keysTop > 0);
        QCOMPARE(window.text()->cursorForPosition(QPoint(4, 4)).block().text(), QStringLiteral("Keys"));

        QTest::keyClicks(window.search(), QStringLiteral("quil32.INI"));
        QCOMPARE(window.text()->extraSelections().size(), 40);
        QCOMPARE(window.text()->textCursor().selectedText(), QStringLiteral("Quil32.ini"));
        const int first = window.text()->textCursor().position();
        QTest::keyClick(window.search(), Qt::Key_Return);
        QVERIFY(window.text()->textCursor().position() > first);
        window.search()->clear();
        QCOMPARE(window.text()->extraSelections().size(), 0);
    }

    // Asked again, the open window answers and the second program ends at
    // once; the close request ends the window.
    void oneWindowPerFileClosedOnRequest() {
        test::TestDrive drive;
        drive.writeFile("c:\\Tools\\Quil32.HLP", "<h1>Help</h1>");
        QTemporaryDir sockets;  // where the window's local socket appears
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TMPDIR"), sockets.path());
        environment.insert(QStringLiteral("QUILLET32_DRIVES"), QString::fromStdString("c=" + drive.host("c:\\")));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        const QString winhelp = QStringLiteral(Q32_BIN_DIR "/winhelp.exe");
        auto run = [&](const QStringList& args) {
            QProcess process;
            process.setProcessEnvironment(environment);
            process.start(winhelp, args);
            return process.waitForFinished(10000) && process.exitCode() == 0;
        };

        QProcess window;
        window.setProcessEnvironment(environment);
        window.start(winhelp, {QStringLiteral("c:\\Tools\\Quil32.HLP")});
        QVERIFY(window.waitForStarted());
        const QStringList socketNames{QStringLiteral("quillet32-help-*")};
        QTRY_VERIFY_WITH_TIMEOUT(!QDir(sockets.path()).entryList(socketNames, QDir::System).isEmpty(), 10000);
        QVERIFY(run({QStringLiteral("c:\\tools\\quil32.hlp")}));
        QCOMPARE(window.state(), QProcess::Running);
        QVERIFY(run({QStringLiteral("-close"), QStringLiteral("c:\\TOOLS\\Quil32.HLP")}));
        QVERIFY(window.waitForFinished(5000));
        QVERIFY(run({QStringLiteral("-close"), QStringLiteral("c:\\Tools\\Quil32.HLP")}));  // none open: nothing
    }
};

Q32_TEST_SUITE(HelpWindowTest);

#include "help_window_test.moc"
