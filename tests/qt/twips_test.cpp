#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include "platform/qt/twips.h"
#include "qt_test_suites.h"

using q32::Rect;
using q32::TwipsScale;

class TwipsTest : public QObject {
    Q_OBJECT

private slots:
    void twipsToPixelsRoundHalfUpOnEachAxis() {
        struct Case {
            double dpiX, dpiY, twips;
            int pixelsX, pixelsY;
        };
        const Case cases[] = {{96, 96, 1440, 96, 96},   {96, 96, 15, 1, 1},         {96, 96, 7, 0, 0},
                              {96, 96, 8, 1, 1},        {96, 96, -30, -2, -2},      {120, 144, 1440, 120, 144},
                              {0, -1, 150, 10, 10}};  // a resolution that is not there: 96 dots an inch
        for (const Case& c : cases) {
            const TwipsScale scale(c.dpiX, c.dpiY);
            QCOMPARE(scale.toPixelsX(c.twips), c.pixelsX);
            QCOMPARE(scale.toPixelsY(c.twips), c.pixelsY);
        }
        QCOMPARE(TwipsScale(96, 96).toTwipsX(1), 15.0);
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

    void screenScaleUsesTheScreensLogicalResolution() {
        const QScreen* screen = QGuiApplication::primaryScreen();
        QVERIFY(screen);
        QCOMPARE(TwipsScale::screen().dotsPerInchX(), screen->logicalDotsPerInchX());
        QCOMPARE(TwipsScale::screen().dotsPerInchY(), screen->logicalDotsPerInchY());
    }
};

Q32_TEST_SUITE(TwipsTest);

#include "twips_test.moc"
