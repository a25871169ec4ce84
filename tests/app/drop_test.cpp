// Files dropped on the main window.
#include <gtest/gtest.h>

#include "support/test_drive.h"

namespace q32::test {
namespace {

class DropTest : public ::testing::Test {
protected:
    DropTest() {
        drive.writeFile("c:\\GAMES\\A.ZIP");
        drive.writeFile("c:\\GAMES\\B.ZIP");
        drive.writeFile("c:\\GAMES\\c.zip");
        drive.writeFile("c:\\GAMES\\readme.txt");
        drive.writeFile("c:\\A.ZIP");
        drive.makeFolder("c:\\Other");
        program.window.Form_Load();
        ui.tree.userSelects("c:\\Other");
    }
    std::vector<std::string> selectionTable() {
        std::vector<std::string> names;
        for (int slot = 1; slot <= program.window.selectionCount(); ++slot) names.push_back(program.window.selection(slot));
        return names;
    }

    TestDrive drive;
    TestProgram program{drive};
    HeadlessUi& ui = program.ui;
};

TEST_F(DropTest, TwoZipsOpenTheirFolderAndAreSelected) {
    ui.form.drop({"C:\\GAMES\\B.ZIP", "C:\\GAMES\\A.ZIP"});
    EXPECT_EQ(ui.tree.path(), "C:\\GAMES");
    EXPECT_EQ(ui.list.path(), "C:\\GAMES");
    EXPECT_EQ(ui.list.selectedItems(), (std::vector<std::string>{"A.ZIP", "B.ZIP"}));
    EXPECT_EQ(selectionTable(), (std::vector<std::string>{"A.ZIP", "B.ZIP"}));  // in list order
    EXPECT_GE(ui.desktop.eventPumps, 1);
}

TEST_F(DropTest, OnlyZipArchivesAreSelectedWithoutRegardToCase) {
    ui.form.drop({"c:\\games\\a.zip", "c:\\games\\readme.txt", "c:\\games\\Sub"});
    EXPECT_EQ(ui.list.selectedItems(), (std::vector<std::string>{"A.ZIP"}));
    EXPECT_EQ(selectionTable(), (std::vector<std::string>{"A.ZIP"}));
}

TEST_F(DropTest, AFileInADriveRootOpensTheRoot) {
    ui.form.drop({"C:\\A.ZIP"});
    EXPECT_EQ(ui.list.path(), "C:\\");
    EXPECT_EQ(ui.list.selectedItems(), (std::vector<std::string>{"A.ZIP"}));
}

TEST_F(DropTest, ADropClearsTheEarlierSelection) {
    ui.tree.userSelects("c:\\GAMES");
    ui.list.click("c.zip");
    ui.form.drop({"C:\\GAMES\\B.ZIP"});
    EXPECT_EQ(ui.list.selectedItems(), (std::vector<std::string>{"B.ZIP"}));
}

TEST_F(DropTest, AZipIsNotFoundWhileRarIsTheKind) {
    ui.toolbar.click(2);
    ui.form.drop({"C:\\GAMES\\A.ZIP"});
    EXPECT_EQ(ui.list.path(), "C:\\GAMES");
    EXPECT_TRUE(ui.list.selectedItems().empty());
    EXPECT_EQ(program.window.selectionCount(), 0);
    EXPECT_EQ(program.window.currentKind(), ArchiveKind::Rar);
    EXPECT_EQ(ui.list.pattern(), "*.R??;*.0??");
}

TEST_F(DropTest, FilesFromSeveralFoldersAreLookedForInTheFirstOnly) {
    ui.form.drop({"C:\\GAMES\\A.ZIP", "C:\\A.ZIP", "C:\\OTHER\\c.zip"});
    EXPECT_EQ(ui.list.path(), "C:\\GAMES");
    // A.ZIP is selected once; c.zip is found under its name in the first folder.
    EXPECT_EQ(ui.list.selectedItems(), (std::vector<std::string>{"A.ZIP", "c.zip"}));
}

TEST_F(DropTest, AnEmptyOrUnreadableDropChangesNothing) {
    drive.writeFile("c:\\Other\\A.ZIP");
    ui.list.refresh();
    ui.list.click("A.ZIP");
    ui.form.drop({});
    drive.makeFolder("c:\\Locked");
    ui.list.unreadable.insert("c:\\locked");
    ui.form.drop({"c:\\Locked\\A.ZIP"});
    // The old list must not stand in for the dropped folder, and the view
    // stays as the user left it.
    EXPECT_EQ(ui.tree.path(), "c:\\Other");
    EXPECT_EQ(ui.list.path(), "c:\\Other");
    EXPECT_EQ(ui.list.selectedItems(), (std::vector<std::string>{"A.ZIP"}));
    EXPECT_EQ(program.window.selectionCount(), 0);
    EXPECT_FALSE(ui.form.isUnloaded());
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
