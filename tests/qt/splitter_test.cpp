#include <QMouseEvent>
#include <QSplitterHandle>
#include <QTest>

#include "platform/qt/qt_splitter.h"
#include "qt_test_suites.h"

using namespace q32;

namespace {

Rect twips(const QRect& rect) { return TwipsScale::screen().toTwips(rect); }
// What a width in twips becomes once placed in whole pixels.
double placedWidth(double width) { return TwipsScale::screen().toTwipsX(TwipsScale::screen().toPixelsX(width)); }

struct SplitterWindow {
    QWidget window;
    QtSplitter splitter{&window};
    int resizes = 0;

    SplitterWindow() {
        window.resize(700, 500);
        splitter.onResize = [this] { ++resizes; };
        splitter.addSecondPane("File1");
        splitter.setPane1Width(3000);
        splitter.setGeometry({75, 660, 9000, 6000});
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
    void panesAreLaidOutBeforeTheWindowIsShownAndOnEachChangeOfSize() {
        SplitterWindow w;
        QVERIFY(!w.window.isVisible());
        const QRect pane1 = w.splitter.paneWidget(1)->geometry();
        const QRect pane2 = w.splitter.paneWidget(2)->geometry();
        QCOMPARE(pane1, QRect(0, 0, TwipsScale::screen().toPixelsX(3000), w.splitter.widget()->height()));
        QCOMPARE(pane2.left(), pane1.right() + 1 + w.splitter.bar()->handleWidth());
        QCOMPARE(pane2.right(), w.splitter.widget()->rect().right());
        QCOMPARE(w.splitter.pane(1), twips(pane1));
        QCOMPARE(w.splitter.pane1Width(), placedWidth(3000));
        // Only a change of size is reported, and the panes are ready then.
        QCOMPARE(w.resizes, 1);
        w.splitter.setGeometry({75, 660, 9000, 6000});
        w.splitter.setGeometry({150, 700, 9000, 6000});  // moved, same size
        QCOMPARE(w.resizes, 1);
        Rect paneSeen;
        w.splitter.onResize = [&] { paneSeen = w.splitter.pane(2); };
        w.splitter.setGeometry({150, 700, 7500, 4500});
        QCOMPARE(paneSeen, w.splitter.pane(2));
        QCOMPARE(w.splitter.paneWidget(2)->geometry().right(), w.splitter.widget()->rect().right());
        QCOMPARE(w.splitter.pane1Width(), placedWidth(3000));  // pane 1 keeps its width
    }

    void userDragMovesTheBarReportsBothPanesAndTheWidthStays() {
        SplitterWindow w;
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
        QCOMPARE(reports.back(), std::make_pair(w.splitter.pane(1), w.splitter.pane(2)));
        QCOMPARE(w.splitter.pane1Width(), TwipsScale::screen().toTwipsX(before + 60));
        QCOMPARE(w.resizes, 1);
        w.splitter.setGeometry({0, 0, 8000, 5000});
        QCOMPARE(w.splitter.paneWidget(1)->width(), before + 60);
    }
};

Q32_TEST_SUITE(SplitterTest);

#include "splitter_test.moc"
