// Scratch folders offered for deletion at start-up and from the Options
// menu, and deleting the selected files.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/program_test.h"

namespace q32::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> questions(std::initializer_list<const char*> folders) {
    std::vector<std::string> texts;
    for (const char* folder : folders)
        texts.push_back("Found temporary directory\n\n" + std::string(folder) + " . . . . .Delete?");
    return texts;
}

class CleanupTest : public ProgramTest {
protected:
    CleanupTest() {
        for (const char* file : {"c:\\Quil001\\a.txt", "c:\\Quil002\\setup.exe", "c:\\Quil003\\b.txt",
                                 "c:\\Games\\tool.zip"})
            drive.writeFile(file);
        drive.writeFile("c:\\Quillet32\\Quil32.ini",
                        "Version=v2.82\r\nState= 0\r\nTop= 0\r\nLeft= 0\r\nHeight= 7200\r\nWidth= 9600\r\n"
                        "Panel1.width= 3000\r\nDir=c:\\Games\r\n");
    }
    // Started with the start-up questions cancelled.
    void start() {
        ui.desktop.answers = {MsgAnswer::Cancel};
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

    EXPECT_EQ(boxTexts(), questions({"c:\\Quil001", "c:\\Quil002", "c:\\Quil003"}));
    EXPECT_EQ(ui.desktop.boxes[0], (MessageBoxRecord{boxTexts()[0], "Temporary directory", MsgIcon::Question,
                                                     MsgButtons::YesNoCancel}));
    EXPECT_EQ(ui.processes.waited, (std::vector<std::string>{"killd.pif c:\\Quil002"}));
    EXPECT_TRUE(drive.exists("c:\\Quil001"));
    EXPECT_FALSE(drive.exists("c:\\Quil002"));
    EXPECT_TRUE(drive.exists("c:\\Quil003"));
    // Each folder was on show, with every file, while its question was asked.
    ASSERT_GE(shown.size(), 3u);
    EXPECT_EQ(shown[0], "c:\\Quil001|*.*");
    EXPECT_EQ(shown[2], "c:\\Quil003|*.*");
    // Then start-up goes on in the remembered folder, not in the last scratch folder.
    expectZipListOf("c:\\Games");
}

// Only root folders of the scratch pattern are offered, and a Yes deletes
// exactly the folder on show. Names that a blank-split command line would
// turn into another name, and folders the list cannot show, are passed over.
TEST_F(CleanupTest, OnlyRootFoldersOfThePatternShownAndCarriedExactlyAreOffered) {
    drive.makeFolder("c:\\Quil0ab");    // letters match the pattern as well
    drive.makeFolder("c:\\Quil1000");   // four digits do not
    drive.makeFolder("c:\\Games\\Quil004");
    drive.writeFile("c:\\Quil005");     // a file is no folder
    std::filesystem::create_symlink(drive.host("c:\\Games"), drive.host("c:\\") + "/Quil006");  // nor is a link
    const std::vector<std::string> kept = {"c:\\Quil0\"a", "c:\\Quil0a", "c:\\Quil0  ", "c:\\Quil0", "c:\\Quil002"};
    for (const std::string& folder : kept) drive.writeFile(folder + "\\keep.txt");
    ui.list.unreadable.insert("c:\\quil002");
    program.window.Form_Load();  // every question answered Yes
    EXPECT_EQ(boxTexts(), questions({"c:\\Quil001", "c:\\Quil003", "c:\\Quil0ab"}));
    for (const std::string& folder : kept) EXPECT_TRUE(drive.exists(folder + "\\keep.txt")) << folder;
    EXPECT_FALSE(drive.exists("c:\\Quil001"));

    // Given such a name, the deleting program deletes exactly that folder.
    program.window.ExecCmd({"killd.pif", {"c:\\Quil0  "}});
    EXPECT_FALSE(drive.exists("c:\\Quil0  "));
    for (const char* folder : {"c:\\Quil0\"a", "c:\\Quil0a", "c:\\Quil0"})
        EXPECT_TRUE(drive.exists(std::string(folder) + "\\keep.txt")) << folder;
}

// Also when the tree shows a drive root.
TEST_F(CleanupTest, DeleteTempDirsRestoresTheViewEvenAfterCancel) {
    start();
    ui.toolbar.click(2);
    ui.tree.userSelects("c:\\Games");
    ui.desktop.answers = {MsgAnswer::Yes, MsgAnswer::Cancel};
    ui.menus.choose("dtemp");
    EXPECT_EQ(ui.processes.waited, (std::vector<std::string>{"killd.pif c:\\Quil001"}));
    EXPECT_FALSE(drive.exists("c:\\Quil001"));
    EXPECT_TRUE(drive.exists("c:\\Quil002"));
    expectZipListOf("c:\\Games");  // the ZIP button down again, not the RAR one
    expectSelectionCommandsDisabled();

    ui.tree.userSelects("c:\\");
    ui.desktop.answers = {MsgAnswer::Cancel};
    ui.menus.choose("dtemp");
    expectZipListOf("c:\\");
}

// A picker refused on a drive this full scans nothing and makes drive C the
// install drive again; Cancel leaves the scratch folder asked about on show.
TEST_F(CleanupTest, TemporaryDriveScansTheChosenDrive) {
    start();
    drive.writeFile("d:\\Quil001\\x.txt");
    drive.writeFile("d:\\Quil002\\y.txt");
    ui.picker.walk = {"d:\\"};
    ui.desktop.answers = {MsgAnswer::Yes, MsgAnswer::No};
    ui.toolbar.click(3);
    ui.menus.choose("temp");
    EXPECT_EQ(ui.picker.prompt, "Choose drive for temporary files...");
    EXPECT_EQ(program.window.installDrive(), 'd');
    EXPECT_EQ(boxTexts(), questions({"d:\\Quil001", "d:\\Quil002"}));
    EXPECT_FALSE(drive.exists("d:\\Quil001"));
    EXPECT_TRUE(drive.exists("c:\\Quil001"));  // drive C is not scanned
    expectZipListOf("c:\\Games");

    ui.desktop.boxes.clear();
    drive.fs().freeBytes['d'] = 10;
    ui.menus.choose("temp");
    EXPECT_EQ(program.window.installDrive(), 'c');
    EXPECT_TRUE(ui.desktop.boxes.empty());
    EXPECT_EQ(ui.list.path(), "c:\\Games");

    ui.processes.waited.clear();
    ui.picker.walk = {"c:\\Games"};
    ui.desktop.answers = {MsgAnswer::No, MsgAnswer::Cancel};
    ui.menus.choose("temp");
    EXPECT_EQ(program.window.installDrive(), 'c');
    EXPECT_EQ(ui.list.path(), "c:\\Quil002");
    EXPECT_EQ(ui.list.pattern(), "*.*");
    EXPECT_EQ(ui.panel2.caption(), "*.*");
    EXPECT_TRUE(ui.processes.waited.empty());
}

class DeleteTest : public ProgramTest {
protected:
    DeleteTest() {
        for (const char* name : {"a.zip", "b.zip", "c.zip"}) drive.writeFile(std::string("c:\\dl\\") + name);
        program.window.Form_Load();
    }
};

// Cancel touches nothing; OK deletes, in a folder and in a drive root.
TEST_F(DeleteTest, AsksOnceAndDeletesTheSelectedFiles) {
    select("c:\\dl", {"a.zip", "c.zip"});
    ui.desktop.answers = {MsgAnswer::Cancel};
    ui.menus.choose("delete");
    EXPECT_EQ(ui.list.items().size(), 3u);
    EXPECT_TRUE(enabled(9) && enabled("delete"));
    EXPECT_EQ(ui.list.selectedItems(), (std::vector<std::string>{"a.zip", "c.zip"}));

    ui.menus.choose("delete");
    EXPECT_EQ(ui.desktop.boxes, (std::vector<MessageBoxRecord>(2, {"Delete all files selected?", "Quillet32",
                                                                   MsgIcon::Exclamation, MsgButtons::OkCancel})));
    EXPECT_EQ(ui.list.items(), (std::vector<std::string>{"b.zip"}));
    EXPECT_TRUE(drive.exists("c:\\dl\\b.zip"));
    expectSelectionCommandsDisabled();

    drive.writeFile("c:\\root.zip");
    select("c:\\", {"root.zip"});
    ui.menus.choose("delete");
    EXPECT_FALSE(drive.exists("c:\\root.zip"));
}

TEST_F(DeleteTest, ReadOnlyFilesGoAndAFileGoneMeanwhileIsPassedOver) {
    fs::permissions(drive.host("c:\\dl\\b.zip"), fs::perms::owner_read);
    select("c:\\dl", {"a.zip", "b.zip"});
    fs::remove(drive.host("c:\\dl\\a.zip"));
    ui.menus.choose("delete");
    EXPECT_EQ(ui.list.items(), (std::vector<std::string>{"c.zip"}));
}

TEST_F(DeleteTest, NothingSelectedStillRefreshesAndDisables) {
    ui.tree.userSelects("c:\\dl");
    ui.form.keyPress(keys::CtrlS);  // every command on, then nothing selected
    for (int i = 0; i < ui.list.count(); ++i) ui.list.setSelected(i, false);
    ui.menus.setEnabled("delete", true);
    drive.writeFile("c:\\dl\\new.zip");
    ui.menus.choose("delete");
    EXPECT_EQ(ui.list.items().size(), 4u);
    expectSelectionCommandsDisabled();
}

}  // namespace
}  // namespace q32::test
