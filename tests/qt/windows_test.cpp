// The program's windows besides the main one: the splash (which is also
// the about window), the text viewers, and the help window of winhelp.exe
// with its contents and search, which a second request brings forward and
// a close request ends.
#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <cmath>

#include "help_window.h"
#include "platform/qt/qt_splash.h"
#include "platform/qt/qt_viewer_window.h"
#include "platform/qt/twips.h"
#include "support/test_drive.h"
#include "viewer/text_viewer.h"

using namespace q32;

namespace {

const ViewerDesign kDesign{
    "one.nfo", 9825, 5730, {0, 30, 9825, 5700}, Rgb{224, 224, 224}, "&Next", {8460, 180, 945, 345}};

// The longest run of dark pixels in any row of the image.
int longestDarkRun(const QImage& image) {
    int longest = 0;
    for (int y = 0; y < image.height(); ++y) {
        int run = 0;
        for (int x = 0; x < image.width(); ++x) {
            run = qGray(image.pixel(x, y)) < 100 ? run + 1 : 0;
            longest = qMax(longest, run);
        }
    }
    return longest;
}

// Whether a picture drawn for a screen of a whole scale shows detail finer
// than its logical pixels: one stretched from a pixel a logical pixel shows
// none. (Nothing to tell at a scale of one.)
bool hasDetailFinerThanLogicalPixels(const QImage& image) {
    const int ratio = qRound(image.devicePixelRatio());
    if (ratio == 1) return true;
    for (int y = 0; y + ratio <= image.height(); y += ratio) {
        for (int x = 0; x + ratio <= image.width(); x += ratio) {
            for (int i = 1; i < ratio * ratio; ++i) {
                if (image.pixel(x + i % ratio, y + i / ratio) != image.pixel(x, y)) return true;
            }
        }
    }
    return false;
}

QString longSection(const char* heading, const char* words) {
    QString html = QStringLiteral("<h2>%1</h2>").arg(QString::fromLatin1(heading));
    for (int line = 0; line < 40; ++line)
        html += QStringLiteral("<p>%1 %2</p>").arg(QString::fromLatin1(words)).arg(line);
    return html;
}

}  // namespace

class WindowsTest : public QObject {
    Q_OBJECT

private slots:
    void splashIsAFramelessWindowInTheMiddleWithTheVersion() {
        QtSplash splash;
        QVERIFY(!splash.isShown());
        for (int round = 0; round < 2; ++round) {  // shown again after a hide
            splash.show();
            QVERIFY(splash.isShown());
            QVERIFY(splash.window()->windowFlags() & Qt::FramelessWindowHint);
            QVERIFY(!splash.window()->testAttribute(Qt::WA_QuitOnClose));
            const QPoint offCentre = splash.window()->geometry().center() -
                                     QGuiApplication::primaryScreen()->availableGeometry().center();
            QVERIFY(qAbs(offCentre.x()) <= 1 && qAbs(offCentre.y()) <= 1);
            splash.hide();
            QVERIFY(!splash.isShown());
        }
        auto* label = splash.window()->findChild<QLabel*>(QStringLiteral("Label3"));
        QVERIFY(label);
        QCOMPARE(label->text(), QStringLiteral("v2.82"));
        QVERIFY(splash.window()->rect().contains(label->geometry()));
    }

    // The outline follows the scroll: its middle and the seal below it are
    // in, the corners out. On a scaled screen the picture is drawn for it.
    void splashIsShapedToItsPicture() {
        QtSplash splash;
        splash.shapeToPicture();
        QVERIFY(hasDetailFinerThanLogicalPixels(splash.window()->grab(QRect(260, 154, 44, 44)).toImage()));
        const QRegion mask = splash.window()->mask();
        QVERIFY(!mask.isEmpty());
        const QRect all = splash.window()->rect();
        QVERIFY(mask.contains(all.center()));
        QVERIFY(mask.contains(QPoint(282, 194)));
        for (const QPoint corner : {all.topLeft(), all.topRight(), all.bottomLeft(), all.bottomRight()})
            QVERIFY(!mask.contains(corner));
    }

    // Each place reports its own click; the version label's goes to the window.
    void splashClicksReachTheirHandlers() {
        QtSplash splash;
        splash.setIconVisible(true);
        splash.show();
        QString clicked;
        splash.onClick = [&] { clicked += "Form4 "; };
        splash.onLabel1Click = [&] { clicked += "Label1 "; };
        splash.onLabel2Click = [&] { clicked += "Label2 "; };
        splash.onIconClick = [&] { clicked += "AniIcon1 "; };
        for (const char* name : {"Label1", "Label2", "AniIcon1", "Label3"}) {
            auto* widget = splash.window()->findChild<QWidget*>(QString::fromLatin1(name));
            QVERIFY(widget);
            QTest::mouseClick(widget, Qt::LeftButton);
        }
        QTest::mouseClick(splash.window(), Qt::LeftButton, {}, QPoint(60, 60));
        QCOMPARE(clicked, QStringLiteral("Label1 Label2 AniIcon1 Form4 Form4 "));
    }

    void splashTimerFiresOnceUnlessStopped() {
        QtSplash splash;
        int fired = 0;
        splash.onTimer = [&] { ++fired; };
        splash.startTimer(20);
        QTRY_COMPARE(fired, 1);
        QTest::qWait(60);
        QCOMPARE(fired, 1);
        splash.startTimer(20);
        splash.stopTimer();
        QTest::qWait(60);
        QCOMPARE(fired, 1);
    }

    void splashIconAnimatesWhileSwitchedOn() {
        QtSplash splash;
        auto* icon = splash.window()->findChild<QWidget*>(QStringLiteral("AniIcon1"));
        splash.setIconVisible(true);
        splash.setIconAnimated(true);
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(splash.window()));
        const QImage first = icon->grab().toImage();
        QTRY_VERIFY(icon->grab().toImage() != first);
        splash.setIconAnimated(false);
        QVERIFY(!splash.iconAnimated());
    }

    void viewerShowsBytesThroughCodePage437() {
        QCOMPARE(viewerText("\xDA\xC4\xBF\r\n\xB3\x01\tx\n"), QStringLiteral(u"┌─┐\n│☺\tx◙"));
    }

    // The VGA font at a whole multiple of its own size, in cells of whole
    // screen pixels, so box lines run unbroken along a line and down across
    // lines, on a scaled screen too.
    void viewerDrawsBoxLinesUnbroken() {
        QtViewerWindow viewer;
        viewer.load(kDesign);
        viewer.show();
        constexpr int kLines = 8;
        std::string text = std::string(30, '\xC4') + "\r\n";
        for (int line = 0; line < kLines; ++line) text += "\xB3\r\n";
        viewer.setText(text);
        QPlainTextEdit* area = viewer.textArea();
        const qreal scale = area->devicePixelRatioF();
        const QFontMetricsF metrics(area->font());
        const qreal cell = metrics.horizontalAdvance(QChar(0x2500)) * scale;
        if (QFontDatabase::families().contains(QStringLiteral("Px IBM VGA8"))) {
            QCOMPARE(QFontInfo(area->font()).family(), QStringLiteral("Px IBM VGA8"));
            QCOMPARE(QFontInfo(area->font()).pixelSize(), 16 * qMax(1, qRound(area->logicalDpiY() / 96.0)));
        }
        QCOMPARE(cell, std::round(cell));
        const QImage image = area->viewport()->grab().toImage();
        QVERIFY(longestDarkRun(image) >= 30 * cell - 1);
        const QImage columns = image.transformed(QTransform().rotate(90));
        QVERIFY(longestDarkRun(columns) >= kLines * metrics.lineSpacing() * scale - 1);
    }

    // Whatever the font's cells, each viewer shows the columns and lines its
    // text area was designed for (47 by 10 for a file_id.diz, 81 by 31 for an
    // NFO file), each line ended by CR LF, with nothing to scroll and the last
    // character inside the window.
    void viewersShowTheirDesignedCellsWhole() {
        const std::pair<TextViewer::Kind, TextCells> cases[] = {{TextViewer::Kind::Description, {47, 10}},
                                                                {TextViewer::Kind::Nfo, {81, 31}}};
        for (const auto& [kind, cells] : cases) {
            QtViewerWindow window;
            TextViewer viewer(window, kind);
            viewer.use().show();
            QVERIFY(QTest::qWaitForWindowExposed(window.window()));
            std::string text;
            for (int line = 0; line < cells.lines; ++line) text += std::string(cells.columns, '\xDB') + "\r\n";
            window.setText(text);
            QPlainTextEdit* area = window.textArea();
            QCOMPARE(area->verticalScrollBar()->maximum(), 0);
            QCOMPARE(area->horizontalScrollBar()->maximum(), 0);
            QTextCursor end(area->document());
            end.movePosition(QTextCursor::End);
            const QRect last = area->cursorRect(end).translated(area->viewport()->mapTo(window.window(), QPoint()));
            QVERIFY(window.window()->rect().contains(last));
        }
    }

    void viewerEventsReachTheProgramAndClosingDiscardsTheWindow() {
        QtViewerWindow viewer;
        int next = 0, doubleClicks = 0;
        std::vector<int> keys;
        viewer.onButtonClick = [&] { ++next; };
        viewer.onTextDblClick = [&] { ++doubleClicks; };
        viewer.onKeyDown = [&](int code) { keys.push_back(code); };
        viewer.load(kDesign);
        QVERIFY(viewer.isLoaded() && !viewer.isShown());
        const TwipsScale scale = TwipsScale::screen();
        // Grown for the font if need be, the button as far from the right-hand edge as designed.
        QVERIFY(viewer.window()->width() >= scale.toPixelsX(9825));
        QVERIFY(viewer.window()->height() >= scale.toPixelsY(5730));
        QCOMPARE(viewer.window()->width() - viewer.button()->x(), scale.toPixelsX(9825) - scale.toPixelsX(8460));
        viewer.show();
        QTest::mouseClick(viewer.button(), Qt::LeftButton);
        QTest::mouseDClick(viewer.textArea()->viewport(), Qt::LeftButton);
        QTest::keyClick(viewer.textArea(), Qt::Key_Escape);
        QTest::keyClick(viewer.button(), Qt::Key_A);
        QCOMPARE(next, 1);
        QCOMPARE(doubleClicks, 1);
        QCOMPARE(keys, (std::vector<int>{27, 'A'}));

        QPointer<QWidget> window = viewer.window();
        viewer.close();
        QVERIFY(!viewer.isLoaded());
        viewer.setCaption("nothing happens");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window.isNull());
        // The close box discards it too.
        viewer.load(kDesign);
        viewer.show();
        viewer.window()->close();
        QVERIFY(!viewer.isLoaded());
    }

    void helpContentsGoToHeadingsAndSearchMarksEveryMatch() {
        const QString html = QStringLiteral("<h1>Quillet32</h1>") + longSection("Drives", "drive letters") +
                             longSection("Keys", "F1 opens help") + longSection("Settings", "Quil32.ini lines");
        standin::HelpWindow window(html, {});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.contents()->count(), 4);
        QCOMPARE(window.contents()->item(3)->text().trimmed(), QStringLiteral("Settings"));

        window.contents()->setCurrentRow(2);
        QVERIFY(window.text()->verticalScrollBar()->value() > 0);
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
    void oneHelpWindowPerFileClosedOnRequest() {
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

QTEST_MAIN(WindowsTest)

#include "windows_test.moc"
