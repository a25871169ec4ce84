#include <QTest>

#include "platform/qt/qt_folder_tree.h"
#include "qt_test_suites.h"
#include "test_drive.h"

using namespace q32;
using q32::test::QtTestDrive;

namespace {

QStringList childNames(const QTreeWidgetItem* item) {
    QStringList names;
    for (int index = 0; index < item->childCount(); ++index) names << item->child(index)->text(0);
    return names;
}

struct TreeWindow {
    QtTestDrive drive;
    QWidget window;
    std::unique_ptr<QtFolderTree> tree;
    int changes = 0;

    TreeWindow() {
        drive.makeFolder("Games/New");
        drive.makeFolder("Games/old");
        drive.makeFolder("apps");
        drive.makeFolder(".hidden");
        drive.writeFile("Games/readme.txt");
        tree = std::make_unique<QtFolderTree>(&window, drive.fs());
        tree->widget()->setGeometry(0, 0, 300, 400);
        window.resize(320, 420);
        tree->onDirChanged = [this] { ++changes; };
    }

    QTreeWidgetItem* root() const { return tree->widget()->topLevelItem(0); }

    void clickOn(QTreeWidgetItem* item) {
        QTreeWidget* view = tree->widget();
        view->scrollToItem(item);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualItemRect(item).center());
    }
};

}  // namespace

class FolderTreeTest : public QObject {
    Q_OBJECT

private slots:
    void drivesAreTheRootsAndFoldersAreReadWhenOpened() {
        TreeWindow w;
        QCOMPARE(w.tree->widget()->topLevelItemCount(), 1);
        QCOMPARE(w.root()->text(0), QStringLiteral("c:\\"));
        QCOMPARE(w.root()->childCount(), 0);
        QCOMPARE(w.tree->path(), std::string("c:\\"));
        w.root()->setExpanded(true);
        // Folders only, hidden ones left out, in case-insensitive order.
        QCOMPARE(childNames(w.root()), QStringList({"apps", "Games"}));
        QCOMPARE(QtFolderTree::itemPath(w.root()->child(1)), std::string("c:\\Games"));
        QCOMPARE(w.changes, 0);
    }

    void programSetsThePathWithoutAChangeReport() {
        TreeWindow w;
        QVERIFY(w.tree->setPath("C:\\GAMES\\new"));
        QCOMPARE(w.tree->path(), std::string("c:\\Games\\New"));
        QCOMPARE(w.tree->widget()->currentItem()->text(0), QStringLiteral("New"));
        QVERIFY(w.root()->isExpanded());
        QVERIFY(w.tree->findItem("c:\\games")->isExpanded());
        QVERIFY(w.tree->setPath("c:\\"));
        QCOMPARE(w.tree->path(), std::string("c:\\"));
        QVERIFY(w.tree->setPath("c:\\Games\\"));
        QCOMPARE(w.tree->path(), std::string("c:\\Games"));
        QCOMPARE(w.changes, 0);
    }

    void folderThatCannotBeShownChangesNothing() {
        TreeWindow w;
        QVERIFY(w.tree->setPath("c:\\apps"));
        QVERIFY(!w.tree->setPath("c:\\nothing"));
        QVERIFY(!w.tree->setPath("c:\\Games\\readme.txt"));
        QVERIFY(!w.tree->setPath("q:\\"));
        QVERIFY(!w.tree->setPath(""));
        QCOMPARE(w.tree->path(), std::string("c:\\apps"));
        QCOMPARE(w.changes, 0);
    }

    void foldersMadeSinceTheLastReadAreFound() {
        TreeWindow w;
        QVERIFY(w.tree->setPath("c:\\Games"));
        w.drive.makeFolder("Games/Quil001");
        w.drive.makeFolder("Quil002");
        QVERIFY(w.tree->setPath("c:\\quil002"));
        QCOMPARE(w.tree->path(), std::string("c:\\Quil002"));
        QVERIFY(w.tree->setPath("c:\\games\\QUIL001"));
        QCOMPARE(w.tree->path(), std::string("c:\\Games\\Quil001"));
        QCOMPARE(childNames(w.tree->findItem("c:\\Games")), QStringList({"New", "old", "Quil001"}));
        // A hidden folder is shown when asked for by name.
        QVERIFY(w.tree->setPath("c:\\.hidden"));
        QCOMPARE(w.tree->path(), std::string("c:\\.hidden"));
        QCOMPARE(w.changes, 0);
    }

    void reopeningAFolderReadsItAgain() {
        TreeWindow w;
        QVERIFY(w.tree->setPath("c:\\Games\\New"));
        QTreeWidgetItem* games = w.tree->findItem("c:\\Games");
        games->setExpanded(false);
        QDir(w.drive.host("Games/old")).removeRecursively();
        w.drive.makeFolder("Games/Extra");
        games->setExpanded(true);
        QCOMPARE(childNames(games), QStringList({"Extra", "New"}));
        // The open folder under it stayed where it was.
        QCOMPARE(w.tree->path(), std::string("c:\\Games\\New"));
    }

    void userChoiceIsReported() {
        TreeWindow w;
        w.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        w.tree->widget()->setFocus();
        QVERIFY(w.tree->setPath("c:\\Games"));
        QCOMPARE(w.changes, 0);
        std::string seen;
        w.tree->onDirChanged = [&] {
            ++w.changes;
            seen = w.tree->path();
        };
        w.clickOn(w.tree->findItem("c:\\apps"));
        QCOMPARE(w.changes, 1);
        QCOMPARE(seen, std::string("c:\\apps"));
        // Opening a folder reads its subfolders without changing the current one.
        QCOMPARE(w.tree->findItem("c:\\Games\\old"), nullptr);
        w.tree->findItem("c:\\Games")->setExpanded(true);
        QCOMPARE(w.changes, 1);
        w.clickOn(w.tree->findItem("c:\\Games\\old"));
        QCOMPARE(w.changes, 2);
        QCOMPARE(seen, std::string("c:\\Games\\old"));
        // A click on the folder that is already current changes nothing.
        w.clickOn(w.tree->findItem("c:\\Games\\old"));
        QCOMPARE(w.changes, 2);
    }
};

Q32_TEST_SUITE(FolderTreeTest);

#include "folder_tree_test.moc"
