#include <QEnterEvent>
#include <QTest>
#include <QToolButton>

#include "platform/qt/qt_toolbar.h"
#include "platform/qt/toolbar_icons.h"
#include "qt_test_suites.h"

using namespace q32;

namespace {

struct ButtonSpec {
    const char* key;
    ButtonStyle style;
    const char* toolTip;
};

// The program's sixteen buttons; separators count in the numbering.
const ButtonSpec kButtons[] = {
    {"zip", ButtonStyle::Group, "Zip's"},       {"rar", ButtonStyle::Group, "Rar's"},
    {"arj", ButtonStyle::Group, "Arj's"},       {"ace", ButtonStyle::Group, "Ace's"},
    {"", ButtonStyle::Separator, ""},           {"diz", ButtonStyle::Plain, "Diz"},
    {"nfo", ButtonStyle::Plain, ""},            {"", ButtonStyle::Separator, ""},
    {"install", ButtonStyle::Plain, "Install"}, {"test", ButtonStyle::Plain, "Test"},
    {"", ButtonStyle::Separator, ""},           {"help", ButtonStyle::Plain, "Help"},
    {"web", ButtonStyle::Plain, "Visit Web page"}, {"email", ButtonStyle::Plain, "Email Tobrek"},
    {"", ButtonStyle::Separator, ""},           {"exit", ButtonStyle::Plain, "Exit"},
};

struct ToolbarWindow {
    QWidget window;
    QtToolbar toolbar{&window};
    std::vector<int> clicks;

    ToolbarWindow() {
        window.resize(700, 100);
        for (const ButtonSpec& spec : kButtons) toolbar.addButton(spec.key, spec.style, spec.toolTip);
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
};

}  // namespace

class ToolbarTest : public QObject {
    Q_OBJECT

private slots:
    void buttonsAreNumberedFromOneWithSeparators() {
        ToolbarWindow w;
        QCOMPARE(w.toolbar.count(), 16);
        for (int index = 1; index <= 16; ++index) {
            const ButtonSpec& spec = kButtons[index - 1];
            QCOMPARE(w.toolbar.key(index), std::string(spec.key));
            QCOMPARE(w.toolbar.toolTip(index), std::string(spec.toolTip));
            QToolButton* button = w.toolbar.button(index);
            QCOMPARE(button == nullptr, spec.style == ButtonStyle::Separator);
            if (button) {
                QCOMPARE(button->toolTip().toStdString(), std::string(spec.toolTip));
                QVERIFY(!button->icon().isNull());
                QCOMPARE(button->isCheckable(), spec.style == ButtonStyle::Group);
            }
        }
        QCOMPARE(w.toolbar.key(17), std::string());
        QCOMPARE(w.toolbar.button(0), nullptr);
        QVERIFY(!w.toolbar.isDown(5));
    }

    void clickedGroupButtonStaysDownAndLiftsTheOthers() {
        ToolbarWindow w;
        w.toolbar.setDown(1, true);
        w.click(3);
        QCOMPARE(w.clicks, std::vector<int>({3}));
        QCOMPARE(w.downButtons(), std::vector<int>({3}));
        // A second click on the button that is down leaves it down.
        w.click(3);
        QCOMPARE(w.downButtons(), std::vector<int>({3}));
        w.click(2);
        QCOMPARE(w.downButtons(), std::vector<int>({2}));
        QCOMPARE(w.clicks, std::vector<int>({3, 3, 2}));
    }

    void programSetsTheDownButtonWithoutAClick() {
        ToolbarWindow w;
        w.toolbar.setDown(4, true);
        QCOMPARE(w.downButtons(), std::vector<int>({4}));
        w.toolbar.setDown(1, true);
        QCOMPARE(w.downButtons(), std::vector<int>({1}));
        // Lifting a button lifts only that one.
        w.toolbar.setDown(1, false);
        QCOMPARE(w.downButtons(), std::vector<int>());
        QVERIFY(w.clicks.empty());
    }

    void downGroupButtonIsFramedInTheHighlightColour() {
        ToolbarWindow w;
        const QColor highlight = w.toolbar.button(1)->palette().color(QPalette::Highlight);
        auto framedPixels = [&](int index) {
            const QImage picture = w.toolbar.button(index)->grab().toImage();
            int count = 0;
            for (int x = 0; x < picture.width(); ++x)
                count += QColor(picture.pixel(x, 1)).rgb() == highlight.rgb();
            return count;
        };
        w.toolbar.setDown(2, true);
        QVERIFY(framedPixels(2) > w.toolbar.button(2)->width() / 2);
        QCOMPARE(framedPixels(1), 0);
        w.toolbar.setDown(1, true);
        QCOMPARE(framedPixels(2), 0);
        QVERIFY(framedPixels(1) > 0);
    }

    void plainButtonsReportTheirIndexCountingSeparators() {
        ToolbarWindow w;
        w.toolbar.setDown(1, true);
        w.click(16);
        w.click(9);
        w.click(13);
        QCOMPARE(w.clicks, std::vector<int>({16, 9, 13}));
        // Plain buttons do not stay down, nor lift the group.
        QCOMPARE(w.downButtons(), std::vector<int>({1}));
    }

    void disabledButtonsIgnoreClicks() {
        ToolbarWindow w;
        for (int index : {6, 7, 9, 10}) w.toolbar.setEnabled(index, false);
        QVERIFY(!w.toolbar.isEnabled(9));
        QVERIFY(!w.toolbar.button(9)->isEnabled());
        QVERIFY(w.toolbar.isEnabled(12));
        w.click(9);
        w.click(12);
        QCOMPARE(w.clicks, std::vector<int>({12}));
        w.toolbar.setEnabled(9, true);
        QVERIFY(w.toolbar.button(9)->isEnabled());
        w.click(9);
        QCOMPARE(w.clicks, std::vector<int>({12, 9}));
    }

    void hotTrackingRaisesButtonsUnderThePointer() {
        ToolbarWindow w;
        QVERIFY(!w.toolbar.hotTracking());
        QVERIFY(!w.toolbar.button(1)->autoRaise());
        w.toolbar.setHotTracking(true);
        QVERIFY(w.toolbar.hotTracking());
        for (int index : {1, 6, 16}) QVERIFY(w.toolbar.button(index)->autoRaise());
        // Buttons added later follow the setting.
        w.toolbar.addButton("zip", ButtonStyle::Plain, "");
        QVERIFY(w.toolbar.button(17)->autoRaise());
    }

    void widthIsTheNaturalWidthOfTheButtons() {
        QWidget window;
        QtToolbar toolbar(&window);
        toolbar.setGeometry({60, 75, 5000, 450});
        const double empty = toolbar.geometry().width;
        toolbar.addButton("zip", ButtonStyle::Group, "");
        const double one = toolbar.geometry().width;
        QVERIFY(one > empty);
        toolbar.addButton("", ButtonStyle::Separator, "");
        toolbar.addButton("exit", ButtonStyle::Plain, "");
        const int natural = toolbar.widget()->sizeHint().width();
        QCOMPARE(toolbar.widget()->width(), natural);
        // The place and the height are the program's; the width stays natural.
        toolbar.setGeometry({150, 30, 100, 600});
        QRect expected = TwipsScale::screen().toPixels({150, 30, 100, 600});
        expected.setWidth(natural);
        QCOMPARE(toolbar.widget()->geometry(), expected);
        QCOMPARE(toolbar.geometry().width, TwipsScale::screen().toTwipsX(natural));
    }

    void pointerEnteringAndLeavingIsReported() {
        ToolbarWindow w;
        int entered = 0;
        int left = 0;
        w.toolbar.onMouseEnter = [&] { ++entered; };
        w.toolbar.onMouseExit = [&] { ++left; };
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(w.toolbar.widget(), &enter);
        QCOMPARE(entered, 1);
        QCOMPARE(left, 0);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(w.toolbar.widget(), &leave);
        QCOMPARE(left, 1);
        QCOMPARE(entered, 1);
    }

    void picturesFollowTheKey() {
        const QImage zip = drawnToolbarPicture("zip", 24).toImage();
        const QImage rar = drawnToolbarPicture("rar", 24).toImage();
        QCOMPARE(zip.size(), QSize(24, 24));
        QVERIFY(zip != rar);
        for (const char* key : {"zip", "rar", "arj", "ace", "diz", "nfo", "install", "test", "help", "web", "email",
                                "exit"}) {
            QVERIFY2(!toolbarIcon(key).isNull(), key);
            const QImage picture = drawnToolbarPicture(key, 32).toImage();
            // Something of substance is drawn.
            int drawn = 0;
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x) drawn += qAlpha(picture.pixel(x, y)) > 0;
            QVERIFY2(drawn > 200, key);
        }
        QVERIFY(toolbarIcon("").isNull());
        QVERIFY(drawnToolbarPicture("unknown", 24).isNull());
    }
};

Q32_TEST_SUITE(ToolbarTest);

#include "toolbar_test.moc"
