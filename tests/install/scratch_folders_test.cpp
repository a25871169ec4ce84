// Scratch folders, the space check, the drive picker and the command runner.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_drive.h"

namespace q32::test {
namespace {

class InstallTargetsTest : public ::testing::Test {
protected:
    InstallTargetsTest() { program.window.Form_Load(); }
    TestDrive drive;
    TestProgram program{drive};
    HeadlessUi& ui = program.ui;
    MainWindow& window = program.window;
};

TEST_F(InstallTargetsTest, NextScratchFolderSkipsWhatExists) {
    EXPECT_EQ(window.NextScratchFolder('c', 1), (ScratchFolder{"c:\\Quil001", 1}));
    drive.makeFolder("c:\\Quil001");
    drive.makeFolder("c:\\quil002");  // names compare without regard to case
    EXPECT_EQ(window.NextScratchFolder('c', 1), (ScratchFolder{"c:\\Quil003", 3}));
    drive.writeFile("c:\\Quil003");  // a plain file blocks the name as well
    EXPECT_EQ(window.NextScratchFolder('c', 1), (ScratchFolder{"c:\\Quil004", 4}));
    EXPECT_EQ(window.NextScratchFolder('c', 2), (ScratchFolder{"c:\\Quil004", 4}));
    EXPECT_EQ(window.NextScratchFolder('d', 42), (ScratchFolder{"d:\\Quil042", 42}));
    EXPECT_FALSE(drive.exists("c:\\Quil004"));  // naming makes nothing
}

TEST_F(InstallTargetsTest, NextScratchFolderGrowsPast999) {
    drive.makeFolder("d:\\Quil999");
    EXPECT_EQ(window.NextScratchFolder('d', 999), (ScratchFolder{"d:\\Quil1000", 1000}));
}

TEST_F(InstallTargetsTest, SpaceCheckAllowsExactlyEnough) {
    drive.fs().freeBytes['c'] = 1000;
    EXPECT_TRUE(window.CheckInstallSpace('c', 1000));
    EXPECT_TRUE(window.CheckInstallSpace('c', 0));
    EXPECT_TRUE(ui.desktop.boxes.empty());
    EXPECT_FALSE(window.CheckInstallSpace('c', 1001));
    ASSERT_EQ(ui.desktop.boxes.size(), 1u);
    EXPECT_EQ(ui.desktop.boxes[0].text, "Not enough free space on c drive to install");
    EXPECT_EQ(ui.desktop.boxes[0].title, "Quillet32 Error");
    EXPECT_EQ(ui.desktop.boxes[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(ui.desktop.boxes[0].buttons, MsgButtons::Ok);
}

TEST_F(InstallTargetsTest, SpaceCheckOnADriveThatCannotTell) {
    drive.fs().freeBytes['d'] = std::nullopt;
    EXPECT_TRUE(window.CheckInstallSpace('d', 0));
    EXPECT_FALSE(window.CheckInstallSpace('d', 1));
    EXPECT_EQ(ui.desktop.boxes.back().text, "Not enough free space on d drive to install");
}

TEST_F(InstallTargetsTest, PickerAllowsOkFromHalfAMillionBytes) {
    drive.fs().freeBytes['d'] = 499999;
    window.BrowseDialog1_SelectionChanged("d:\\games");
    EXPECT_FALSE(ui.picker.okAllowed);
    EXPECT_EQ(ui.picker.statusText, "Not a valid path or not enough free space");

    drive.fs().freeBytes['d'] = 500000;
    window.BrowseDialog1_SelectionChanged("d:\\games");
    EXPECT_TRUE(ui.picker.okAllowed);
    EXPECT_EQ(ui.picker.statusText, "500,000 Free space");

    drive.fs().freeBytes['d'] = 1234567890123;
    window.BrowseDialog1_SelectionChanged("d:\\");
    EXPECT_EQ(ui.picker.statusText, "1,234,567,890,123 Free space");

    window.BrowseDialog1_SelectionChanged("");
    EXPECT_FALSE(ui.picker.okAllowed);
    window.BrowseDialog1_SelectionChanged("q:\\");  // a drive that is not there
    EXPECT_FALSE(ui.picker.okAllowed);
    EXPECT_EQ(ui.picker.statusText, "Not a valid path or not enough free space");
}

TEST_F(InstallTargetsTest, PickerPromptAndTheChosenDrive) {
    EXPECT_EQ(ui.picker.prompt, "Choose drive for temporary files...");
    drive.makeFolder("d:\\games\\new");
    ui.picker.walk = {"d:\\games\\new"};
    EXPECT_TRUE(window.ChooseInstallDrive());
    EXPECT_EQ(window.installDrive(), 'd');
    EXPECT_EQ(window.NextScratchFolder(window.installDrive(), 1).name, "d:\\Quil001");

    ui.picker.pressOk = false;
    EXPECT_FALSE(window.ChooseInstallDrive());
    EXPECT_EQ(window.installDrive(), 'c');  // a cancelled pick goes back to drive C
}

TEST_F(InstallTargetsTest, OkIsRefusedOnATooFullDrive) {
    drive.fs().freeBytes['d'] = 10;
    ui.picker.walk = {"d:\\"};
    EXPECT_FALSE(window.ChooseInstallDrive());
    EXPECT_EQ(window.installDrive(), 'c');
}

TEST_F(InstallTargetsTest, ExecCmdWaitsForTheProgram) {
    drive.writeFile("c:\\Quil001\\x.txt");
    window.ExecCmd("killd.pif c:\\Quil001");  // the real stand-in, found beside the tests
    EXPECT_EQ(ui.processes.waited, (std::vector<std::string>{"killd.pif c:\\Quil001"}));
    EXPECT_FALSE(drive.exists("c:\\Quil001"));
    window.ExecCmd("no-such-program.exe c:\\Quil001");
    EXPECT_TRUE(ui.desktop.boxes.empty());
}

TEST_F(InstallTargetsTest, F1StartsTheHelpProgramWithoutWaiting) {
    ui.form.keyDown(keys::F1);
    ASSERT_EQ(ui.processes.started.size(), 1u);
    EXPECT_EQ(ui.processes.started[0].first, "winhelp.exe c:\\Quillet32\\Quil32.hlp");
    EXPECT_EQ(ui.processes.started[0].second, ShowState::NormalNoFocus);
    EXPECT_TRUE(ui.processes.waited.empty());
    EXPECT_TRUE(ui.desktop.boxes.empty());
}

}  // namespace
}  // namespace q32::test
