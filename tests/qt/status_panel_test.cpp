#include <QTest>

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

    // Columns of the panel's inside, from its left edge, that hold a pixel in the highlight colour.
    int filledColumns(int upTo) const {
        const QRgb highlight = panel.widget()->palette().color(QPalette::Highlight).rgb();
        const QImage image = panel.widget()->grab().toImage();
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
};

Q32_TEST_SUITE(StatusPanelTest);

#include "status_panel_test.moc"
