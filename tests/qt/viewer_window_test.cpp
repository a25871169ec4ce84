#include <QFontDatabase>
#include <QFontInfo>
#include <QTest>

#include "platform/qt/qt_viewer_window.h"
#include "platform/qt/twips.h"
#include "qt_test_suites.h"

using namespace q32;

namespace {

const ViewerDesign kDesign{"one.nfo", 9825, 5730, {0, 30, 9825, 5700}, Rgb{224, 224, 224}, "&Next", {8460, 180, 945, 345}};

// The longest run of dark pixels in any row of the image.
int longestDarkRun(const QImage& image) {
    int longest = 0;
    for (int y = 0; y < image.height(); ++y) {
        int run = 0;
        for (int x = 0; x < image.width(); ++x) {
            run = qGray(image.pixel(x, y)) < 100 ? run + 1 : 0;
            longest = qMax(longest, run);
        }
    }
    return longest;
}

}  // namespace

class ViewerWindowTest : public QObject {
    Q_OBJECT

private slots:
    void bytesAreShownThroughCodePage437() {
        QCOMPARE(viewerText("\xDA\xC4\xBF\r\n\xB3\x01\tx\n"), QStringLiteral(u"┌─┐\n│☺\tx◙"));
    }

    void boxLinesAreDrawnUnbroken() {
        QtViewerWindow viewer;
        viewer.load(kDesign);
        viewer.show();
        viewer.setText(std::string(30, '\xC4'));
        const QFontInfo font(viewer.textArea()->font());
        const int cell = QFontMetrics(viewer.textArea()->font()).horizontalAdvance(QChar(0x2500));
        if (QFontDatabase::families().contains(QStringLiteral("Px IBM VGA8"))) {
            QCOMPARE(font.family(), QStringLiteral("Px IBM VGA8"));
            QCOMPARE(cell, viewer.textArea()->logicalDpiX() / 12);  // 8 pixels at 96 dots an inch
        }
        QVERIFY(longestDarkRun(viewer.textArea()->viewport()->grab().toImage()) >= 30 * cell - 1);
    }

    void userEventsReachTheProgramAndClosingDiscardsTheWindow() {
        QtViewerWindow viewer;
        int next = 0, doubleClicks = 0;
        std::vector<int> keys;
        viewer.onButtonClick = [&] { ++next; };
        viewer.onTextDblClick = [&] { ++doubleClicks; };
        viewer.onKeyDown = [&](int code) { keys.push_back(code); };
        viewer.load(kDesign);
        QVERIFY(viewer.isLoaded() && !viewer.isShown());
        const TwipsScale scale = TwipsScale::screen();
        QCOMPARE(viewer.window()->size(), QSize(scale.toPixelsX(9825), scale.toPixelsY(5730)));
        viewer.show();
        QTest::mouseClick(viewer.button(), Qt::LeftButton);
        QTest::mouseDClick(viewer.textArea()->viewport(), Qt::LeftButton);
        QTest::keyClick(viewer.textArea(), Qt::Key_Escape);
        QTest::keyClick(viewer.button(), Qt::Key_A);
        QCOMPARE(next, 1);
        QCOMPARE(doubleClicks, 1);
        QCOMPARE(keys, (std::vector<int>{27, 'A'}));

        QPointer<QWidget> window = viewer.window();
        viewer.close();
        QVERIFY(!viewer.isLoaded());
        viewer.setCaption("nothing happens");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window.isNull());
        // The close box discards it too.
        viewer.load(kDesign);
        viewer.show();
        viewer.window()->close();
        QVERIFY(!viewer.isLoaded());
    }
};

Q32_TEST_SUITE(ViewerWindowTest);

#include "viewer_window_test.moc"
