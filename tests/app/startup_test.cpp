// Start-up and shutdown as a user meets them: first start, refused starts,
// leftovers in the program's folder, the folder the program opens in.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_drive.h"

namespace q32::test {
namespace {

const char* const kIni = "c:\\Quillet32\\Quil32.ini";

std::string completeSettings(const std::string& dirLine) {
    return "Version=v2.82\r\nState= 0\r\nTop= 1950\r\nLeft= 1200\r\nHeight= 6000\r\nWidth= 9000\r\n"
           "Panel1.width= 2700\r\n" +
           dirLine + "\r\n";
}

using Startup = ProgramTest;

TEST_F(Startup, FirstStartWritesDefaultsAndCentresTheWindow) {
    program.window.Form_Load();

    EXPECT_EQ(drive.readFile(kIni),
              "Version=\r\nState= 0\r\nTop= 5380\r\nLeft= 4800\r\nHeight= 7200\r\nWidth= 9600\r\n"
              "Panel1.width= 3000\r\nDir=C:\\\r\n");
    // Centred across, 1300 twips below the middle on a 19200 x 15360 twip screen.
    EXPECT_EQ(ui.form.geometry().left, (19200 - 9600) / 2);
    EXPECT_EQ(ui.form.geometry().top, (15360 - 7200) / 2 + 1300);
    EXPECT_TRUE(ui.form.isShown());
    EXPECT_EQ(ui.splash.shows, 1);
    EXPECT_TRUE(ui.splash.iconVisible);
    EXPECT_FALSE(ui.splash.isShown());
    EXPECT_TRUE(ui.desktop.boxes.empty());
    EXPECT_EQ(program.window.versionText(), "v2.82");
    EXPECT_EQ(program.window.installDrive(), 'c');
    // The remembered folder of a fresh file is the root of drive C.
    EXPECT_EQ(ui.list.path(), "C:\\");
    EXPECT_EQ(ui.tree.path(), "C:\\");
    EXPECT_EQ(ui.panel3.caption(), "c:\\");
    EXPECT_EQ(ui.panel3.textColor(), TextColor::Black);
}

TEST_F(Startup, StartsInZipViewWithCommandsDisabled) {
    for (const char* name : {"c:\\b.zip", "c:\\A.ZIP", "c:\\c.rar"}) drive.writeFile(name);
    program.window.Form_Load();

    EXPECT_EQ(ui.list.pattern(), "*.zip");
    EXPECT_EQ(ui.list.items(), (std::vector<std::string>{"A.ZIP", "b.zip"}));
    EXPECT_EQ(ui.panel2.caption(), "*.zip");
    EXPECT_EQ(ui.panel2.alignment(), Alignment::Center);
    EXPECT_TRUE(ui.toolbar.isDown(1));
    for (int index : {2, 3, 4}) EXPECT_FALSE(ui.toolbar.isDown(index)) << index;
    expectSelectionCommandsDisabled();
    for (int index : {12, 13, 14, 16}) EXPECT_TRUE(ui.toolbar.isEnabled(index)) << index;
    for (const char* entry : {"refresh", "exit0", "temp", "dtemp", "contents", "web", "mail", "about"})
        EXPECT_TRUE(ui.menus.isEnabled(entry)) << entry;
    EXPECT_EQ(ui.list.toolTip(), "Double click on zip to view diz");
    EXPECT_EQ(ui.splitter.paneNames, (std::vector<std::string>{"File1"}));
}

TEST_F(Startup, RefusedFromADriveRootWithoutWritingAnything) {
    TestProgram rooted(drive, "d:\\");
    rooted.window.Form_Load();
    HeadlessUi& ui = rooted.ui;

    ASSERT_EQ(ui.desktop.boxes.size(), 1u);
    EXPECT_EQ(ui.desktop.boxes[0].text, "Quillet32 can NOT be run from a root directory");
    EXPECT_EQ(ui.desktop.boxes[0].title, "Error");
    EXPECT_EQ(ui.desktop.boxes[0].icon, MsgIcon::Critical);
    EXPECT_EQ(ui.desktop.boxes[0].buttons, MsgButtons::Ok);
    EXPECT_TRUE(ui.form.isUnloaded());
    EXPECT_FALSE(ui.form.isShown());
    EXPECT_EQ(ui.splash.shows, 0);
    EXPECT_FALSE(drive.exists("d:\\Quil32.ini"));
    EXPECT_TRUE(std::filesystem::is_empty(drive.host("d:\\")));
}

TEST_F(Startup, SecondCopyWakesTheFirstAndLeavesItsSettingsAlone) {
    drive.writeFile(kIni, completeSettings("Dir=C:\\"));
    drive.writeFile("c:\\Quillet32\\old.nfo");
    ui.instance.otherCopy = true;
    program.window.Form_Load();

    EXPECT_EQ(ui.instance.restoreRequests, 1);
    EXPECT_EQ(ui.form.caption(), "... duplicate instance.");
    EXPECT_TRUE(ui.form.isUnloaded());
    EXPECT_FALSE(ui.form.isShown());
    EXPECT_TRUE(ui.desktop.boxes.empty());
    EXPECT_EQ(drive.readFile(kIni), completeSettings("Dir=C:\\"));
    EXPECT_TRUE(drive.exists("c:\\Quillet32\\old.nfo"));  // nothing of the running copy's is touched
}

TEST_F(Startup, LeftoversGoAtStartAndAtShutdown) {
    for (const char* name : {"a.diz", "b.diz", "file_id.diz", "one.nfo", "TWO.NFO", "errors.txt"})
        drive.writeFile(std::string("c:\\Quillet32\\") + name);
    std::filesystem::permissions(drive.host("c:\\Quillet32\\one.nfo"), std::filesystem::perms::owner_read);
    program.window.Form_Load();

    auto left = [&] { return drive.fs().listFiles("c:\\Quillet32", "*.diz;*.nfo;errors.txt").value(); };
    // One description file, every NFO file (read-only or not) and the report.
    EXPECT_EQ(left(), (std::vector<std::string>{"b.diz", "file_id.diz"}));

    drive.writeFile("c:\\Quillet32\\late.nfo");
    program.window.exit0_Click();
    EXPECT_TRUE(program.ui.form.isUnloaded());
    EXPECT_EQ(left(), (std::vector<std::string>{"file_id.diz"}));
    EXPECT_TRUE(drive.readFile(kIni).starts_with("Version=v2.82\r\n"));
}

TEST_F(Startup, OpensTheRememberedFolder) {
    drive.writeFile("c:\\Games\\tool.zip");
    drive.writeFile(kIni, completeSettings("Dir=C:\\Games"));
    program.window.Form_Load();

    EXPECT_EQ(program.ui.list.path(), "C:\\Games");
    EXPECT_EQ(program.ui.tree.path(), "C:\\Games");
    EXPECT_EQ(program.ui.panel3.caption(), "c:\\games");
    EXPECT_EQ(program.ui.list.items(), (std::vector<std::string>{"tool.zip"}));
    EXPECT_EQ(program.window.rememberedFolder(), "Dir=C:\\Games");
}

// Also a folder whose name is too long for the host to hold.
TEST_F(Startup, AFolderThatIsGoneOrOnAMissingDriveGivesDriveC) {
    const std::string tooLong = "Dir=C:\\" + std::string(300, 'a');
    for (const std::string& dirLine : {std::string("Dir=C:\\Deleted"), std::string("Dir=Q:\\Games"), tooLong}) {
        TestDrive drive;
        drive.writeFile(kIni, completeSettings(dirLine));
        TestProgram program(drive);
        program.window.Form_Load();
        EXPECT_EQ(program.ui.list.path(), "c:\\") << dirLine;
        EXPECT_EQ(program.ui.tree.path(), "c:\\") << dirLine;
        EXPECT_TRUE(program.ui.desktop.boxes.empty()) << dirLine;
        EXPECT_TRUE(program.ui.form.isShown()) << dirLine;
    }
}

TEST_F(Startup, AnUnreadableRememberedFolderFallsBackOnceToDriveC) {
    drive.makeFolder("c:\\Locked");
    drive.writeFile(kIni, completeSettings("Dir=C:\\Locked"));
    program.ui.list.unreadable.insert("c:\\locked");
    program.window.Form_Load();

    EXPECT_EQ(program.window.rememberedFolder(), "Dir=c:\\");
    EXPECT_EQ(program.ui.list.path(), "c:\\");
    EXPECT_TRUE(program.ui.form.isShown());
    EXPECT_TRUE(program.ui.desktop.boxes.empty());
    program.window.exit0_Click();
    EXPECT_TRUE(drive.readFile(kIni).ends_with("Dir=c:\\\r\n"));
}

TEST_F(Startup, ShutdownClosesTheSplashAndWritesOnce) {
    program.window.Form_Load();
    program.window.about_Click();
    program.ui.form.unload();
    EXPECT_FALSE(program.ui.splash.isShown());
    const std::string written = drive.readFile(kIni);
    drive.writeFile(kIni, "changed");
    program.ui.form.unload();  // a second close does nothing
    EXPECT_EQ(drive.readFile(kIni), "changed");
    EXPECT_TRUE(written.starts_with("Version=v2.82\r\nState= 0\r\n"));
}

}  // namespace
}  // namespace q32::test
