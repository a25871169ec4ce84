// Files dropped on the main window.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_drive.h"
#include "zip_fixtures.h"

namespace q32::test {
namespace {

class DropTest : public ProgramTest {
protected:
    DropTest() {
        drive.makeFolder("c:\\GAMES");
        for (const std::string name : {"A.ZIP", "B.ZIP", "c.zip"})
            zip::test::writeZip(drive.host("c:\\GAMES\\" + name), {zip::test::file(name + ".txt", name)});
        zip::test::writeZip(drive.host("c:\\A.ZIP"), {zip::test::file("root.txt", "root")});
        drive.writeFile("c:\\GAMES\\readme.txt");
        drive.makeFolder("c:\\Other");
        program.window.Form_Load();
        ui.tree.userSelects("c:\\Other");
    }
};

// A drop opens the first file's folder, selects the dropped ZIP archives
// found there (and nothing the user had selected) and installs them.
TEST_F(DropTest, TheDroppedZipArchivesOfTheFirstFolderAreInstalled) {
    const struct {
        std::vector<std::string> dropped;
        const char* folder;
        std::vector<std::string> installed;
    } cases[] = {
        {{"C:\\GAMES\\B.ZIP", "C:\\GAMES\\A.ZIP"}, "C:\\GAMES", {"A.ZIP.txt", "B.ZIP.txt"}},
        {{"c:\\games\\a.zip", "c:\\games\\readme.txt", "c:\\games\\Sub"}, "c:\\games", {"A.ZIP.txt"}},
        {{"C:\\A.ZIP"}, "C:\\", {"root.txt"}},
        {{"C:\\GAMES\\A.ZIP", "C:\\A.ZIP", "C:\\OTHER\\c.zip"}, "C:\\GAMES", {"A.ZIP.txt", "c.zip.txt"}},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(drive.host("c:\\Quil001"));
        ui.tree.userSelects("c:\\GAMES");
        ui.list.click("c.zip");
        ui.form.drop(c.dropped);
        EXPECT_EQ(drive.fs().listFiles("c:\\Quil001", "*.*").value_or(std::vector<std::string>{}), c.installed)
            << c.dropped[0];
        EXPECT_EQ(ui.tree.path(), c.folder);
        EXPECT_TRUE(ui.list.selectedItems().empty());
    }
}

// An empty drop, or one from a folder that cannot be read, changes nothing:
// the old list must not stand in for the dropped folder, and the view stays
// as the user left it. A ZIP archive is not found while RAR is the kind.
TEST_F(DropTest, DropsThatInstallNothing) {
    drive.writeFile("c:\\Other\\A.ZIP");
    ui.list.refresh();
    ui.list.click("A.ZIP");
    ui.form.drop({});
    drive.makeFolder("c:\\Locked");
    ui.list.unreadable.insert("c:\\locked");
    ui.form.drop({"c:\\Locked\\A.ZIP"});
    EXPECT_EQ(ui.tree.path(), "c:\\Other");
    EXPECT_EQ(ui.list.path(), "c:\\Other");
    EXPECT_EQ(ui.list.selectedItems(), (std::vector<std::string>{"A.ZIP"}));
    EXPECT_EQ(program.window.selectionCount(), 0);
    EXPECT_FALSE(ui.form.isUnloaded());

    ui.toolbar.click(2);
    ui.form.drop({"C:\\GAMES\\A.ZIP"});
    EXPECT_EQ(ui.list.path(), "C:\\GAMES");
    EXPECT_TRUE(ui.list.selectedItems().empty());
    EXPECT_EQ(program.window.selectionCount(), 0);
    EXPECT_EQ(program.window.currentKind(), ArchiveKind::Rar);
}

TEST_F(DropTest, EverySelectedNameReachesTheTable) {
    std::vector<std::string> paths;
    for (int i = 0; i < 6000; ++i) {
        paths.push_back("c:\\Many\\" + std::to_string(10000 + i) + ".zip");
        drive.writeFile(paths.back());
    }
    ui.form.drop(paths);
    ASSERT_EQ(program.window.selectionCount(), 6000);
    EXPECT_EQ(program.window.selection(1), "10000.zip");
    EXPECT_EQ(program.window.selection(6000), "15999.zip");
}

}  // namespace
}  // namespace q32::test
