// Scratch folders offered for deletion at start-up and from the Options menu.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_drive.h"

namespace q32::test {
namespace {


std::string question(const std::string& folder) { return "Found temporary directory\n\n" + folder + " . . . . .Delete?"; }

class CleanupTest : public ProgramTest {
protected:
    CleanupTest() {
        drive.writeFile("c:\\Quil001\\a.txt");
        drive.writeFile("c:\\Quil002\\setup.exe");
        drive.writeFile("c:\\Quil003\\b.txt");
        drive.makeFolder("c:\\Games");
        drive.writeFile("c:\\Games\\tool.zip");
        drive.writeFile("c:\\Quillet32\\Quil32.ini",
                        "Version=v2.82\r\nState= 0\r\nTop= 0\r\nLeft= 0\r\nHeight= 7200\r\nWidth= 9600\r\n"
                        "Panel1.width= 3000\r\nDir=c:\\Games\r\n");
    }
    void start() {
        program.window.Form_Load();
        ui.desktop.boxes.clear();
        ui.processes.waited.clear();
    }
};

TEST_F(CleanupTest, StartupOffersEachFolderAndDeletesTheChosenOne) {
    ui.desktop.answers = {MsgAnswer::No, MsgAnswer::Yes, MsgAnswer::No};
    std::vector<std::string> shown;
    ui.desktop.onDoEvents = [&] { shown.push_back(ui.list.path() + "|" + ui.list.pattern()); };
    program.window.Form_Load();

    EXPECT_EQ(boxTexts(), (std::vector<std::string>{question("c:\\Quil001"), question("c:\\Quil002"), question("c:\\Quil003")}));
    EXPECT_EQ(ui.desktop.boxes[0].title, "Temporary directory");
    EXPECT_EQ(ui.desktop.boxes[0].icon, MsgIcon::Question);
    EXPECT_EQ(ui.desktop.boxes[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(ui.processes.waited, (std::vector<std::string>{"killd.pif c:\\Quil002"}));
    EXPECT_TRUE(drive.exists("c:\\Quil001"));
    EXPECT_FALSE(drive.exists("c:\\Quil002"));
    EXPECT_TRUE(drive.exists("c:\\Quil003"));
    // Each folder was on show, with every file, while its question was asked.
    ASSERT_GE(shown.size(), 3u);
    EXPECT_EQ(shown[0], "c:\\Quil001|*.*");
    EXPECT_EQ(shown[2], "c:\\Quil003|*.*");
    // Then start-up goes on in the remembered folder, not in the last scratch folder.
    EXPECT_EQ(ui.list.path(), "c:\\Games");
    EXPECT_EQ(ui.list.pattern(), "*.zip");
    EXPECT_EQ(ui.panel2.caption(), "*.zip");
    EXPECT_FALSE(ui.form.busy());
}

TEST_F(CleanupTest, StartupWithoutScratchFoldersAsksNothing) {
    for (const char* folder : {"Quil001", "Quil002", "Quil003"}) std::filesystem::remove_all(drive.host(std::string("c:\\") + folder));
    program.window.Form_Load();
    EXPECT_TRUE(ui.desktop.boxes.empty());
    EXPECT_EQ(ui.list.path(), "c:\\Games");
}

TEST_F(CleanupTest, OnlyRootFoldersOfTheScratchPatternAreOffered) {
    drive.makeFolder("c:\\Quil0ab");    // letters match the pattern as well
    drive.makeFolder("c:\\Quil1000");   // four digits do not
    drive.makeFolder("c:\\Games\\Quil004");
    drive.writeFile("c:\\Quil005");     // a file is no folder
    ui.desktop.answers = {MsgAnswer::No, MsgAnswer::No, MsgAnswer::No, MsgAnswer::No};
    program.window.Form_Load();
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{question("c:\\Quil001"), question("c:\\Quil002"),
                                                  question("c:\\Quil003"), question("c:\\Quil0ab")}));
}

// A Yes deletes exactly the folder on show. Names that a blank-split command
// line would turn into another name, and folders the list cannot show, are
// passed over, not offered.
TEST_F(CleanupTest, OnlyFoldersShownAndCarriedExactlyAreOffered) {
    const std::vector<std::string> kept = {"c:\\Quil0\"a", "c:\\Quil0a", "c:\\Quil0  ", "c:\\Quil0", "c:\\Quil002"};
    for (const std::string& folder : kept) drive.writeFile(folder + "\\keep.txt");
    ui.list.unreadable.insert("c:\\quil002");
    program.window.Form_Load();  // every question answered Yes
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{question("c:\\Quil001"), question("c:\\Quil003")}));
    for (const std::string& folder : kept) EXPECT_TRUE(drive.exists(folder + "\\keep.txt")) << folder;
    EXPECT_FALSE(drive.exists("c:\\Quil001"));

    // The command runner refuses such lines, so the deleting program never
    // sees a name other than the one written.
    program.window.ExecCmd("killd.pif c:\\Quil0\"a");
    program.window.ExecCmd("killd.pif c:\\Quil0  ");
    for (const std::string& folder : kept) EXPECT_TRUE(drive.exists(folder + "\\keep.txt")) << folder;
}

TEST_F(CleanupTest, CancelAtStartupStopsAskingAndStartsNormally) {
    ui.desktop.answers = {MsgAnswer::Cancel};
    program.window.Form_Load();
    EXPECT_EQ(ui.desktop.boxes.size(), 1u);
    EXPECT_TRUE(ui.processes.waited.empty());
    EXPECT_EQ(ui.list.path(), "c:\\Games");
    EXPECT_EQ(ui.list.pattern(), "*.zip");
}

TEST_F(CleanupTest, DeleteTempDirsRestoresTheViewEvenAfterCancel) {
    ui.desktop.answers = {MsgAnswer::No, MsgAnswer::No, MsgAnswer::No};
    start();
    ui.toolbar.click(2);
    ui.tree.userSelects("c:\\Games");
    ui.desktop.answers = {MsgAnswer::Yes, MsgAnswer::Cancel};
    ui.menus.choose("dtemp");
    EXPECT_EQ(ui.processes.waited, (std::vector<std::string>{"killd.pif c:\\Quil001"}));
    EXPECT_FALSE(drive.exists("c:\\Quil001"));
    EXPECT_TRUE(drive.exists("c:\\Quil002"));
    EXPECT_EQ(ui.tree.path(), "c:\\Games");
    EXPECT_EQ(ui.list.path(), "c:\\Games");
    EXPECT_EQ(ui.list.pattern(), "*.zip");
    EXPECT_TRUE(ui.toolbar.isDown(1));
    EXPECT_FALSE(ui.toolbar.isDown(2));
    EXPECT_EQ(ui.panel2.caption(), "*.zip");
    for (int b : {6, 7, 9, 10}) EXPECT_FALSE(ui.toolbar.isEnabled(b)) << b;
    for (const char* e : {"Diz", "dnfo", "install", "test"}) EXPECT_FALSE(ui.menus.isEnabled(e)) << e;
}

TEST_F(CleanupTest, DeleteTempDirsFromADriveRoot) {
    ui.desktop.answers = {MsgAnswer::Cancel};
    start();
    ui.tree.userSelects("c:\\");
    ui.desktop.answers = {MsgAnswer::Cancel};
    ui.menus.choose("dtemp");
    EXPECT_EQ(ui.tree.path(), "c:\\");
    EXPECT_EQ(ui.list.path(), "c:\\");
}

TEST_F(CleanupTest, TemporaryDriveScansTheChosenDrive) {
    ui.desktop.answers = {MsgAnswer::Cancel};
    start();
    drive.writeFile("d:\\Quil001\\x.txt");
    drive.writeFile("d:\\Quil002\\y.txt");
    ui.picker.walk = {"d:\\"};
    ui.desktop.answers = {MsgAnswer::Yes, MsgAnswer::No};
    ui.toolbar.click(3);
    ui.menus.choose("temp");
    EXPECT_EQ(program.window.installDrive(), 'd');
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{question("d:\\Quil001"), question("d:\\Quil002")}));
    EXPECT_FALSE(drive.exists("d:\\Quil001"));
    EXPECT_TRUE(drive.exists("c:\\Quil001"));  // drive C is not scanned
    EXPECT_EQ(ui.list.path(), "c:\\Games");
    EXPECT_EQ(ui.tree.path(), "c:\\Games");
    EXPECT_EQ(ui.list.pattern(), "*.zip");
    EXPECT_TRUE(ui.toolbar.isDown(1));
    EXPECT_EQ(ui.panel2.caption(), "*.zip");
}

TEST_F(CleanupTest, TemporaryDriveCancelLeavesTheScratchFolderOnShow) {
    ui.desktop.answers = {MsgAnswer::Cancel};
    start();
    ui.picker.walk = {"c:\\Games"};
    ui.desktop.answers = {MsgAnswer::No, MsgAnswer::Cancel};
    ui.menus.choose("temp");
    EXPECT_EQ(program.window.installDrive(), 'c');
    EXPECT_EQ(ui.list.path(), "c:\\Quil002");
    EXPECT_EQ(ui.list.pattern(), "*.*");
    EXPECT_EQ(ui.panel2.caption(), "*.*");
    EXPECT_TRUE(ui.processes.waited.empty());
}

TEST_F(CleanupTest, ACancelledPickerScansNothingAndResetsTheDrive) {
    ui.desktop.answers = {MsgAnswer::Cancel};
    start();
    ui.picker.walk = {"d:\\"};
    ui.menus.choose("temp");
    ASSERT_EQ(program.window.installDrive(), 'd');
    ui.picker.pressOk = false;
    ui.menus.choose("temp");
    EXPECT_EQ(program.window.installDrive(), 'c');
    EXPECT_TRUE(ui.desktop.boxes.empty());
    EXPECT_EQ(ui.list.path(), "c:\\Games");
}

}  // namespace
}  // namespace q32::test
