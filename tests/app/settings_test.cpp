// The settings file: read by position at start-up, written at shutdown.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_drive.h"

namespace q32::test {
namespace {

const char* const kIni = "c:\\Quillet32\\Quil32.ini";

std::string settings(const std::string& state, const std::string& top, const std::string& left = "Left= 1200",
                     const std::string& dir = "Dir=C:\\Games") {
    return "Version=v2.82\r\n" + state + "\r\n" + top + "\r\n" + left + "\r\nHeight= 6000\r\nWidth= 9000\r\n" +
           "Panel1.width= 2700\r\n" + dir + "\r\n";
}

// The line of `text` that begins with `from` put as `to`.
std::string changed(const std::string& from, const std::string& to,
                    std::string text = settings("State= 0", "Top= 1950")) {
    const std::size_t at = text.find(from);
    return text.replace(at, text.find("\r\n", at) - at, to);
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { drive.makeFolder("c:\\Games"); }
    TestProgram& start(const std::string& text) {
        drive.writeFile(kIni, text);
        program = std::make_unique<TestProgram>(drive);
        program->window.Form_Load();
        return *program;
    }
    TestDrive drive;
    std::unique_ptr<TestProgram> program;
};

TEST_F(SettingsTest, ACompleteFileIsAppliedAndWrittenBackByteForByte) {
    const std::string text = settings("State= 0", "Top= 1950");
    TestProgram& p = start(text);
    EXPECT_EQ(p.ui.form.geometry(), (Rect{1200, 1950, 9000, 6000}));
    EXPECT_EQ(p.ui.splitter.pane1Width(), 2700);
    EXPECT_EQ(p.ui.form.windowState(), WindowState::Normal);
    EXPECT_EQ(p.ui.list.path(), "C:\\Games");
    p.window.exit0_Click();
    EXPECT_EQ(drive.readFile(kIni), text);
}

TEST_F(SettingsTest, AShortFileIsReplacedByDefaults) {
    TestProgram& p = start("Version=v2.82\r\nState= 0\r\nTop= 1\r\nLeft= 1\r\nHeight= 1\r\nWidth= 1\r\nDir=C:\\\r\n");
    EXPECT_EQ(drive.readFile(kIni),
              "Version=\r\nState= 0\r\nTop= 5380\r\nLeft= 4800\r\nHeight= 7200\r\nWidth= 9600\r\n"
              "Panel1.width= 3000\r\nDir=C:\\\r\n");
    EXPECT_EQ(p.ui.form.geometry().width, 9600);
}

TEST_F(SettingsTest, StateTwoWithItsSpaceMaximisesAndSkipsTheGeometry) {
    TestProgram& p = start(settings("State= 2", "Top= 1950"));
    EXPECT_EQ(p.ui.form.windowState(), WindowState::Maximized);
    EXPECT_EQ(p.ui.form.geometry(), (Rect{0, 0, 9600, 7200}));  // as designed
    EXPECT_EQ(p.ui.splitter.pane1Width(), 2700);
    EXPECT_EQ(p.ui.list.path(), "C:\\Games");
}

TEST_F(SettingsTest, StateTwoWithoutTheSpaceReadsAsNormal) {
    TestProgram& p = start(settings("State=2", "Top= 1950"));
    EXPECT_EQ(p.ui.form.windowState(), WindowState::Normal);
    EXPECT_EQ(p.ui.form.geometry(), (Rect{1200, 1950, 9000, 6000}));
}

TEST_F(SettingsTest, OtherStatesArePassedOver) {
    EXPECT_EQ(start(settings("State= 1", "Top= 1950")).ui.form.windowState(), WindowState::Minimized);
    EXPECT_EQ(start(settings("State= 7", "Top= 1950")).ui.form.windowState(), WindowState::Normal);
}

// A value that does not read as a number, or that no window could take, keeps
// the designed one, which is what shutdown writes back.
TEST_F(SettingsTest, ValuesThatCannotBeAppliedKeepTheDesignedOnes) {
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
    };
    for (const auto& c : cases) {
        start(changed(c.from, c.to)).window.exit0_Click();
        const std::string written = drive.readFile(kIni);
        EXPECT_NE(written.find(std::string("\r\n") + c.writtenBack + "\r\n"), std::string::npos) << c.to;
        EXPECT_NE(written.find("Left= 1200"), std::string::npos) << c.to;  // the other lines still apply
    }
}

TEST_F(SettingsTest, NegativePositionsKeepTheirSign) {
    TestProgram& p = start(settings("State= 0", "Top=-300", "Left=-120"));
    EXPECT_EQ(p.ui.form.geometry().top, -300);
    EXPECT_EQ(p.ui.form.geometry().left, -120);
    p.window.exit0_Click();
    EXPECT_NE(drive.readFile(kIni).find("\r\nTop=-300\r\nLeft=-120\r\n"), std::string::npos);
}

// Values a window can take but that would leave it (almost) off the 19200 x
// 15360 twip screen, or too small to use, are brought back.
TEST_F(SettingsTest, TheWindowIsKeptOnTheScreenAtAUsableSize) {
    const struct {
        const char* from;
        const char* to;
        double Rect::*field;
        double expected;
    } cases[] = {
        {"Top= 1950", "Top= 99999", &Rect::top, 15360 - 1200},
        {"Top= 1950", "Top=-99999", &Rect::top, 1200 - 6000},
        {"Left= 1200", "Left= 40000", &Rect::left, 19200 - 1200},
        {"Left= 1200", "Left=-40000", &Rect::left, 1200 - 9000},
    };
    for (const auto& c : cases) EXPECT_EQ(start(changed(c.from, c.to)).ui.form.geometry().*c.field, c.expected) << c.to;
    // One pixel each way: the toolbar fits and the lists have room.
    TestProgram& p = start(changed("Width", "Width= 15", changed("Height", "Height= 15")));
    const Rect toolbar = p.ui.toolbar.geometry();
    EXPECT_GE(p.ui.form.innerWidth(), toolbar.left + toolbar.width);
    EXPECT_GE(p.ui.splitter.geometry().height, 1200);
}

TEST_F(SettingsTest, KeysAreNotReadAndLinuxLineEndsAreAccepted) {
    TestProgram& p =
        start("v\nSxxxx= 0\nTxx= 1950\nLxxx= 1200\nHxxxxx= 6000\nWxxxx= 9000\nPxxxxxxxxxxx= 2700\nXyz=C:\\Games\n");
    // Values are cut out at fixed positions whatever the key says.
    EXPECT_EQ(p.ui.form.geometry(), (Rect{1200, 1950, 9000, 6000}));
    EXPECT_EQ(p.ui.splitter.pane1Width(), 2700);
    // The folder is taken from the fifth character on, whatever precedes it.
    EXPECT_EQ(p.ui.list.path(), "C:\\Games");
    EXPECT_EQ(p.window.rememberedFolder(), "Xyz=C:\\Games");
}

TEST_F(SettingsTest, ShutdownWritesTheCurrentWindowAndFolder) {
    TestProgram& p = start(settings("State= 0", "Top= 1950"));
    p.ui.form.setGeometry({1500.5, 2000, 10000, 7000});
    p.ui.splitter.drag(3100);
    p.ui.tree.userSelects("c:\\");
    p.ui.form.setWindowState(WindowState::Maximized);
    p.window.exit0_Click();
    EXPECT_EQ(drive.readFile(kIni),
              "Version=v2.82\r\nState= 2\r\nTop= 2000\r\nLeft= 1500.5\r\nHeight= 7000\r\nWidth= 10000\r\n"
              "Panel1.width= 3100\r\nDir=c:\\\r\n");
    EXPECT_FALSE(std::filesystem::exists(drive.host(kIni) + ".new~"));
}

TEST_F(SettingsTest, AReadOnlyProgramFolderStillShutsDown) {
    TestProgram& p = start(settings("State= 0", "Top= 1950"));
    drive.writeFile("c:\\Quillet32\\x.nfo");
    std::filesystem::remove(drive.host(kIni));
    std::filesystem::create_directory(drive.host(kIni));  // the file cannot be written now
    p.window.exit0_Click();
    EXPECT_TRUE(p.ui.form.isUnloaded());
    EXPECT_FALSE(drive.exists("c:\\Quillet32\\x.nfo"));  // the rest of shutdown ran
}

}  // namespace
}  // namespace q32::test
