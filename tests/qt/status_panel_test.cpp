#include <QTest>

#include "platform/qt/program_pictures.h"
#include "platform/qt/qt_mark_panel.h"
#include "platform/qt/qt_status_panel.h"
#include "qt_test_suites.h"

using namespace q32;

namespace {

struct PanelWindow {
    QWidget window;
    QtStatusPanel panel{&window};

    PanelWindow() {
        window.resize(400, 60);
        panel.widget()->setGeometry(10, 10, 300, 24);
        window.show();
    }

    QImage picture() const { return panel.widget()->grab().toImage(); }
};

bool sameColour(QRgb pixel, const QColor& colour) { return QColor(pixel).rgb() == colour.rgb(); }

// Columns from `from` to `to` (excluded) of the panel's inside that hold a
// pixel of the colour.
int columnsWithColour(const QImage& image, int from, int to, const QColor& colour) {
    int columns = 0;
    for (int x = from; x < to; ++x) {
        for (int y = 3; y < image.height() - 3; ++y) {
            if (sameColour(image.pixel(x, y), colour)) {
                ++columns;
                break;
            }
        }
    }
    return columns;
}

bool darkPixelIn(const QImage& image, int from, int to) {
    for (int x = from; x < to; ++x)
        for (int y = 3; y < image.height() - 3; ++y)
            if (qGray(image.pixel(x, y)) < 80) return true;
    return false;
}

}  // namespace

class StatusPanelTest : public QObject {
    Q_OBJECT

private slots:
    void stateAsSet() {
        PanelWindow w;
        QCOMPARE(w.panel.caption(), std::string());
        QCOMPARE(w.panel.alignment(), Alignment::Left);
        QVERIFY(!w.panel.progressMode());
        w.panel.setCaption("c:\\games");
        w.panel.setAlignment(Alignment::Center);
        w.panel.setProgressMode(true);
        w.panel.setFillPercent(40);
        w.panel.setTextColor(TextColor::HighlightText);
        QCOMPARE(w.panel.caption(), std::string("c:\\games"));
        QCOMPARE(w.panel.alignment(), Alignment::Center);
        QVERIFY(w.panel.progressMode());
        QCOMPARE(w.panel.fillPercent(), 40);
        QCOMPARE(w.panel.textColor(), TextColor::HighlightText);
        w.panel.setFillPercent(150);
        QCOMPARE(w.panel.fillPercent(), 100);
        w.panel.setFillPercent(-3);
        QCOMPARE(w.panel.fillPercent(), 0);
    }

    void captionColoursComeFromThePalette() {
        PanelWindow w;
        const QPalette palette = w.panel.widget()->palette();
        QCOMPARE(w.panel.captionColor(), palette.color(QPalette::WindowText));
        w.panel.setTextColor(TextColor::HighlightText);
        QCOMPARE(w.panel.captionColor(), palette.color(QPalette::HighlightedText));
        w.panel.setTextColor(TextColor::Black);
        QCOMPARE(w.panel.captionColor(), QColor(Qt::black));
    }

    void progressModeFillsFromTheLeft() {
        PanelWindow w;
        const QColor highlight = w.panel.widget()->palette().color(QPalette::Highlight);
        const QRect inside = w.panel.widget()->contentsRect();
        w.panel.setFillPercent(50);
        // Outside progress mode there is no fill.
        QCOMPARE(columnsWithColour(w.picture(), inside.left(), inside.right() + 1, highlight), 0);
        w.panel.setProgressMode(true);
        const int filled = columnsWithColour(w.picture(), inside.left(), inside.right() + 1, highlight);
        QCOMPARE(filled, inside.width() / 2);
        QCOMPARE(columnsWithColour(w.picture(), inside.left(), inside.left() + filled, highlight), filled);
        w.panel.setFillPercent(100);
        QCOMPARE(columnsWithColour(w.picture(), inside.left(), inside.right() + 1, highlight), inside.width());
        w.panel.setFillPercent(0);
        QCOMPARE(columnsWithColour(w.picture(), inside.left(), inside.right() + 1, highlight), 0);
    }

    void captionIsDrawnWhereItIsAligned() {
        PanelWindow w;
        w.panel.setTextColor(TextColor::Black);
        w.panel.setCaption("WWW");
        const int width = w.panel.widget()->width();
        QVERIFY(darkPixelIn(w.picture(), 3, 40));
        QVERIFY(!darkPixelIn(w.picture(), width - 60, width - 3));
        w.panel.setAlignment(Alignment::Center);
        QVERIFY(!darkPixelIn(w.picture(), 3, 40));
        QVERIFY(darkPixelIn(w.picture(), width / 2 - 10, width / 2 + 10));
        // In the highlight-text colour (white here) nothing dark is drawn.
        w.panel.setTextColor(TextColor::HighlightText);
        if (qGray(w.panel.captionColor().rgb()) > 160) QVERIFY(!darkPixelIn(w.picture(), 3, width - 3));
    }

    void mouseButtonsAndClicks() {
        PanelWindow w;
        std::vector<MouseButton> downs;
        int clicks = 0;
        w.panel.onMouseDown = [&](MouseButton button) { downs.push_back(button); };
        w.panel.onClick = [&] { ++clicks; };
        QTest::mouseClick(w.panel.widget(), Qt::RightButton);
        QCOMPARE(clicks, 0);
        QTest::mouseClick(w.panel.widget(), Qt::LeftButton);
        QCOMPARE(clicks, 1);
        // Released outside the panel: no click.
        QTest::mousePress(w.panel.widget(), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(w.panel.widget(), Qt::LeftButton, {}, QPoint(500, 5));
        QCOMPARE(clicks, 1);
        QCOMPARE(downs, std::vector<MouseButton>({MouseButton::Right, MouseButton::Left, MouseButton::Left}));
    }

    void placedInTwipsAndShownOrHidden() {
        PanelWindow w;
        const TwipsScale scale = TwipsScale::screen();
        w.panel.setGeometry({75, 6000, 1935, 240});
        QCOMPARE(w.panel.widget()->geometry(), scale.toPixels({75, 6000, 1935, 240}));
        QCOMPARE(w.panel.geometry(), scale.toTwips(w.panel.widget()->geometry()));
        w.panel.setVisible(false);
        QVERIFY(!w.panel.isVisible());
        QVERIFY(w.panel.widget()->isHidden());
        w.panel.setVisible(true);
        QVERIFY(w.panel.isVisible());
    }

    void markShowsTheQuillAndTheWordInADecorativeFace() {
        QWidget window;
        window.resize(200, 60);
        QtMarkPanel mark(&window);
        mark.widget()->setGeometry(5, 5, 59, 23);
        window.show();
        QCOMPARE(mark.caption(), std::string("Tobrek"));
        const QImage picture = mark.widget()->grab().toImage();
        // The quill's red vane at the left, and letters beside it.
        int reddish = 0;
        for (int x = 2; x < 22; ++x)
            for (int y = 2; y < 21; ++y) {
                const QColor c(picture.pixel(x, y));
                reddish += c.red() > c.green() + 40 && c.red() > c.blue() + 40;
            }
        QVERIFY(reddish > 10);
        QVERIFY(darkPixelIn(picture, 24, 57));
        const QFont face = decorativeFont(14);
        QVERIFY(face.italic());
        QVERIFY(face.bold());
        QCOMPARE(face.pixelSize(), 14);
    }
};

Q32_TEST_SUITE(StatusPanelTest);

#include "status_panel_test.moc"
