#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include "platform/qt/qt_splash.h"
#include "qt_test_suites.h"

using namespace q32;

class SplashTest : public QObject {
    Q_OBJECT

private slots:
    void loadShowsAFramelessWindowInTheMiddle() {
        QtSplash splash;
        QVERIFY(!splash.isLoaded());
        QVERIFY(!splash.window()->isVisible());
        splash.load();
        QVERIFY(splash.isLoaded());
        QVERIFY(splash.window()->isVisible());
        QVERIFY(splash.window()->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(!splash.window()->testAttribute(Qt::WA_QuitOnClose));
        QCOMPARE(splash.window()->objectName(), QStringLiteral("Form4"));
        const QPoint middle = QGuiApplication::primaryScreen()->availableGeometry().center();
        const QPoint centre = splash.window()->geometry().center();
        QVERIFY(qAbs(centre.x() - middle.x()) <= 1);
        QVERIFY(qAbs(centre.y() - middle.y()) <= 1);
        splash.unload();
        QVERIFY(!splash.isLoaded());
        QVERIFY(!splash.window()->isVisible());
        // Loaded again after an unload.
        splash.load();
        QVERIFY(splash.window()->isVisible());
    }

    void versionLabel() {
        QtSplash splash;
        QCOMPARE(splash.versionText(), std::string("v2.82"));
        auto* label = splash.window()->findChild<QLabel*>(QStringLiteral("Label3"));
        QVERIFY(label);
        QCOMPARE(label->text(), QStringLiteral("v2.82"));
        QVERIFY(splash.window()->rect().contains(label->geometry()));
    }

    void iconIsDrawnOnlyWhileVisible() {
        QtSplash splash;
        splash.load();
        QVERIFY(!splash.iconVisible());
        const QImage without = splash.window()->grab().toImage();
        splash.setIconVisible(true);
        QVERIFY(splash.iconVisible());
        const QImage with = splash.window()->grab().toImage();
        QVERIFY(with != without);
        splash.setIconVisible(false);
        QCOMPARE(splash.window()->grab().toImage(), without);
    }
};

Q32_TEST_SUITE(SplashTest);

#include "splash_test.moc"
