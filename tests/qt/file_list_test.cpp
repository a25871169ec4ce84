#include <QTest>

#include "platform/qt/qt_file_list.h"
#include "qt_test_suites.h"
#include "support/test_drive.h"

using namespace q32;

namespace {

struct ListWindow {
    test::TestDrive drive;
    QWidget window;
    std::unique_ptr<QtFileList> list;

    ListWindow() {
        for (const char* name : {"b.ZIP", "A.zip", "c.zip", "readme.txt", "D.Zip"})
            drive.writeFile(std::string("c:\\") + name);
        drive.makeFolder("c:\\folder.zip");
        list = std::make_unique<QtFileList>(&window, drive.fs());
        list->widget()->setGeometry(0, 0, 300, 300);
        window.resize(320, 320);
    }

    void showZips() {
        list->setPattern("*.zip");
        QVERIFY(list->setPath("c:\\"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }

    QPoint rowCentre(int row) const { return list->widget()->visualItemRect(list->widget()->item(row)).center(); }

    void click(int row, Qt::KeyboardModifiers modifiers = {}, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(list->widget()->viewport(), button, modifiers, rowCentre(row));
    }

    // The rows the program sees selected; the rows the user sees must agree.
    std::vector<int> selectedRows() const {
        std::vector<int> rows;
        for (int index = 0; index < list->count(); ++index) {
            if (list->selected(index) != list->widget()->item(index)->isSelected()) return {-1};
            if (list->selected(index)) rows.push_back(index);
        }
        return rows;
    }

    QStringList shownNames() const {
        QStringList names;
        for (int index = 0; index < list->widget()->count(); ++index) {
            if (list->item(index) != list->widget()->item(index)->text().toStdString()) return {"differs"};
            names << list->widget()->item(index)->text();
        }
        return names;
    }
};

}  // namespace

class FileListTest : public QObject {
    Q_OBJECT

private slots:
    void filesMatchingTheFilterInCaseInsensitiveOrderOfFoldersThatCanBeRead() {
        ListWindow w;
        QVERIFY(w.list->setPath("c:"));
        QCOMPARE(w.list->path(), std::string("c:\\"));
        QCOMPARE(w.list->pattern(), std::string("*.*"));
        QCOMPARE(w.list->count(), 5);
        w.list->setPattern("*.zip");
        QCOMPARE(w.shownNames(), QStringList({"A.zip", "b.ZIP", "c.zip", "D.Zip"}));
        w.list->setPattern("*.txt;*.ZIP");
        QCOMPARE(w.shownNames(), QStringList({"A.zip", "b.ZIP", "c.zip", "D.Zip", "readme.txt"}));
        // A folder that cannot be read changes nothing.
        w.drive.writeFile("c:\\Sub\\x.zip");
        QVERIFY(w.list->setPath("c:\\sub\\"));
        QCOMPARE(w.list->path(), std::string("c:\\sub"));
        QVERIFY(!w.list->setPath("c:\\nothing"));
        QCOMPARE(w.list->path(), std::string("c:\\sub"));
        QCOMPARE(w.shownNames(), QStringList({"x.zip"}));
    }

    void leftClicksSelectAndTheProgramSeesItOnMouseUpRightClicksDoNot() {
        ListWindow w;
        w.showZips();
        std::vector<MouseButton> downs;
        std::vector<std::vector<int>> seenOnUp;
        w.list->onMouseDown = [&](MouseButton button) { downs.push_back(button); };
        w.list->onMouseUp = [&](MouseButton) { seenOnUp.push_back(w.selectedRows()); };
        // A plain click on an entry already selected keeps only that one; the
        // list decides it when the button comes up.
        const std::pair<int, Qt::KeyboardModifiers> clicks[] = {{1, {}}, {3, Qt::ControlModifier},
            {1, Qt::ControlModifier}, {0, Qt::ControlModifier}, {3, {}}, {2, {}}, {0, Qt::ShiftModifier}};
        for (const auto& [row, modifiers] : clicks) w.click(row, modifiers);
        QCOMPARE(seenOnUp, std::vector<std::vector<int>>({{1}, {1, 3}, {3}, {0, 3}, {3}, {2}, {0, 1, 2}}));
        QCOMPARE(downs, std::vector<MouseButton>(7, MouseButton::Left));
        // The right button leaves the selection alone; a double click is reported.
        w.click(0);
        std::vector<std::string> seen;
        const auto side = [](MouseButton button) { return button == MouseButton::Right ? "R " : "L "; };
        w.list->onMouseDown = [&](MouseButton button) { seen.push_back(side(button) + std::string("down")); };
        w.list->onMouseUp = [&](MouseButton button) { seen.push_back(side(button) + std::string("up")); };
        w.list->onDblClick = [&] { seen.push_back("double"); };
        w.click(2, {}, Qt::RightButton);
        QCOMPARE(seen, std::vector<std::string>({"R down", "R up"}));
        QCOMPARE(w.selectedRows(), std::vector<int>({0}));
        seen.clear();
        QTest::mouseDClick(w.list->widget()->viewport(), Qt::LeftButton, {}, w.rowCentre(1));
        QCOMPARE(int(std::count(seen.begin(), seen.end(), "double")), 1);
        QCOMPARE(w.selectedRows(), std::vector<int>({1}));
    }

    void programSelectionShowsAndRefreshReadsTheFolderAgainWithoutIt() {
        ListWindow w;
        w.showZips();
        for (int index = 0; index < w.list->count(); ++index) w.list->setSelected(index, true);
        w.list->setSelected(1, false);
        w.list->setSelected(9, true);  // out of range: nothing happens
        QCOMPARE(w.selectedRows(), std::vector<int>({0, 2, 3}));
        w.click(3);  // a click replaces the program's selection
        QCOMPARE(w.selectedRows(), std::vector<int>({3}));
        w.drive.writeFile("c:\\aa.zip");
        QCOMPARE(w.list->count(), 4);
        w.list->refresh();
        QCOMPARE(w.shownNames(), QStringList({"A.zip", "aa.zip", "b.ZIP", "c.zip", "D.Zip"}));
        QCOMPARE(w.selectedRows(), std::vector<int>());
    }
};

Q32_TEST_SUITE(FileListTest);

#include "file_list_test.moc"
