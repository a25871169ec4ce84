// The controls that show the drive's folders and files: the folder tree,
// the file list and the drive picker, over one test drive.
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "platform/qt/qt_drive_picker.h"
#include "platform/qt/qt_file_list.h"
#include "platform/qt/qt_folder_tree.h"
#include "support/test_drive.h"

using namespace q32;

namespace {

QStringList childNames(const QTreeWidgetItem* item) {
    QStringList names;
    for (int index = 0; index < item->childCount(); ++index) names << item->child(index)->text(0);
    return names;
}

struct FolderWindow {
    test::TestDrive drive;
    QWidget window;
    QtFolderTree tree{&window, drive.fs()};
    QtFileList list{&window, drive.fs()};
    int changes = 0;

    FolderWindow() {
        for (const char* folder : {"c:\\Games\\New", "c:\\Games\\old", "c:\\apps", "c:\\.hidden", "c:\\folder.zip"})
            drive.makeFolder(folder);
        for (const char* file : {"b.ZIP", "A.zip", "c.zip", "readme.txt", "D.Zip", "Games\\readme.txt"})
            drive.writeFile(std::string("c:\\") + file);
        tree.widget()->setGeometry(0, 0, 300, 400);
        list.widget()->setGeometry(310, 0, 300, 300);
        window.resize(620, 420);
        tree.onDirChanged = [this] { ++changes; };
    }

    void show() {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }

    QTreeWidgetItem* root() const { return tree.widget()->topLevelItem(0); }

    void clickOn(const std::string& path) {
        QTreeWidget* view = tree.widget();
        QTreeWidgetItem* item = tree.findItem(path);
        view->scrollToItem(item);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualItemRect(item).center());
    }

    void showZips() {
        list.setPattern("*.zip");
        QVERIFY(list.setPath("c:\\"));
        show();
    }

    QPoint rowCentre(int row) const { return list.widget()->visualItemRect(list.widget()->item(row)).center(); }

    void click(int row, Qt::KeyboardModifiers modifiers = {}, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(list.widget()->viewport(), button, modifiers, rowCentre(row));
    }

    // The rows the program sees selected; the rows the user sees must agree.
    std::vector<int> selectedRows() const {
        std::vector<int> rows;
        for (int index = 0; index < list.count(); ++index) {
            if (list.selected(index) != list.widget()->item(index)->isSelected()) return {-1};
            if (list.selected(index)) rows.push_back(index);
        }
        return rows;
    }

    QStringList shownNames() const {
        QStringList names;
        for (int index = 0; index < list.widget()->count(); ++index) {
            if (list.item(index) != list.widget()->item(index)->text().toStdString()) return {"differs"};
            names << list.widget()->item(index)->text();
        }
        return names;
    }
};

}  // namespace

class FolderViewsTest : public QObject {
    Q_OBJECT

private slots:
    void programSetsTheTreesPathWithoutAChangeReportAndFindsNewFolders() {
        FolderWindow w;
        // The drives are the roots; a folder is read when it opens: folders
        // only, hidden ones left out, in case-insensitive order.
        QCOMPARE(w.tree.widget()->topLevelItemCount(), 2);
        QCOMPARE(w.root()->childCount(), 0);
        w.root()->setExpanded(true);
        QCOMPARE(childNames(w.root()), QStringList({"apps", "folder.zip", "Games"}));
        const std::pair<const char*, const char*> askedAndShown[] = {
            {"C:\\GAMES\\new", "c:\\Games\\New"}, {"c:\\", "c:\\"}, {"c:\\Games\\", "c:\\Games"},
            {"c:\\.hidden", "c:\\.hidden"},  // hidden, yet shown when asked for by name
            {"c:\\nothing", nullptr}, {"c:\\Games\\readme.txt", nullptr}, {"q:\\", nullptr}, {"", nullptr}};
        for (const auto& [asked, shown] : askedAndShown) {
            const std::string before = w.tree.path();
            QCOMPARE(w.tree.setPath(asked), shown != nullptr);
            QCOMPARE(w.tree.path(), shown ? std::string(shown) : before);
        }
        QVERIFY(w.tree.setPath("c:\\games\\new"));
        QCOMPARE(w.tree.widget()->currentItem()->text(0), QStringLiteral("New"));
        QVERIFY(w.tree.findItem("c:\\games")->isExpanded());
        QCOMPARE(w.changes, 0);
        // Folders made since the last read are found, and reopening reads again.
        w.drive.makeFolder("c:\\Quil002");
        QVERIFY(w.tree.setPath("c:\\quil002"));
        QCOMPARE(w.tree.path(), std::string("c:\\Quil002"));
        QTreeWidgetItem* games = w.tree.findItem("c:\\Games");
        games->setExpanded(false);
        QDir(QString::fromStdString(w.drive.host("c:\\Games\\old"))).removeRecursively();
        w.drive.makeFolder("c:\\Games\\Extra");
        games->setExpanded(true);
        QCOMPARE(childNames(games), QStringList({"Extra", "New"}));
        QCOMPARE(w.tree.path(), std::string("c:\\Quil002"));
        // Going to a folder reads its parents again: a scratch folder made
        // beside it shows, one removed goes.
        w.drive.makeFolder("c:\\Quil003");
        QDir(QString::fromStdString(w.drive.host("c:\\Quil002"))).removeRecursively();
        QVERIFY(w.tree.setPath("c:\\Games\\New"));
        QCOMPARE(childNames(w.root()), QStringList({"apps", "folder.zip", "Games", "Quil003"}));
    }

    void userChoiceInTheTreeIsReportedOnceOpeningAFolderIsNot() {
        FolderWindow w;
        w.show();
        w.tree.widget()->setFocus();
        QVERIFY(w.tree.setPath("c:\\Games"));
        std::vector<std::string> seen;
        w.tree.onDirChanged = [&] { seen.push_back(w.tree.path()); };
        w.clickOn("c:\\apps");
        QCOMPARE(w.tree.findItem("c:\\Games\\old"), nullptr);
        w.tree.findItem("c:\\Games")->setExpanded(true);
        w.clickOn("c:\\Games\\old");
        w.clickOn("c:\\Games\\old");  // already current: nothing changes
        QCOMPARE(seen, std::vector<std::string>({"c:\\apps", "c:\\Games\\old"}));
    }

    void listShowsFilesMatchingTheFilterInCaseInsensitiveOrderOfFoldersThatCanBeRead() {
        FolderWindow w;
        QVERIFY(w.list.setPath("c:"));
        QCOMPARE(w.list.path(), std::string("c:\\"));
        QCOMPARE(w.list.pattern(), std::string("*.*"));
        QCOMPARE(w.list.count(), 5);
        w.list.setPattern("*.zip");
        QCOMPARE(w.shownNames(), QStringList({"A.zip", "b.ZIP", "c.zip", "D.Zip"}));
        w.list.setPattern("*.txt;*.ZIP");
        QCOMPARE(w.shownNames(), QStringList({"A.zip", "b.ZIP", "c.zip", "D.Zip", "readme.txt"}));
        // A folder that cannot be read changes nothing.
        w.drive.writeFile("c:\\Sub\\x.zip");
        QVERIFY(w.list.setPath("c:\\sub\\"));
        QCOMPARE(w.list.path(), std::string("c:\\sub"));
        QVERIFY(!w.list.setPath("c:\\nothing"));
        QCOMPARE(w.list.path(), std::string("c:\\sub"));
        QCOMPARE(w.shownNames(), QStringList({"x.zip"}));
    }

    void leftClicksSelectInTheListAndTheProgramSeesItOnMouseUpRightClicksDoNot() {
        FolderWindow w;
        w.showZips();
        std::vector<MouseButton> downs;
        std::vector<std::vector<int>> seenOnUp;
        w.list.onMouseDown = [&](MouseButton button) { downs.push_back(button); };
        w.list.onMouseUp = [&](MouseButton) { seenOnUp.push_back(w.selectedRows()); };
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
        w.list.onMouseDown = [&](MouseButton button) { seen.push_back(side(button) + std::string("down")); };
        w.list.onMouseUp = [&](MouseButton button) { seen.push_back(side(button) + std::string("up")); };
        w.list.onDblClick = [&] { seen.push_back("double"); };
        w.click(2, {}, Qt::RightButton);
        QCOMPARE(seen, std::vector<std::string>({"R down", "R up"}));
        QCOMPARE(w.selectedRows(), std::vector<int>({0}));
        seen.clear();
        QTest::mouseDClick(w.list.widget()->viewport(), Qt::LeftButton, {}, w.rowCentre(1));
        QCOMPARE(int(std::count(seen.begin(), seen.end(), "double")), 1);
        QCOMPARE(w.selectedRows(), std::vector<int>({1}));
    }

    void programSelectionShowsInTheListAndRefreshReadsTheFolderAgainWithoutIt() {
        FolderWindow w;
        w.showZips();
        for (int index = 0; index < w.list.count(); ++index) w.list.setSelected(index, true);
        w.list.setSelected(1, false);
        w.list.setSelected(9, true);  // out of range: nothing happens
        QCOMPARE(w.selectedRows(), std::vector<int>({0, 2, 3}));
        w.click(3);  // a click replaces the program's selection
        QCOMPARE(w.selectedRows(), std::vector<int>({3}));
        w.drive.writeFile("c:\\aa.zip");
        QCOMPARE(w.list.count(), 4);
        w.list.refresh();
        QCOMPARE(w.shownNames(), QStringList({"A.zip", "aa.zip", "b.ZIP", "c.zip", "D.Zip"}));
        QCOMPARE(w.selectedRows(), std::vector<int>());
    }

    void pickerShowsPromptAndStatusOkFollowsTheProgramsRuleCancelReturnsFalse() {
        FolderWindow w;
        QtDrivePicker picker(nullptr, w.drive.fs());
        picker.setPrompt("Choose drive for temporary files...");
        std::vector<std::string> reported;
        picker.onSelectionChanged = [&](const std::string& path) {
            reported.push_back(path);
            picker.setStatusText(path + " free");
            picker.setOkAllowed(path != "c:\\");
        };
        QPushButton* ok = picker.buttons()->button(QDialogButtonBox::Ok);
        QStringList shown;  // the labels, then whether OK could be pressed on the root and on a folder
        QTimer::singleShot(0, [&] {
            for (const QLabel* label : picker.dialog()->findChildren<QLabel*>()) shown << label->text();
            shown << QString::number(ok->isEnabled());
            QTreeWidget* tree = picker.tree().widget();
            tree->expandItem(tree->topLevelItem(0));
            tree->setCurrentItem(tree->topLevelItem(0)->child(0));
            shown << QString::number(ok->isEnabled());
            if (ok->isEnabled()) ok->click();
            else picker.dialog()->reject();
        });
        QVERIFY(picker.browse());
        QVERIFY(shown.contains("Choose drive for temporary files..."));
        QVERIFY(shown.contains("c:\\ free"));
        QCOMPARE(shown.mid(shown.size() - 2), QStringList({"0", "1"}));
        QCOMPARE(picker.selectedPath(), std::string("c:\\apps"));
        QCOMPARE(reported, std::vector<std::string>({"c:\\", "c:\\apps"}));
        // Cancel returns false.
        QTimer::singleShot(0, [&] { picker.buttons()->button(QDialogButtonBox::Cancel)->click(); });
        QVERIFY(!picker.browse());
    }
};

QTEST_MAIN(FolderViewsTest)

#include "folder_views_test.moc"
