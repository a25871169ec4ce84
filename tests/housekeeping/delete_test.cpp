// Deleting the selected files.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_drive.h"

namespace q32::test {
namespace {

class DeleteTest : public ProgramTest {
protected:
    DeleteTest() {
        for (const char* name : {"a.zip", "b.zip", "c.zip"}) drive.writeFile(std::string("c:\\dl\\") + name);
        program.window.Form_Load();
        ui.tree.userSelects("c:\\dl");
    }
};

TEST_F(DeleteTest, AsksOnceAndDeletesTheSelectedFiles) {
    ui.list.click("a.zip");
    ui.list.click("c.zip", true);
    ui.menus.choose("delete");
    ASSERT_EQ(ui.desktop.boxes.size(), 1u);
    EXPECT_EQ(ui.desktop.boxes[0].text, "Delete all files selected?");
    EXPECT_EQ(ui.desktop.boxes[0].title, "Quillet32");
    EXPECT_EQ(ui.desktop.boxes[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(ui.desktop.boxes[0].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(ui.list.items(), (std::vector<std::string>{"b.zip"}));
    EXPECT_TRUE(drive.exists("c:\\dl\\b.zip"));
    expectSelectionCommandsDisabled();
}

TEST_F(DeleteTest, CancelTouchesNothing) {
    ui.list.click("a.zip");
    ui.desktop.answers = {MsgAnswer::Cancel};
    ui.menus.choose("delete");
    EXPECT_EQ(ui.list.items().size(), 3u);
    EXPECT_TRUE(ui.toolbar.isEnabled(9));
    EXPECT_TRUE(ui.menus.isEnabled("delete"));
    EXPECT_EQ(ui.list.selectedItems(), (std::vector<std::string>{"a.zip"}));
}

TEST_F(DeleteTest, ReadOnlyFilesGoToo) {
    std::filesystem::permissions(drive.host("c:\\dl\\b.zip"), std::filesystem::perms::owner_read);
    ui.list.click("b.zip");
    ui.menus.choose("delete");
    EXPECT_FALSE(drive.exists("c:\\dl\\b.zip"));
}

TEST_F(DeleteTest, FilesInADriveRoot) {
    drive.writeFile("c:\\root.zip");
    ui.tree.userSelects("c:\\");
    ui.list.click("root.zip");
    ui.menus.choose("delete");
    EXPECT_FALSE(drive.exists("c:\\root.zip"));
}

TEST_F(DeleteTest, NothingSelectedStillRefreshesAndDisables) {
    ui.form.keyPress(keys::CtrlS);
    for (int i = 0; i < ui.list.count(); ++i) ui.list.setSelected(i, false);
    ui.menus.setEnabled("delete", true);
    drive.writeFile("c:\\dl\\new.zip");
    ui.menus.choose("delete");
    EXPECT_EQ(ui.list.items().size(), 4u);
    expectSelectionCommandsDisabled();
}

TEST_F(DeleteTest, AFileGoneMeanwhileIsPassedOver) {
    ui.list.click("a.zip");
    ui.list.click("b.zip", true);
    std::filesystem::remove(drive.host("c:\\dl\\a.zip"));
    ui.menus.choose("delete");
    EXPECT_EQ(ui.list.items(), (std::vector<std::string>{"c.zip"}));
}

}  // namespace
}  // namespace q32::test
