#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include "platform/qt/qt_splash.h"
#include "qt_test_suites.h"

using namespace q32;

class SplashTest : public QObject {
    Q_OBJECT

private slots:
    void loadShowsAFramelessWindowInTheMiddleWithTheVersion() {
        QtSplash splash;
        QVERIFY(!splash.window()->isVisible());
        for (int round = 0; round < 2; ++round) {  // loaded again after an unload
            splash.load();
            QVERIFY(splash.isLoaded() && splash.window()->isVisible());
            QVERIFY(splash.window()->windowFlags() & Qt::FramelessWindowHint);
            QVERIFY(!splash.window()->testAttribute(Qt::WA_QuitOnClose));
            const QPoint offCentre = splash.window()->geometry().center() -
                                     QGuiApplication::primaryScreen()->availableGeometry().center();
            QVERIFY(qAbs(offCentre.x()) <= 1 && qAbs(offCentre.y()) <= 1);
            splash.unload();
            QVERIFY(!splash.isLoaded() && !splash.window()->isVisible());
        }
        auto* label = splash.window()->findChild<QLabel*>(QStringLiteral("Label3"));
        QVERIFY(label);
        QCOMPARE(label->text(), QStringLiteral("v2.82"));
        QVERIFY(splash.window()->rect().contains(label->geometry()));
    }
};

Q32_TEST_SUITE(SplashTest);

#include "splash_test.moc"
