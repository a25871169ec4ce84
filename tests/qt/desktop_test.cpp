#include <QAbstractButton>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "platform/qt/qt_desktop.h"
#include "qt_test_suites.h"

using namespace q32;

namespace {

struct BoxSeen {
    QString text;
    QString title;
    bool modal = false;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

// Shows a box through the desktop, answers it with a button or closes it
// (NoButton), and notes what it showed.
MsgAnswer answerBox(QtDesktop& desktop, const std::string& text, MsgIcon icon, MsgButtons buttons,
                    QMessageBox::StandardButton answer, BoxSeen& seen) {
    QTimer::singleShot(0, [&seen, answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        seen = {box->text(), box->windowTitle(), box->isModal(), box->icon(), box->standardButtons()};
        if (answer == QMessageBox::NoButton) box->close();
        else box->button(answer)->click();
    });
    return desktop.messageBox(text, "Quillet32", icon, buttons);
}

}  // namespace

class DesktopTest : public QObject {
    Q_OBJECT

private slots:
    void screenSizeInTwipsAndWaitingEventsHandled() {
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
            QVERIFY(seen.modal);
            QCOMPARE(seen.icon, test.shownIcon);
            QCOMPARE(seen.buttons, test.shownButtons);
        }
        // The program's line breaks become plain ones.
        BoxSeen seen;
        answerBox(desktop, "Zip write error - # 130\r\nc:\\a.zip <b>", MsgIcon::None, MsgButtons::Ok, B::Ok, seen);
        QCOMPARE(seen.text, QStringLiteral("Zip write error - # 130\nc:\\a.zip <b>"));
    }
};

Q32_TEST_SUITE(DesktopTest);

#include "desktop_test.moc"
