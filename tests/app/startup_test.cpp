// Start-up and shutdown as a user meets them: first start, refused starts,
// leftovers in the program's folder, the folder the program opens in; and the
// settings file, read by position at start-up and written at shutdown.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/program_test.h"

namespace q32::test {
namespace {

const char* const kIni = "c:\\Quillet32\\Quil32.ini";
// What a first start writes: the designed window centred on the screen.
const char* const kDefaults = "Version=\r\nState= 0\r\nTop= 5380\r\nLeft= 4800\r\nHeight= 7200\r\nWidth= 9600\r\n"
                              "Panel1.width= 3000\r\nDir=C:\\\r\n";

std::string settings(const std::string& state = "State= 0", const std::string& top = "Top= 1950",
                     const std::string& left = "Left= 1200") {
    return "Version=v2.82\r\n" + state + "\r\n" + top + "\r\n" + left + "\r\nHeight= 6000\r\nWidth= 9000\r\n" +
           "Panel1.width= 2700\r\nDir=C:\\Games\r\n";
}

// The line of `text` that begins with `from` put as `to`.
std::string changed(const std::string& from, const std::string& to, std::string text = settings()) {
    const std::size_t at = text.find(from);
    return text.replace(at, text.find("\r\n", at) - at, to);
}

class StartupTest : public ProgramTest {
protected:
    StartupTest() { drive.makeFolder("c:\\Games"); }
    // A fresh program started over the settings `text`, the folder `unreadable` refusing to be listed.
    TestProgram& start(const std::string& text, const std::string& unreadable = "") {
        drive.writeFile(kIni, text);
        started = std::make_unique<TestProgram>(drive);
        started->ui.list.unreadable.insert(unreadable);
        started->window.Form_Load();
        return *started;
    }
    std::unique_ptr<TestProgram> started;
};

TEST_F(StartupTest, FirstStartWritesDefaultsCentresTheWindowAndShowsTheZipArchivesOfDriveC) {
    for (const char* name : {"c:\\b.zip", "c:\\A.ZIP", "c:\\c.rar"}) drive.writeFile(name);
    program.window.Form_Load();

    EXPECT_EQ(drive.readFile(kIni), kDefaults);
    // Centred across, 1300 twips below the middle on a 19200 x 15360 twip screen.
    EXPECT_EQ(ui.form.geometry(), (Rect{(19200 - 9600) / 2, (15360 - 7200) / 2 + 1300, 9600, 7200}));
    EXPECT_TRUE(ui.form.isShown());
    EXPECT_EQ(ui.splash.shows, 1);
    EXPECT_TRUE(ui.splash.iconVisible);
    EXPECT_FALSE(ui.splash.isShown());
    EXPECT_TRUE(ui.desktop.boxes.empty());
    // The remembered folder of a fresh file is the root of drive C.
    expectZipListOf("C:\\");
    EXPECT_EQ(ui.panel3.caption(), "c:\\");
    EXPECT_EQ(ui.list.items(), (std::vector<std::string>{"A.ZIP", "b.zip"}));
    expectSelectionCommandsDisabled();
}

TEST_F(StartupTest, RefusedFromADriveRootWithoutWritingAnything) {
    TestProgram rooted(drive, "d:\\");
    rooted.window.Form_Load();
    HeadlessUi& ui = rooted.ui;

    EXPECT_EQ(ui.desktop.boxes, (std::vector<MessageBoxRecord>{{"Quillet32 can NOT be run from a root directory",
                                                                 "Error", MsgIcon::Critical, MsgButtons::Ok}}));
    EXPECT_TRUE(ui.form.isUnloaded());
    EXPECT_FALSE(ui.form.isShown());
    EXPECT_EQ(ui.splash.shows, 0);
    EXPECT_TRUE(std::filesystem::is_empty(drive.host("d:\\")));
}

TEST_F(StartupTest, SecondCopyWakesTheFirstAndLeavesItsSettingsAlone) {
    drive.writeFile(kIni, settings());
    drive.writeFile("c:\\Quillet32\\old.nfo");
    ui.instance.otherCopy = true;
    program.window.Form_Load();

    EXPECT_EQ(ui.instance.restoreRequests, 1);
    EXPECT_EQ(ui.form.caption(), "... duplicate instance.");
    EXPECT_TRUE(ui.form.isUnloaded());
    EXPECT_FALSE(ui.form.isShown());
    EXPECT_TRUE(ui.desktop.boxes.empty());
    EXPECT_EQ(drive.readFile(kIni), settings());
    EXPECT_TRUE(drive.exists("c:\\Quillet32\\old.nfo"));  // nothing of the running copy's is touched
}

TEST_F(StartupTest, LeftoversGoAtStartAndAtShutdown) {
    for (const char* name : {"a.diz", "b.diz", "file_id.diz", "one.nfo", "TWO.NFO", "errors.txt"})
        drive.writeFile(std::string("c:\\Quillet32\\") + name);
    std::filesystem::permissions(drive.host("c:\\Quillet32\\one.nfo"), std::filesystem::perms::owner_read);
    program.window.Form_Load();

    auto left = [&] { return drive.fs().listFiles("c:\\Quillet32", "*.diz;*.nfo;errors.txt").value(); };
    // One description file, every NFO file (read-only or not) and the report.
    EXPECT_EQ(left(), (std::vector<std::string>{"b.diz", "file_id.diz"}));

    drive.writeFile("c:\\Quillet32\\late.nfo");
    ui.menus.choose("exit0");
    EXPECT_TRUE(ui.form.isUnloaded());
    EXPECT_EQ(left(), (std::vector<std::string>{"file_id.diz"}));
}

// A remembered folder that is gone, on a missing drive, too long for the host
// to hold or unreadable gives drive C, quietly.
TEST_F(StartupTest, AFolderThatCannotBeShownGivesDriveC) {
    drive.makeFolder("c:\\Locked");
    const std::string tooLong = "Dir=C:\\" + std::string(300, 'a');
    for (const std::string& dirLine :
         {std::string("Dir=C:\\Deleted"), std::string("Dir=Q:\\Games"), tooLong, std::string("Dir=C:\\Locked")}) {
        TestProgram& p = start(changed("Dir=", dirLine), "c:\\locked");
        EXPECT_EQ(p.ui.list.path(), "c:\\") << dirLine;
        EXPECT_EQ(p.ui.tree.path(), "c:\\") << dirLine;
        EXPECT_TRUE(p.ui.desktop.boxes.empty()) << dirLine;
        EXPECT_TRUE(p.ui.form.isShown()) << dirLine;
    }
    EXPECT_EQ(started->window.rememberedFolder(), "Dir=c:\\");  // the unreadable one is not kept
}

// Shutdown closes the about window and the help file, clears the NFO files
// and writes the settings once; when they cannot be written the rest of it
// still runs.
TEST_F(StartupTest, ShutdownClosesWindowsClearsLeftoversAndWritesOnce) {
    program.window.Form_Load();
    program.window.about_Click();
    ui.form.unload();
    EXPECT_FALSE(ui.splash.isShown());
    EXPECT_EQ(ui.help.closed, (std::vector<std::string>{"c:\\Quillet32\\Quil32.HLP"}));
    const std::string written = drive.readFile(kIni);
    drive.writeFile(kIni, "changed");
    ui.form.unload();  // a second close does nothing
    EXPECT_EQ(drive.readFile(kIni), "changed");
    EXPECT_TRUE(written.starts_with("Version=v2.82\r\nState= 0\r\n"));

    TestProgram& p = start(settings());
    drive.writeFile("c:\\Quillet32\\x.nfo");
    std::filesystem::remove(drive.host(kIni));
    std::filesystem::create_directory(drive.host(kIni));  // the file cannot be written now
    p.window.exit0_Click();
    EXPECT_TRUE(p.ui.form.isUnloaded());
    EXPECT_FALSE(drive.exists("c:\\Quillet32\\x.nfo"));
}

TEST_F(StartupTest, AShortSettingsFileIsReplacedByDefaults) {
    start("Version=v2.82\r\nState= 0\r\nTop= 1\r\nLeft= 1\r\nHeight= 1\r\nWidth= 1\r\nDir=C:\\\r\n");
    EXPECT_EQ(drive.readFile(kIni), kDefaults);  // written from the window as it stands
}

// A complete file is applied. Values are cut out at fixed positions whatever
// the keys say, Linux line ends are accepted and the folder is taken from the
// fifth character on. State 2 with its blank maximises and leaves the designed
// geometry; 1 minimises; anything else reads as normal.
TEST_F(StartupTest, ACompleteSettingsFileIsApplied) {
    const Rect read{1200, 1950, 9000, 6000};
    const struct {
        std::string text;
        WindowState state;
        Rect geometry;
    } cases[] = {
        {settings(), WindowState::Normal, read},
        {"v\nSxxxx= 0\nTxx= 1950\nLxxx= 1200\nHxxxxx= 6000\nWxxxx= 9000\nPxxxxxxxxxxx= 2700\nXyz=C:\\Games\n",
         WindowState::Normal, read},
        {settings("State= 2"), WindowState::Maximized, {0, 0, 9600, 7200}},
        {settings("State=2"), WindowState::Normal, read},
        {settings("State= 1"), WindowState::Minimized, read},
        {settings("State= 7"), WindowState::Normal, read},
    };
    for (const auto& c : cases) {
        TestProgram& p = start(c.text);
        EXPECT_EQ(p.ui.form.windowState(), c.state) << c.text;
        EXPECT_EQ(p.ui.form.geometry(), c.geometry) << c.text;
        EXPECT_EQ(p.ui.splitter.pane1Width(), 2700) << c.text;
        EXPECT_EQ(p.ui.list.path(), "C:\\Games") << c.text;
        EXPECT_EQ(p.ui.tree.path(), "C:\\Games") << c.text;
        EXPECT_EQ(p.ui.panel3.caption(), "c:\\games") << c.text;
    }
}

// A value that does not read as a number, or that no window could take, keeps
// the designed one, which is what shutdown writes back; every other line is
// written back byte for byte. A minus sign is kept. A position that would
// leave the window (almost) off the 19200 x 15360 twip screen is brought back
// until 1200 twips of the 9000 x 6000 twip window are on it.
TEST_F(StartupTest, ValuesThatCannotBeAppliedKeepTheDesignedOnesAndTheWindowStaysOnTheScreen) {
    const struct {
        const char* from;
        const char* to;
        const char* writtenBack;
    } cases[] = {
        {"Top= 1950", "Top=abc", "Top= 0"},
        {"Top= 1950", "Top= 12x", "Top= 0"},
        {"Width= 9000", "Width= 1E+30", "Width= 9600"},
        {"Height= 6000", "Height= -6000", "Height= 7200"},
        {"Height= 6000", "Height= 0", "Height= 7200"},
        {"Panel1.width= 2700", "Panel1.width= -2700", "Panel1.width= 3000"},
        {"Top= 1950", "Top=-300", "Top=-300"},
        {"Left= 1200", "Left=-120", "Left=-120"},
        {"Top= 1950", "Top= 99999", "Top= 14160"},
        {"Top= 1950", "Top=-99999", "Top=-4800"},
        {"Left= 1200", "Left= 40000", "Left= 18000"},
        {"Left= 1200", "Left=-40000", "Left=-7800"},
    };
    for (const auto& c : cases) {
        start(changed(c.from, c.to)).window.exit0_Click();
        EXPECT_EQ(drive.readFile(kIni), changed(c.from, c.writtenBack)) << c.to;
    }
}

// One pixel each way: the window grows until the toolbar fits and the lists
// have room.
TEST_F(StartupTest, TheWindowIsKeptAtAUsableSize) {
    TestProgram& p = start(changed("Width", "Width= 15", changed("Height", "Height= 15")));
    const Rect toolbar = p.ui.toolbar.geometry();
    EXPECT_GE(p.ui.form.innerWidth(), toolbar.left + toolbar.width);
    EXPECT_GE(p.ui.splitter.geometry().height, 1200);
}

TEST_F(StartupTest, ShutdownWritesTheCurrentWindowAndFolder) {
    TestProgram& p = start(settings());
    p.ui.form.setGeometry({1500.5, 2000, 10000, 7000});
    p.ui.splitter.drag(3100);
    p.ui.tree.userSelects("c:\\");
    p.ui.form.setWindowState(WindowState::Maximized);
    p.window.exit0_Click();
    EXPECT_EQ(drive.readFile(kIni),
              "Version=v2.82\r\nState= 2\r\nTop= 2000\r\nLeft= 1500.5\r\nHeight= 7000\r\nWidth= 10000\r\n"
              "Panel1.width= 3100\r\nDir=c:\\\r\n");
}

}  // namespace
}  // namespace q32::test
