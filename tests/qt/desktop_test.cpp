// The desktop's services: twips on the screen, message boxes, waiting
// events handled, and sounds through Qt Multimedia on a machine without an
// audio device (the offscreen test platform).
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTest>

#include "message_boxes.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_sound.h"
#include "platform/qt/twips.h"
#include "platform/wav_length.h"
#include "support/test_drive.h"

using namespace q32;

namespace {

struct BoxSeen {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

// Shows a box through the desktop, answers it with a button or closes it
// (NoButton), and notes what it showed.
MsgAnswer answerBox(QtDesktop& desktop, const std::string& text, MsgIcon icon, MsgButtons buttons,
                    QMessageBox::StandardButton answer, BoxSeen& seen) {
    test::answerNextBox([&seen, answer](QMessageBox& box) {
        seen = {box.text(), box.windowTitle(), box.icon(), box.standardButtons()};
        if (answer == QMessageBox::NoButton) box.close();
        else box.button(answer)->click();
    });
    return desktop.messageBox(text, "Quillet32", icon, buttons);
}

// Answers the password box once it waits: types `typed` and presses Enter,
// or presses Escape when there is nothing to type; notes what it showed.
std::optional<std::string> answerPasswordBox(QtDesktop& desktop, bool wrongBefore, const QString& typed,
                                             QString& shown) {
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!box) return;
        auto* entry = box->findChild<QLineEdit*>();
        shown = box->windowTitle() + "|" + box->findChild<QLabel*>()->text() + "|" +
                QString::number(entry->echoMode() == QLineEdit::Password);
        if (typed.isEmpty()) return QTest::keyClick(box, Qt::Key_Escape);
        QTest::keyClicks(entry, typed);
        QTest::keyClick(entry, Qt::Key_Return);
    });
    return desktop.passwordBox("c:\\dl\\enc.zip", "setup.exe", wrongBefore);
}

}  // namespace

class DesktopTest : public QObject {
    Q_OBJECT

private slots:
    void twipsToPixelsRoundHalfUpOnEachAxis() {
        struct Case {
            double dpiX, dpiY, twips;
            int pixelsX, pixelsY;
        };
        const Case cases[] = {{96, 96, 7, 0, 0}, {96, 96, 8, 1, 1}, {96, 96, -30, -2, -2}, {120, 144, 1440, 120, 144},
                              {0, -1, 150, 10, 10}};  // a resolution that is not there: 96 dots an inch
        for (const Case& c : cases) {
            const TwipsScale scale(c.dpiX, c.dpiY);
            QCOMPARE(scale.toPixelsX(c.twips), c.pixelsX);
            QCOMPARE(scale.toPixelsY(c.twips), c.pixelsY);
        }
        QCOMPARE(TwipsScale(120, 144).toTwipsX(12), 144.0);
        QCOMPARE(TwipsScale(120, 144).toTwipsY(10), 100.0);
    }

    void rectanglesKeepSharedEdgesAndComeBackExactly() {
        const TwipsScale scale(96, 96);
        QCOMPARE(scale.toPixels(Rect{75, 660, 9340, 5990}), QRect(5, 44, 623, 399));
        QCOMPARE(scale.toTwips(QRect(5, 44, 623, 399)), (Rect{75, 660, 9345, 5985}));
        // Side by side in twips stays side by side in pixels, whatever the rounding of each width.
        QCOMPARE(scale.toPixels(Rect{0, 0, 1007, 300}).right() + 1, scale.toPixels(Rect{1007, 0, 1007, 300}).left());
        QCOMPARE(scale.toPixels(Rect{0, 0, -100, -100}).size(), QSize(0, 0));
        for (double dpi : {72.0, 96.0, 120.0, 144.0}) {
            const QRect pixels(13, 27, 301, 177);
            QCOMPARE(TwipsScale(dpi, dpi).toPixels(TwipsScale(dpi, dpi).toTwips(pixels)), pixels);
        }
    }

    void screenSizeInTwipsOfTheLogicalResolutionAndWaitingEventsHandled() {
        QtDesktop desktop(nullptr);
        const QScreen* screen = QGuiApplication::primaryScreen();
        QCOMPARE(desktop.screenWidth(), screen->size().width() * 1440.0 / screen->logicalDotsPerInchX());
        QCOMPARE(desktop.screenHeight(), screen->size().height() * 1440.0 / screen->logicalDotsPerInchY());
        bool handled = false;
        QMetaObject::invokeMethod(qApp, [&] { handled = true; }, Qt::QueuedConnection);
        QVERIFY(!handled);
        desktop.doEvents();
        QVERIFY(handled);
    }

    void boxesShowWhatTheyAreGivenAndReturnTheAnswerOrTheCloseBoxsMeaning() {
        using B = QMessageBox;
        struct Case {
            MsgIcon icon;
            MsgButtons buttons;
            B::StandardButton press;
            MsgAnswer answer;
            B::Icon shownIcon;
            B::StandardButtons shownButtons;
        };
        const Case cases[] = {
            {MsgIcon::Question, MsgButtons::YesNo, B::Yes, MsgAnswer::Yes, B::Question, B::Yes | B::No},
            {MsgIcon::Exclamation, MsgButtons::Ok, B::Ok, MsgAnswer::Ok, B::Warning, B::Ok},
            {MsgIcon::Critical, MsgButtons::YesNoCancel, B::No, MsgAnswer::No, B::Critical, B::Yes | B::No | B::Cancel},
            {MsgIcon::Information, MsgButtons::OkCancel, B::Cancel, MsgAnswer::Cancel, B::Information,
             B::Ok | B::Cancel},
            {MsgIcon::Question, MsgButtons::YesNo, B::NoButton, MsgAnswer::No, B::Question, B::Yes | B::No},
            {MsgIcon::Question, MsgButtons::YesNoCancel, B::NoButton, MsgAnswer::Cancel, B::Question,
             B::Yes | B::No | B::Cancel},
            {MsgIcon::None, MsgButtons::OkCancel, B::NoButton, MsgAnswer::Cancel, B::NoIcon, B::Ok | B::Cancel},
            {MsgIcon::None, MsgButtons::Ok, B::NoButton, MsgAnswer::Ok, B::NoIcon, B::Ok},
        };
        QWidget owner;
        owner.show();
        QtDesktop desktop(&owner);
        for (const Case& test : cases) {
            BoxSeen seen;
            const std::string text = "   Run Setup.exe?   ";
            QCOMPARE(answerBox(desktop, text, test.icon, test.buttons, test.press, seen), test.answer);
            QCOMPARE(seen.text, QStringLiteral("   Run Setup.exe?   "));
            QCOMPARE(seen.title, QStringLiteral("Quillet32"));
            QCOMPARE(seen.icon, test.shownIcon);
            QCOMPARE(seen.buttons, test.shownButtons);
        }
        // The program's line breaks become plain ones.
        BoxSeen seen;
        answerBox(desktop, "Zip write error - # 130\r\nc:\\a.zip <b>", MsgIcon::None, MsgButtons::Ok, B::Ok, seen);
        QCOMPARE(seen.text, QStringLiteral("Zip write error - # 130\nc:\\a.zip <b>"));
    }

    // Every play returns, a synchronous one within the sound's own length.
    // Masked, named after the archive and the member; Escape is its Cancel.
    void thePasswordBoxAsksForTheMembersPasswordAndEscapeCancels() {
        QWidget owner;
        owner.show();
        QtDesktop desktop(&owner);
        QString shown;
        QCOMPARE(answerPasswordBox(desktop, false, "s3cret", shown), std::optional<std::string>("s3cret"));
        QVERIFY(shown.startsWith("Password|c:\\dl\\enc.zip\n\nholds setup.exe"));
        QVERIFY(shown.endsWith("Password:|1"));
        QCOMPARE(answerPasswordBox(desktop, true, "", shown), std::optional<std::string>());
        QVERIFY(shown.contains("That password was wrong."));
    }

    void everyPlayReturnsWithinTheSoundsLength() {
        test::TestDrive drive;
        QFile built(QStringLiteral(Q32_BIN_DIR "/error.wav"));
        QVERIFY(built.open(QIODevice::ReadOnly));
        const std::string bytes = built.readAll().toStdString();
        drive.writeFile("c:\\error.wav", bytes);
        const auto length = wavLength(bytes);
        QVERIFY(length.has_value());

        QtSound sound(drive.fs().driveTable());
        const std::pair<const char*, bool> plays[] = {
            {"c:\\error.wav", true}, {"c:\\error.wav", false}, {"c:\\error.wav", true}, {"c:\\none.wav", true}};
        for (const auto& [path, synchronous] : plays) {
            QElapsedTimer clock;
            clock.start();
            sound.play(path, synchronous);
            // Slack for a loaded machine; a hang would be far beyond it.
            QVERIFY2(clock.elapsed() < length->count() + 1000, path);
        }
    }
};

QTEST_MAIN(DesktopTest)

#include "desktop_test.moc"
