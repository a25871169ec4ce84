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
    void fifteenTwipsMakeAPixelAt96Dpi() {
        const TwipsScale scale(96, 96);
        QCOMPARE(scale.toPixelsX(1440), 96);
        QCOMPARE(scale.toPixelsY(15), 1);
        QCOMPARE(scale.toTwipsX(1), 15.0);
        QCOMPARE(scale.toTwipsY(640), 9600.0);
        // Half a pixel and more rounds up, less rounds down.
        QCOMPARE(scale.toPixelsX(7), 0);
        QCOMPARE(scale.toPixelsX(8), 1);
        QCOMPARE(scale.toPixelsX(-30), -2);
    }

    void otherResolutionsAndAxes() {
        const TwipsScale scale(120, 144);
        QCOMPARE(scale.toPixelsX(1440), 120);
        QCOMPARE(scale.toPixelsY(1440), 144);
        QCOMPARE(scale.toTwipsX(12), 144.0);
        QCOMPARE(scale.toTwipsY(10), 100.0);
        // A resolution that is not there falls back to 96 dots an inch.
        const TwipsScale none(0, -1);
        QCOMPARE(none.dotsPerInchX(), 96.0);
        QCOMPARE(none.toPixelsY(150), 10);
    }

    void rectanglesKeepSharedEdges() {
        const TwipsScale scale(96, 96);
        QCOMPARE(scale.toPixels(Rect{75, 660, 9340, 5990}), QRect(5, 44, 623, 399));
        QCOMPARE(scale.toTwips(QRect(5, 44, 623, 399)), (Rect{75, 660, 9345, 5985}));
        // Two rectangles side by side in twips stay side by side in pixels,
        // whatever the rounding of each width.
        const Rect left{0, 0, 1007, 300};
        const Rect right{1007, 0, 1007, 300};
        QCOMPARE(scale.toPixels(left).right() + 1, scale.toPixels(right).left());
        QCOMPARE(scale.toPixels(Rect{0, 0, -100, -100}).size(), QSize(0, 0));
    }

    void pixelRectanglesComeBackExactly() {
        for (double dpi : {72.0, 96.0, 120.0, 144.0}) {
            const TwipsScale scale(dpi, dpi);
            const QRect pixels(13, 27, 301, 177);
            QCOMPARE(scale.toPixels(scale.toTwips(pixels)), pixels);
        }
    }

    void screenScaleUsesTheScreensLogicalResolution() {
        const QScreen* screen = QGuiApplication::primaryScreen();
        QVERIFY(screen);
        const TwipsScale scale = TwipsScale::screen();
        QCOMPARE(scale.dotsPerInchX(), screen->logicalDotsPerInchX());
        QCOMPARE(scale.dotsPerInchY(), screen->logicalDotsPerInchY());
        QCOMPARE(scale.toPixelsX(1440), qRound(screen->logicalDotsPerInchX()));
    }
};

Q32_TEST_SUITE(TwipsTest);

#include "twips_test.moc"
