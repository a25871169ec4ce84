#include <QEnterEvent>
#include <QTest>
#include <QToolButton>

#include "platform/qt/qt_toolbar.h"
#include "qt_test_suites.h"

using namespace q32;

namespace {

struct ToolbarEntry {
    const char* key;
    ButtonStyle style;
    const char* toolTip;
};

// Separators count in the numbering: index 4 and 8 have no button.
const ToolbarEntry kButtons[] = {
    {"zip", ButtonStyle::Group, "Zip's"},      {"rar", ButtonStyle::Group, "Rar's"}, {"ace", ButtonStyle::Group, ""},
    {"", ButtonStyle::Separator, ""},          {"nfo", ButtonStyle::Plain, ""},
    {"install", ButtonStyle::Plain, "Install"}, {"test", ButtonStyle::Plain, "Test"}, {"", ButtonStyle::Separator, ""},
    {"exit", ButtonStyle::Plain, "Exit"},
};

struct ToolbarWindow {
    QWidget window;
    QtToolbar toolbar{&window};
    std::vector<int> clicks;

    ToolbarWindow() {
        window.resize(700, 100);
        for (const ToolbarEntry& entry : kButtons) toolbar.addButton(entry.key, entry.style, entry.toolTip);
        toolbar.setGeometry({60, 75, 0, 450});
        toolbar.onButtonClick = [this](int index) { clicks.push_back(index); };
        window.show();
    }

    std::vector<int> downButtons() const {
        std::vector<int> down;
        for (int index = 1; index <= toolbar.count(); ++index) {
            if (toolbar.isDown(index)) down.push_back(index);
        }
        return down;
    }

    void click(int index) { QTest::mouseClick(toolbar.button(index), Qt::LeftButton); }

    // Pixels of the button's second row in the highlight colour.
    int framedPixels(int index) const {
        const QImage picture = toolbar.button(index)->grab().toImage();
        const QRgb highlight = toolbar.button(index)->palette().color(QPalette::Highlight).rgb();
        int count = 0;
        for (int x = 0; x < picture.width(); ++x) count += QColor(picture.pixel(x, 1)).rgb() == highlight;
        return count;
    }
};

}  // namespace

class ToolbarTest : public QObject {
    Q_OBJECT

private slots:
    void oneGroupButtonStaysDownPlainButtonsDoNot() {
        ToolbarWindow w;
        w.toolbar.setDown(1, true);
        QCOMPARE(w.downButtons(), std::vector<int>({1}));
        for (int index : {3, 3, 2, 9, 6}) w.click(index);
        // A click on the button that is down leaves it down.
        QCOMPARE(w.clicks, std::vector<int>({3, 3, 2, 9, 6}));
        QCOMPARE(w.downButtons(), std::vector<int>({2}));
        // The button that is down is framed in the highlight colour, the others are not.
        QVERIFY(w.framedPixels(2) > w.toolbar.button(2)->width() / 2);
        QCOMPARE(w.framedPixels(1), 0);
        // The program moves the group's button without a click, and can lift it.
        w.toolbar.setDown(3, true);
        QCOMPARE(w.downButtons(), std::vector<int>({3}));
        w.toolbar.setDown(3, false);
        QCOMPARE(w.downButtons(), std::vector<int>());
        QCOMPARE(w.clicks.size(), std::size_t(5));
    }

    void pointerAndClicksReachTheProgramDisabledButtonsIgnoreClicks() {
        ToolbarWindow w;
        std::vector<std::string> seen;
        w.toolbar.onMouseEnter = [&] { seen.push_back("enter"); };
        w.toolbar.onMouseExit = [&] { seen.push_back("exit"); };
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(w.toolbar.widget(), &enter);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(w.toolbar.widget(), &leave);
        QCOMPARE(seen, std::vector<std::string>({"enter", "exit"}));
        for (int index : {5, 6, 7}) w.toolbar.setEnabled(index, false);
        w.click(6);
        w.click(9);
        w.toolbar.setEnabled(6, true);
        w.click(6);
        QCOMPARE(w.clicks, std::vector<int>({9, 6}));
    }

    void widthIsTheNaturalWidthOfTheButtons() {
        QWidget window;
        QtToolbar toolbar(&window);
        toolbar.setGeometry({60, 75, 5000, 450});
        const double empty = toolbar.geometry().width;
        toolbar.addButton("zip", ButtonStyle::Group, "");
        QVERIFY(toolbar.geometry().width > empty);
        toolbar.addButton("", ButtonStyle::Separator, "");
        toolbar.addButton("exit", ButtonStyle::Plain, "");
        const int natural = toolbar.widget()->sizeHint().width();
        // The place and the height are the program's; the width stays natural.
        toolbar.setGeometry({150, 30, 100, 600});
        QRect expected = TwipsScale::screen().toPixels({150, 30, 100, 600});
        expected.setWidth(natural);
        QCOMPARE(toolbar.widget()->geometry(), expected);
        QCOMPARE(toolbar.geometry().width, TwipsScale::screen().toTwipsX(natural));
    }
};

Q32_TEST_SUITE(ToolbarTest);

#include "toolbar_test.moc"
