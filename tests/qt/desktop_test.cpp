#include <QAbstractButton>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "platform/qt/qt_desktop.h"
#include "platform/qt/twips.h"
#include "qt_test_suites.h"

using namespace q32;

namespace {

struct BoxSeen {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    bool modal = false;
};

// Answers the next message box with a button, or closes it (button
// NoButton), and notes what it showed.
void answerNextBox(BoxSeen& seen, QMessageBox::StandardButton button) {
    QTimer::singleShot(0, [&seen, button] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        seen = {box->text(), box->windowTitle(), box->icon(), box->standardButtons(), box->isModal()};
        if (button == QMessageBox::NoButton) box->close();
        else box->button(button)->click();
    });
}

}  // namespace

class DesktopTest : public QObject {
    Q_OBJECT

private slots:
    void screenSizeInTwips() {
        QtDesktop desktop(nullptr);
        const QScreen* screen = QGuiApplication::primaryScreen();
        QCOMPARE(desktop.screenWidth(), screen->size().width() * 1440.0 / screen->logicalDotsPerInchX());
        QCOMPARE(desktop.screenHeight(), screen->size().height() * 1440.0 / screen->logicalDotsPerInchY());
    }

    void doEventsHandlesWhatIsWaiting() {
        QtDesktop desktop(nullptr);
        bool handled = false;
        QMetaObject::invokeMethod(qApp, [&] { handled = true; }, Qt::QueuedConnection);
        QVERIFY(!handled);
        desktop.doEvents();
        QVERIFY(handled);
    }

    void boxesShowWhatTheyAreGivenAndReturnTheAnswer() {
        QWidget owner;
        owner.show();
        QtDesktop desktop(&owner);
        BoxSeen seen;
        answerNextBox(seen, QMessageBox::Yes);
        QCOMPARE(desktop.messageBox("   Run Setup.exe?   ", "Quillet32", MsgIcon::Question, MsgButtons::YesNo),
                 MsgAnswer::Yes);
        QCOMPARE(seen.text, QStringLiteral("   Run Setup.exe?   "));
        QCOMPARE(seen.title, QStringLiteral("Quillet32"));
        QCOMPARE(seen.icon, QMessageBox::Question);
        QCOMPARE(seen.buttons, QMessageBox::Yes | QMessageBox::No);
        QVERIFY(seen.modal);

        answerNextBox(seen, QMessageBox::Ok);
        QCOMPARE(desktop.messageBox("Zip write error - # 130\r\nc:\\a.zip <b>", "Quillet32 Error",
                                    MsgIcon::Exclamation, MsgButtons::Ok),
                 MsgAnswer::Ok);
        QCOMPARE(seen.text, QStringLiteral("Zip write error - # 130\nc:\\a.zip <b>"));
        QCOMPARE(seen.icon, QMessageBox::Warning);
        QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

        answerNextBox(seen, QMessageBox::No);
        QCOMPARE(desktop.messageBox("Delete?", "Quillet32", MsgIcon::Critical, MsgButtons::YesNoCancel),
                 MsgAnswer::No);
        QCOMPARE(seen.icon, QMessageBox::Critical);
        QCOMPARE(seen.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);

        answerNextBox(seen, QMessageBox::Cancel);
        QCOMPARE(desktop.messageBox("Go on?", "Quillet32", MsgIcon::Information, MsgButtons::OkCancel),
                 MsgAnswer::Cancel);
        QCOMPARE(seen.icon, QMessageBox::Information);
        QCOMPARE(seen.buttons, QMessageBox::Ok | QMessageBox::Cancel);
    }

    void closingABoxAnswersCancelOrNo() {
        QtDesktop desktop(nullptr);
        BoxSeen seen;
        answerNextBox(seen, QMessageBox::NoButton);
        QCOMPARE(desktop.messageBox("?", "t", MsgIcon::Question, MsgButtons::YesNo), MsgAnswer::No);
        answerNextBox(seen, QMessageBox::NoButton);
        QCOMPARE(desktop.messageBox("?", "t", MsgIcon::Question, MsgButtons::YesNoCancel), MsgAnswer::Cancel);
        answerNextBox(seen, QMessageBox::NoButton);
        QCOMPARE(desktop.messageBox("?", "t", MsgIcon::None, MsgButtons::OkCancel), MsgAnswer::Cancel);
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        answerNextBox(seen, QMessageBox::NoButton);
        QCOMPARE(desktop.messageBox("!", "t", MsgIcon::None, MsgButtons::Ok), MsgAnswer::Ok);
    }
};

Q32_TEST_SUITE(DesktopTest);

#include "desktop_test.moc"
