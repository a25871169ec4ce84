#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include "platform/qt/qt_splash.h"
#include "qt_test_suites.h"

using namespace q32;

class SplashTest : public QObject {
    Q_OBJECT

private slots:
    void showsAFramelessWindowInTheMiddleWithTheVersion() {
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
    // in, the corners out.
    void shapedToItsPicture() {
        QtSplash splash;
        splash.shapeToPicture();
        const QRegion mask = splash.window()->mask();
        QVERIFY(!mask.isEmpty());
        const QRect all = splash.window()->rect();
        QVERIFY(mask.contains(all.center()));
        QVERIFY(mask.contains(QPoint(282, 194)));
        for (const QPoint corner : {all.topLeft(), all.topRight(), all.bottomLeft(), all.bottomRight()})
            QVERIFY(!mask.contains(corner));
    }

    // Each place reports its own click; the version label's goes to the window.
    void clicksReachTheirHandlers() {
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

    void timerFiresOnceUnlessStopped() {
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

    void iconAnimatesWhileSwitchedOn() {
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
};

Q32_TEST_SUITE(SplashTest);

#include "splash_test.moc"
