// The toolbar, the menus, the keys and the pop-up menu of the main window.
#include <gtest/gtest.h>

#include "support/test_drive.h"

namespace q32::test {
namespace {

class MainWindowTest : public ProgramTest {
protected:
    MainWindowTest() {
        for (int i = 1; i <= 12; ++i) drive.writeFile("c:\\dl\\pack" + std::to_string(100 + i) + ".zip");
        drive.writeFile("c:\\dl\\game.rar");
        drive.writeFile("c:\\dl\\game.r00");
        drive.writeFile("c:\\dl\\readme.rtf");
        drive.writeFile("c:\\dl\\tool.arj");
        drive.writeFile("c:\\dl\\tool.001");
        drive.writeFile("c:\\dl\\clip.ace");
        drive.writeFile("c:\\dl\\clip.c00");
        drive.writeFile("c:\\Quillet32\\Quil32.ini",
                        "Version=v2.82\r\nState= 0\r\nTop= 0\r\nLeft= 0\r\nHeight= 7200\r\nWidth= 9600\r\n"
                        "Panel1.width= 3000\r\nDir=c:\\dl\r\n");
        program.window.Form_Load();
    }
};

TEST_F(MainWindowTest, KindButtonsSwitchTheListAndDisableTheCommands) {
    ui.list.click("pack101.zip");
    ASSERT_TRUE(enabled(9));

    ui.toolbar.click(2);
    EXPECT_TRUE(ui.toolbar.isDown(2));
    EXPECT_FALSE(ui.toolbar.isDown(1));
    EXPECT_EQ(ui.list.pattern(), "*.R??;*.0??");
    EXPECT_EQ(ui.list.items(), (std::vector<std::string>{"game.r00", "game.rar", "readme.rtf", "tool.001"}));
    EXPECT_EQ(ui.panel2.caption(), "*.rar");
    EXPECT_EQ(ui.panel2.alignment(), Alignment::Center);
    for (int b : {6, 7, 9, 10}) EXPECT_FALSE(enabled(b)) << b;
    for (const char* e : {"test", "Diz", "dnfo", "install"}) EXPECT_FALSE(enabled(e)) << e;
    EXPECT_EQ(program.window.currentKind(), ArchiveKind::Rar);

    ui.toolbar.click(1);
    EXPECT_EQ(ui.list.pattern(), "*.ZIP");
    EXPECT_EQ(ui.list.count(), 12);
    EXPECT_EQ(ui.panel2.caption(), "*.zip");
    for (int b : {6, 9, 10}) EXPECT_FALSE(enabled(b)) << b;  // until files are selected again

    ui.toolbar.click(3);
    EXPECT_EQ(ui.list.items(), (std::vector<std::string>{"clip.ace", "tool.001", "tool.arj"}));
    EXPECT_EQ(ui.panel2.caption(), "*.arj");
    ui.toolbar.click(4);
    EXPECT_EQ(ui.list.items(), (std::vector<std::string>{"clip.ace", "clip.c00"}));
    EXPECT_EQ(ui.panel2.caption(), "*.ace");
    EXPECT_EQ(program.window.currentKind(), ArchiveKind::Ace);
}

TEST_F(MainWindowTest, TheZipButtonLeavesEnabledStatesAlone) {
    ui.list.click("pack101.zip");
    ui.toolbar.click(1);
    for (int b : {6, 9, 10}) EXPECT_TRUE(enabled(b)) << b;
    EXPECT_TRUE(enabled("delete"));
}

TEST_F(MainWindowTest, SeparatorsAndDisabledButtonsDoNothing) {
    ui.toolbar.click(5);
    ui.toolbar.click(9);  // disabled
    EXPECT_TRUE(ui.toolbar.isDown(1));
    EXPECT_FALSE(ui.form.isUnloaded());
    EXPECT_TRUE(ui.desktop.boxes.empty());
}

TEST_F(MainWindowTest, ExitButtonAndMenuEntryCloseTheWindow) {
    ui.toolbar.click(16);
    EXPECT_TRUE(ui.form.isUnloaded());
    EXPECT_TRUE(drive.readFile("c:\\Quillet32\\Quil32.ini").ends_with("Dir=c:\\dl\r\n"));

    TestDrive other;
    TestProgram second(other);
    second.window.Form_Load();
    second.ui.menus.choose("exit0");
    EXPECT_TRUE(second.ui.form.isUnloaded());
}

TEST_F(MainWindowTest, PointerOnTheToolbarSwitchesHotTrackingOnForGood) {
    EXPECT_FALSE(ui.toolbar.hotTracking());
    ui.toolbar.pointerEnters();
    EXPECT_TRUE(ui.toolbar.hotTracking());
    if (ui.toolbar.onMouseExit) ui.toolbar.onMouseExit();
    EXPECT_TRUE(ui.toolbar.hotTracking());
}

TEST_F(MainWindowTest, CtrlSSelectsAllAndEnablesInstallTestAndDescriptions) {
    drive.writeFile("c:\\dl\\late.zip");  // select-all reads the folder again first
    ui.form.keyPress(keys::CtrlS);
    EXPECT_EQ(ui.list.selectedItems().size(), 13u);
    for (int b : {6, 9, 10}) EXPECT_TRUE(enabled(b)) << b;
    for (const char* e : {"Diz", "install", "test"}) EXPECT_TRUE(enabled(e)) << e;
    EXPECT_FALSE(enabled(7));
    EXPECT_FALSE(enabled("dnfo"));
    EXPECT_FALSE(enabled("delete"));
    EXPECT_GE(ui.desktop.eventPumps, 1);
}

TEST_F(MainWindowTest, PopupMenuOnlyWhileInstallIsEnabled) {
    ui.list.rightClick();
    ui.form.rightClickBackground();
    ui.panel2.rightClick();
    ui.panel3.rightClick();
    EXPECT_TRUE(ui.menus.popups.empty());

    ui.list.click("pack105.zip");
    ui.list.rightClick();
    ui.form.rightClickBackground();
    ui.panel2.rightClick();
    ui.panel3.rightClick();
    EXPECT_EQ(ui.menus.popups, (std::vector<std::string>(4, "popup")));
    // The right button neither selects nor changes the selection.
    EXPECT_EQ(ui.list.selectedItems(), (std::vector<std::string>{"pack105.zip"}));
}

}  // namespace
}  // namespace q32::test
