#include <QTest>

#include "platform/qt/qt_folder_tree.h"
#include "qt_test_suites.h"
#include "support/test_drive.h"

using namespace q32;

namespace {

QStringList childNames(const QTreeWidgetItem* item) {
    QStringList names;
    for (int index = 0; index < item->childCount(); ++index) names << item->child(index)->text(0);
    return names;
}

struct TreeWindow {
    test::TestDrive drive;
    QWidget window;
    std::unique_ptr<QtFolderTree> tree;
    int changes = 0;

    TreeWindow() {
        for (const char* folder : {"c:\\Games\\New", "c:\\Games\\old", "c:\\apps", "c:\\.hidden"})
            drive.makeFolder(folder);
        drive.writeFile("c:\\Games\\readme.txt");
        tree = std::make_unique<QtFolderTree>(&window, drive.fs());
        tree->widget()->setGeometry(0, 0, 300, 400);
        window.resize(320, 420);
        tree->onDirChanged = [this] { ++changes; };
    }

    QTreeWidgetItem* root() const { return tree->widget()->topLevelItem(0); }

    void clickOn(const std::string& path) {
        QTreeWidget* view = tree->widget();
        QTreeWidgetItem* item = tree->findItem(path);
        view->scrollToItem(item);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualItemRect(item).center());
    }
};

}  // namespace

class FolderTreeTest : public QObject {
    Q_OBJECT

private slots:
    void programSetsThePathWithoutAChangeReportAndFindsNewFolders() {
        TreeWindow w;
        // The drives are the roots; a folder is read when it opens: folders
        // only, hidden ones left out, in case-insensitive order.
        QCOMPARE(w.tree->widget()->topLevelItemCount(), 2);
        QCOMPARE(w.root()->childCount(), 0);
        w.root()->setExpanded(true);
        QCOMPARE(childNames(w.root()), QStringList({"apps", "Games"}));
        const std::pair<const char*, const char*> askedAndShown[] = {
            {"C:\\GAMES\\new", "c:\\Games\\New"}, {"c:\\", "c:\\"}, {"c:\\Games\\", "c:\\Games"},
            {"c:\\.hidden", "c:\\.hidden"},  // hidden, yet shown when asked for by name
            {"c:\\nothing", nullptr}, {"c:\\Games\\readme.txt", nullptr}, {"q:\\", nullptr}, {"", nullptr}};
        for (const auto& [asked, shown] : askedAndShown) {
            const std::string before = w.tree->path();
            QCOMPARE(w.tree->setPath(asked), shown != nullptr);
            QCOMPARE(w.tree->path(), shown ? std::string(shown) : before);
        }
        QVERIFY(w.tree->setPath("c:\\games\\new"));
        QCOMPARE(w.tree->widget()->currentItem()->text(0), QStringLiteral("New"));
        QVERIFY(w.tree->findItem("c:\\games")->isExpanded());
        QCOMPARE(w.changes, 0);
        // Folders made since the last read are found, and reopening reads again.
        w.drive.makeFolder("c:\\Quil002");
        QVERIFY(w.tree->setPath("c:\\quil002"));
        QCOMPARE(w.tree->path(), std::string("c:\\Quil002"));
        QTreeWidgetItem* games = w.tree->findItem("c:\\Games");
        games->setExpanded(false);
        QDir(QString::fromStdString(w.drive.host("c:\\Games\\old"))).removeRecursively();
        w.drive.makeFolder("c:\\Games\\Extra");
        games->setExpanded(true);
        QCOMPARE(childNames(games), QStringList({"Extra", "New"}));
        QCOMPARE(w.tree->path(), std::string("c:\\Quil002"));
        // Going to a folder reads its parents again: a scratch folder made
        // beside it shows, one removed goes.
        w.drive.makeFolder("c:\\Quil003");
        QDir(QString::fromStdString(w.drive.host("c:\\Quil002"))).removeRecursively();
        QVERIFY(w.tree->setPath("c:\\Games\\New"));
        QCOMPARE(childNames(w.root()), QStringList({"apps", "Games", "Quil003"}));
    }

    void userChoiceIsReportedOnceOpeningAFolderIsNot() {
        TreeWindow w;
        w.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        w.tree->widget()->setFocus();
        QVERIFY(w.tree->setPath("c:\\Games"));
        std::vector<std::string> seen;
        w.tree->onDirChanged = [&] { seen.push_back(w.tree->path()); };
        w.clickOn("c:\\apps");
        QCOMPARE(w.tree->findItem("c:\\Games\\old"), nullptr);
        w.tree->findItem("c:\\Games")->setExpanded(true);
        w.clickOn("c:\\Games\\old");
        w.clickOn("c:\\Games\\old");  // already current: nothing changes
        QCOMPARE(seen, std::vector<std::string>({"c:\\apps", "c:\\Games\\old"}));
    }
};

Q32_TEST_SUITE(FolderTreeTest);

#include "folder_tree_test.moc"
