// The folder tree and the file list following each other; clicks and refresh.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_drive.h"

namespace q32::test {
namespace {

class FolderListTest : public ProgramTest {
protected:
    FolderListTest() {
        drive.writeFile("c:\\Games\\New\\a.zip");
        drive.writeFile("c:\\Games\\New\\b.zip");
        drive.writeFile("c:\\Games\\New\\game.rar");
        drive.writeFile("c:\\Games\\New\\tool.arj");
        drive.writeFile("c:\\Games\\New\\clip.ace");
        program.window.Form_Load();
        ui.tree.userSelects("c:\\Games\\New");
    }
};

TEST_F(FolderListTest, TheListFollowsTheTree) {
    EXPECT_EQ(ui.list.path(), "c:\\Games\\New");
    EXPECT_EQ(ui.list.items(), (std::vector<std::string>{"a.zip", "b.zip"}));
    EXPECT_EQ(ui.panel3.caption(), "c:\\games\\new");
    EXPECT_EQ(ui.panel3.textColor(), TextColor::Black);
    EXPECT_FALSE(ui.panel3.progressMode());
}

TEST_F(FolderListTest, AChangeOfFolderEndsProgressMode) {
    ui.panel3.setProgressMode(true);
    ui.panel3.setTextColor(TextColor::HighlightText);
    ui.tree.userSelects("c:\\Games");
    EXPECT_FALSE(ui.panel3.progressMode());
    EXPECT_EQ(ui.panel3.textColor(), TextColor::Black);
    EXPECT_EQ(ui.panel3.caption(), "c:\\games");
}

TEST_F(FolderListTest, AVanishedFolderChangesNothing) {
    drive.makeFolder("c:\\Gone");
    std::filesystem::remove(drive.host("c:\\Gone"));
    ui.tree.userSelects("c:\\Gone");
    EXPECT_EQ(ui.list.path(), "c:\\Games\\New");
    EXPECT_EQ(ui.panel3.caption(), "c:\\games\\new");
}

TEST_F(FolderListTest, AnUnreadableFolderOrAMissingDriveSendsTheViewToDriveC) {
    drive.makeFolder("c:\\Locked");
    ui.list.unreadable.insert("c:\\locked");
    std::filesystem::remove_all(drive.host("d:\\"));  // a stick mapped as d: and not plugged in
    for (const char* folder : {"c:\\Locked", "d:\\"}) {
        ui.tree.userSelects("c:\\Games");
        ui.tree.userSelects(folder);
        EXPECT_EQ(ui.tree.path(), "c:\\") << folder;
        EXPECT_EQ(ui.list.path(), "c:\\") << folder;
        EXPECT_EQ(ui.panel3.caption(), "c:\\") << folder;
        EXPECT_FALSE(ui.form.isUnloaded());
    }
}

TEST_F(FolderListTest, ClicksEnableTheCommandsOfTheKind) {
    ui.list.click("a.zip");
    for (int b : {6, 9, 10}) EXPECT_TRUE(enabled(b)) << b;
    for (const char* e : {"Diz", "install", "test", "delete"}) EXPECT_TRUE(enabled(e)) << e;
    EXPECT_FALSE(enabled(7));
    EXPECT_FALSE(enabled("dnfo"));

    ui.toolbar.click(2);  // RAR: only install
    ui.list.click("game.rar");
    EXPECT_TRUE(enabled(9));
    EXPECT_TRUE(enabled("install"));
    EXPECT_FALSE(enabled(6));
    EXPECT_FALSE(enabled(10));
    EXPECT_FALSE(enabled("test"));

    ui.toolbar.click(4);  // ACE: as RAR
    ui.list.click("clip.ace");
    EXPECT_TRUE(enabled(9));
    EXPECT_FALSE(enabled(10));

    ui.toolbar.click(3);  // ARJ: nothing
    ui.list.click("tool.arj");
    EXPECT_FALSE(enabled(9));
    EXPECT_FALSE(enabled("install"));
}

TEST_F(FolderListTest, RarClickTakesBackTestAndDescriptionsEnabledEarlier) {
    ui.form.keyPress(keys::CtrlS);
    ASSERT_TRUE(enabled(10));
    // The kind switch by the program itself leaves button states as they are.
    ui.toolbar.setDown(2, true);
    ui.list.click("a.zip");
    EXPECT_FALSE(enabled(6));
    EXPECT_FALSE(enabled(10));
    EXPECT_TRUE(enabled(9));
}

TEST_F(FolderListTest, AClickThatSelectsNothingEnablesAllTheSame) {
    ui.list.click("a.zip", true);
    ui.list.click("a.zip", true);  // ctrl-click again: nothing left selected
    EXPECT_TRUE(ui.list.selectedItems().empty());
    EXPECT_TRUE(enabled(9));
    EXPECT_TRUE(enabled("delete"));
}

TEST_F(FolderListTest, RightClickChangesNoEnabledState) {
    ui.list.click("a.zip", false, MouseButton::Right);
    EXPECT_FALSE(enabled(9));
    EXPECT_FALSE(enabled("install"));
}

TEST_F(FolderListTest, RefreshReadsTheFolderAgainAndDisablesTheCommands) {
    ui.list.click("a.zip");
    ui.menus.setEnabled("dnfo", true);
    drive.writeFile("c:\\Games\\New\\c.zip");
    ui.menus.choose("refresh");
    EXPECT_EQ(ui.list.items(), (std::vector<std::string>{"a.zip", "b.zip", "c.zip"}));
    EXPECT_TRUE(ui.list.selectedItems().empty());
    expectSelectionCommandsDisabled();
}

}  // namespace
}  // namespace q32::test
