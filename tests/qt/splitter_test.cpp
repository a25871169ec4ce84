#include <QMouseEvent>
#include <QSplitterHandle>
#include <QTest>

#include "platform/qt/qt_splitter.h"
#include "qt_test_suites.h"

using namespace q32;

namespace {

// The program's placement of the file list on pane 2.
Rect listRectInPane(const Rect& pane) { return {pane.left + 20, pane.top + 480, pane.width + 220, pane.height + 160}; }

QRect pixels(const Rect& rect) { return TwipsScale::screen().toPixels(rect); }
Rect twips(const QRect& rect) { return TwipsScale::screen().toTwips(rect); }

struct SplitterWindow {
    QWidget window;
    QtSplitter splitter{&window};
    int resizes = 0;

    SplitterWindow() {
        window.resize(700, 500);
        splitter.onResize = [this] { ++resizes; };
    }

    void sendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
};

}  // namespace

class SplitterTest : public QObject {
    Q_OBJECT

private slots:
    void secondPaneComesWhenAdded() {
        SplitterWindow w;
        w.splitter.setGeometry({75, 660, 9000, 6000});
        QCOMPARE(w.splitter.paneCount(), 1);
        QCOMPARE(w.splitter.pane(1), (Rect{0, 0, w.splitter.geometry().width, w.splitter.geometry().height}));
        w.splitter.addSecondPane("File1");
        QCOMPARE(w.splitter.paneCount(), 2);
        w.splitter.addSecondPane("File1");
        QCOMPARE(w.splitter.paneCount(), 2);
        QCOMPARE(w.splitter.bar()->count(), 2);
        QCOMPARE(w.splitter.pane(3), Rect{});
    }

    void panesAreRightBeforeTheWindowIsShown() {
        SplitterWindow w;
        w.splitter.addSecondPane("File1");
        w.splitter.setPane1Width(3000);
        w.splitter.setGeometry({75, 660, 9000, 6000});
        QVERIFY(!w.window.isVisible());
        const QRect outer = w.splitter.widget()->rect();
        const QRect pane1 = w.splitter.paneWidget(1)->geometry();
        const QRect pane2 = w.splitter.paneWidget(2)->geometry();
        QCOMPARE(pane1, QRect(0, 0, TwipsScale::screen().toPixelsX(3000), outer.height()));
        QCOMPARE(pane2.left(), pane1.right() + 1 + w.splitter.bar()->handleWidth());
        QCOMPARE(pane2.right(), outer.right());
        QCOMPARE(w.splitter.pane(1), twips(pane1));
        QCOMPARE(w.splitter.pane1Width(), twips(pane1).width);
    }

    void listPlacedByTheProgramLandsExactlyOnPaneTwo() {
        SplitterWindow w;
        w.splitter.addSecondPane("File1");
        w.splitter.setGeometry({75, 660, 9000, 6000});
        w.window.show();
        QWidget list(w.splitter.widget());
        list.setGeometry(pixels(listRectInPane(w.splitter.pane(2))));
        QCOMPARE(list.geometry(), w.splitter.paneWidget(2)->geometry());
        // Pane 2 is reported moved by the list offsets, pane 1 as it is.
        const Rect real = twips(w.splitter.paneWidget(2)->geometry());
        QCOMPARE(w.splitter.pane(2), (Rect{real.left - 20, real.top - 480, real.width - 220, real.height - 160}));
        QCOMPARE(w.splitter.pane(1), twips(w.splitter.paneWidget(1)->geometry()));
    }

    void resizeByTheProgramIsReportedOnce() {
        SplitterWindow w;
        w.splitter.addSecondPane("File1");
        w.splitter.setPane1Width(3000);
        w.splitter.setGeometry({75, 660, 9000, 6000});
        QCOMPARE(w.resizes, 1);
        w.splitter.setGeometry({75, 660, 9000, 6000});
        w.splitter.setGeometry({150, 700, 9000, 6000});  // moved, same size
        QCOMPARE(w.resizes, 1);
        // The handler can place the panes' controls: they are laid out already.
        Rect paneSeen;
        w.splitter.onResize = [&] { paneSeen = w.splitter.pane(2); };
        w.splitter.setGeometry({150, 700, 7500, 4500});
        QCOMPARE(paneSeen, w.splitter.pane(2));
        QCOMPARE(w.splitter.paneWidget(2)->geometry().right(), w.splitter.widget()->rect().right());
        // Pane 1 keeps its width when the splitter changes size.
        QCOMPARE(w.splitter.pane1Width(), TwipsScale::screen().toTwipsX(TwipsScale::screen().toPixelsX(3000)));
    }

    void userDragMovesTheBarAndReportsBothPanes() {
        SplitterWindow w;
        w.splitter.addSecondPane("File1");
        w.splitter.setPane1Width(3000);
        w.splitter.setGeometry({0, 0, 9000, 6000});
        w.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        std::vector<std::pair<Rect, Rect>> reports;
        w.splitter.onSplitterResize = [&](const Rect& pane1, const Rect& pane2) { reports.push_back({pane1, pane2}); };

        const int before = w.splitter.paneWidget(1)->width();
        QSplitterHandle* handle = w.splitter.bar()->handle(1);
        const QPoint grip = handle->rect().center();
        w.sendMouse(handle, QEvent::MouseButtonPress, grip, Qt::LeftButton);
        w.sendMouse(handle, QEvent::MouseMove, grip + QPoint(60, 0), Qt::LeftButton);
        w.sendMouse(handle, QEvent::MouseButtonRelease, grip + QPoint(60, 0), Qt::NoButton);

        QVERIFY(!reports.empty());
        QCOMPARE(w.splitter.paneWidget(1)->width(), before + 60);
        QCOMPARE(reports.back().first, w.splitter.pane(1));
        QCOMPARE(reports.back().second, w.splitter.pane(2));
        QCOMPARE(reports.back().first.width, TwipsScale::screen().toTwipsX(before + 60));
        QCOMPARE(w.splitter.pane1Width(), reports.back().first.width);
        QCOMPARE(w.resizes, 1);
        // The width the user gave pane 1 stays through a resize.
        w.splitter.setGeometry({0, 0, 8000, 5000});
        QCOMPARE(w.splitter.paneWidget(1)->width(), before + 60);
    }

    void pane1WidthBeforeTheSecondPane() {
        SplitterWindow w;
        w.splitter.setGeometry({0, 0, 9000, 6000});
        w.splitter.setPane1Width(2400);
        QCOMPARE(w.splitter.pane1Width(), TwipsScale::screen().toTwipsX(TwipsScale::screen().toPixelsX(2400)));
        w.splitter.addSecondPane("File1");
        QCOMPARE(w.splitter.paneWidget(1)->width(), TwipsScale::screen().toPixelsX(2400));
    }
};

Q32_TEST_SUITE(SplitterTest);

#include "splitter_test.moc"
