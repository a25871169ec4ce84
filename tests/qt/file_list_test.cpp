#include <QTest>

#include "platform/qt/qt_file_list.h"
#include "qt_test_suites.h"
#include "test_drive.h"

using namespace q32;
using q32::test::QtTestDrive;

namespace {

struct ListWindow {
    QtTestDrive drive;
    QWidget window;
    std::unique_ptr<QtFileList> list;

    ListWindow() {
        for (const char* name : {"b.ZIP", "A.zip", "c.zip", "readme.txt", "D.Zip"}) drive.writeFile(name);
        drive.makeFolder("folder.zip");
        list = std::make_unique<QtFileList>(&window, drive.fs());
        list->widget()->setGeometry(0, 0, 300, 300);
        window.resize(320, 320);
    }

    void show() {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }

    QPoint rowCentre(int row) const {
        QListWidget* view = list->widget();
        return view->visualItemRect(view->item(row)).center();
    }

    void click(int row, Qt::KeyboardModifiers modifiers = {}, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(list->widget()->viewport(), button, modifiers, rowCentre(row));
    }

    std::vector<int> selectedRows() const {
        std::vector<int> rows;
        for (int index = 0; index < list->count(); ++index) {
            if (list->selected(index)) rows.push_back(index);
        }
        return rows;
    }

    std::vector<int> widgetSelectedRows() const {
        std::vector<int> rows;
        for (int index = 0; index < list->widget()->count(); ++index) {
            if (list->widget()->item(index)->isSelected()) rows.push_back(index);
        }
        return rows;
    }
};

}  // namespace

class FileListTest : public QObject {
    Q_OBJECT

private slots:
    void filesMatchingTheFilterInCaseInsensitiveOrder() {
        ListWindow w;
        QVERIFY(w.list->setPath("c:"));
        QCOMPARE(w.list->path(), std::string("c:\\"));
        QCOMPARE(w.list->pattern(), std::string("*.*"));
        QCOMPARE(w.list->count(), 5);
        w.list->setPattern("*.zip");
        QCOMPARE(w.list->count(), 4);
        const std::vector<std::string> expected{"A.zip", "b.ZIP", "c.zip", "D.Zip"};
        QCOMPARE(w.list->widget()->count(), 4);
        for (int index = 0; index < 4; ++index) {
            QCOMPARE(w.list->item(index), expected[static_cast<std::size_t>(index)]);
            QCOMPARE(w.list->widget()->item(index)->text().toStdString(), expected[static_cast<std::size_t>(index)]);
        }
        w.list->setPattern("*.txt;*.ZIP");
        QCOMPARE(w.list->count(), 5);
        QCOMPARE(w.list->item(4), std::string("readme.txt"));
    }

    void folderThatCannotBeReadChangesNothing() {
        ListWindow w;
        w.drive.makeFolder("Sub");
        w.drive.writeFile("Sub/x.zip");
        QVERIFY(w.list->setPath("c:\\sub\\"));
        QCOMPARE(w.list->path(), std::string("c:\\sub"));
        QCOMPARE(w.list->count(), 1);
        QVERIFY(!w.list->setPath("c:\\nothing"));
        QCOMPARE(w.list->path(), std::string("c:\\sub"));
        QCOMPARE(w.list->widget()->count(), 1);
    }

    void clicksSelectAndTheProgramSeesItOnMouseUp() {
        ListWindow w;
        w.list->setPattern("*.zip");
        QVERIFY(w.list->setPath("c:\\"));
        w.show();
        std::vector<MouseButton> downs;
        std::vector<std::vector<int>> seenOnUp;
        w.list->onMouseDown = [&](MouseButton button) { downs.push_back(button); };
        w.list->onMouseUp = [&](MouseButton) { seenOnUp.push_back(w.selectedRows()); };

        w.click(1);
        QCOMPARE(w.selectedRows(), std::vector<int>({1}));
        w.click(3, Qt::ControlModifier);
        QCOMPARE(w.selectedRows(), std::vector<int>({1, 3}));
        w.click(1, Qt::ControlModifier);
        QCOMPARE(w.selectedRows(), std::vector<int>({3}));
        w.click(0, Qt::ControlModifier);
        QCOMPARE(w.selectedRows(), std::vector<int>({0, 3}));
        // A plain click on an entry that is already selected keeps only that
        // one; the list decides it when the button comes up.
        w.click(3);
        QCOMPARE(w.selectedRows(), std::vector<int>({3}));
        w.click(2);
        QCOMPARE(w.selectedRows(), std::vector<int>({2}));
        w.click(0, Qt::ShiftModifier);
        QCOMPARE(w.selectedRows(), std::vector<int>({0, 1, 2}));

        QCOMPARE(seenOnUp, std::vector<std::vector<int>>({{1}, {1, 3}, {3}, {0, 3}, {3}, {2}, {0, 1, 2}}));
        QCOMPARE(downs.size(), std::size_t(7));
        QCOMPARE(downs.front(), MouseButton::Left);
        QCOMPARE(w.widgetSelectedRows(), w.selectedRows());
    }

    void rightButtonLeavesTheSelectionAlone() {
        ListWindow w;
        w.list->setPattern("*.zip");
        QVERIFY(w.list->setPath("c:\\"));
        w.show();
        w.click(0);
        std::vector<MouseButton> downs;
        std::vector<MouseButton> ups;
        w.list->onMouseDown = [&](MouseButton button) { downs.push_back(button); };
        w.list->onMouseUp = [&](MouseButton button) { ups.push_back(button); };
        w.click(2, {}, Qt::RightButton);
        QCOMPARE(w.selectedRows(), std::vector<int>({0}));
        QCOMPARE(downs, std::vector<MouseButton>({MouseButton::Right}));
        QCOMPARE(ups, std::vector<MouseButton>({MouseButton::Right}));
    }

    void doubleClickIsReported() {
        ListWindow w;
        w.list->setPattern("*.zip");
        QVERIFY(w.list->setPath("c:\\"));
        w.show();
        int doubles = 0;
        w.list->onDblClick = [&] { ++doubles; };
        w.click(1);
        QTest::mouseDClick(w.list->widget()->viewport(), Qt::LeftButton, {}, w.rowCentre(1));
        QCOMPARE(doubles, 1);
        QCOMPARE(w.selectedRows(), std::vector<int>({1}));
    }

    void programSelectionShowsAndUserClicksReplaceIt() {
        ListWindow w;
        w.list->setPattern("*.zip");
        QVERIFY(w.list->setPath("c:\\"));
        w.show();
        for (int index = 0; index < w.list->count(); ++index) w.list->setSelected(index, true);
        QCOMPARE(w.widgetSelectedRows(), std::vector<int>({0, 1, 2, 3}));
        w.list->setSelected(1, false);
        QCOMPARE(w.widgetSelectedRows(), std::vector<int>({0, 2, 3}));
        QCOMPARE(w.selectedRows(), std::vector<int>({0, 2, 3}));
        w.list->setSelected(9, true);  // out of range: nothing happens
        w.click(3);
        QCOMPARE(w.selectedRows(), std::vector<int>({3}));
    }

    void refreshReadsTheFolderAgainWithoutSelection() {
        ListWindow w;
        w.list->setPattern("*.zip");
        QVERIFY(w.list->setPath("c:\\"));
        w.list->setSelected(0, true);
        w.drive.writeFile("aa.zip");
        QCOMPARE(w.list->count(), 4);
        w.list->refresh();
        QCOMPARE(w.list->count(), 5);
        QCOMPARE(w.list->item(1), std::string("aa.zip"));
        QCOMPARE(w.list->widget()->item(1)->text(), QStringLiteral("aa.zip"));
        QCOMPARE(w.selectedRows(), std::vector<int>());
        QCOMPARE(w.widgetSelectedRows(), std::vector<int>());
    }

    void toolTip() {
        ListWindow w;
        w.list->setToolTip("Double click on zip to view diz");
        QCOMPARE(w.list->toolTip(), std::string("Double click on zip to view diz"));
        QCOMPARE(w.list->widget()->toolTip(), QStringLiteral("Double click on zip to view diz"));
    }
};

Q32_TEST_SUITE(FileListTest);

#include "file_list_test.moc"
