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

    // Columns of the panel's inside, from its left edge, that hold a pixel in the highlight colour.
    int filledColumns(int upTo) const {
        const QRgb highlight = panel.widget()->palette().color(QPalette::Highlight).rgb();
        const QImage image = picture();
        const QRect inside = panel.widget()->contentsRect();
        int columns = 0;
        for (int x = inside.left(); x < inside.left() + upTo; ++x) {
            for (int y = 3; y < image.height() - 3; ++y) {
                if (QColor(image.pixel(x, y)).rgb() == highlight) {
                    ++columns;
                    break;
                }
            }
        }
        return columns;
    }
};

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
    void progressModeFillsFromTheLeftWithinBounds() {
        PanelWindow w;
        const int inside = w.panel.widget()->contentsRect().width();
        w.panel.setFillPercent(50);
        QCOMPARE(w.filledColumns(inside), 0);  // outside progress mode there is no fill
        w.panel.setProgressMode(true);
        QCOMPARE(w.filledColumns(inside), inside / 2);
        QCOMPARE(w.filledColumns(inside / 2), inside / 2);
        const std::pair<int, int> percentsAndColumns[] = {{100, inside}, {150, inside}, {0, 0}, {-3, 0}};
        for (const auto& [percent, columns] : percentsAndColumns) {
            w.panel.setFillPercent(percent);
            QCOMPARE(w.filledColumns(inside), columns);
            QCOMPARE(w.panel.fillPercent(), columns == 0 ? 0 : 100);
        }
    }

    void captionIsDrawnWhereAlignedInTheColourAsked() {
        PanelWindow w;
        const QPalette palette = w.panel.widget()->palette();
        QCOMPARE(w.panel.captionColor(), palette.color(QPalette::WindowText));
        w.panel.setTextColor(TextColor::Black);
        QCOMPARE(w.panel.captionColor(), QColor(Qt::black));
        w.panel.setCaption("WWW");
        const int width = w.panel.widget()->width();
        QVERIFY(darkPixelIn(w.picture(), 3, 40));
        QVERIFY(!darkPixelIn(w.picture(), width - 60, width - 3));
        w.panel.setAlignment(Alignment::Center);
        QVERIFY(!darkPixelIn(w.picture(), 3, 40));
        QVERIFY(darkPixelIn(w.picture(), width / 2 - 10, width / 2 + 10));
        w.panel.setTextColor(TextColor::HighlightText);
        QCOMPARE(w.panel.captionColor(), palette.color(QPalette::HighlightedText));
        if (qGray(w.panel.captionColor().rgb()) > 160) QVERIFY(!darkPixelIn(w.picture(), 3, width - 3));
    }

    void clickIsAPressAndReleaseOfTheLeftButtonOnThePanel() {
        PanelWindow w;
        std::vector<MouseButton> downs;
        int clicks = 0;
        w.panel.onMouseDown = [&](MouseButton button) { downs.push_back(button); };
        w.panel.onClick = [&] { ++clicks; };
        QTest::mouseClick(w.panel.widget(), Qt::RightButton);
        QTest::mouseClick(w.panel.widget(), Qt::LeftButton);
        QTest::mousePress(w.panel.widget(), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(w.panel.widget(), Qt::LeftButton, {}, QPoint(500, 5));  // released outside
        QCOMPARE(clicks, 1);
        QCOMPARE(downs, std::vector<MouseButton>({MouseButton::Right, MouseButton::Left, MouseButton::Left}));
    }

    void placedInTwipsAndShownOrHidden() {
        PanelWindow w;
        w.panel.setGeometry({75, 6000, 1935, 240});
        QCOMPARE(w.panel.widget()->geometry(), TwipsScale::screen().toPixels({75, 6000, 1935, 240}));
        QCOMPARE(w.panel.geometry(), TwipsScale::screen().toTwips(w.panel.widget()->geometry()));
        w.panel.setVisible(false);
        QVERIFY(w.panel.widget()->isHidden());
        w.panel.setVisible(true);
        QVERIFY(w.panel.widget()->isVisible());
    }

    void markShowsTheQuillAndTheWordInADecorativeFace() {
        QWidget window;
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
        QVERIFY(face.italic() && face.bold());
        QCOMPARE(face.pixelSize(), 14);
    }
};

Q32_TEST_SUITE(StatusPanelTest);

#include "status_panel_test.moc"
