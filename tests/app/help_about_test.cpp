// The Help menu, toolbar buttons 12 to 14 and the about window, as a user
// meets them: what the help system and the outside programs are asked for,
// the about window's sound and how it goes away again.
#include <gtest/gtest.h>

#include "support/test_drive.h"

namespace q32::test {
namespace {

struct HelpCase {
    const char* programFolder;
    const char* helpFile;
};

TEST(Help, ContentsAskForTheHelpFileInTheProgramFolder) {
    for (const HelpCase& c : {HelpCase{"c:\\Tools", "c:\\Tools\\Quil32.HLP"}, HelpCase{"c:\\", "c:\\Quil32.HLP"}}) {
        TestDrive drive;
        drive.makeFolder(c.programFolder);
        TestProgram program(drive, c.programFolder);
        program.window.Form_Load();  // a drive root is refused, with the menus built
        program.ui.menus.choose("contents");
        program.ui.toolbar.click(12);
        EXPECT_EQ(program.ui.help.shown, (std::vector<std::string>{c.helpFile, c.helpFile})) << c.programFolder;
        EXPECT_TRUE(program.ui.processes.started.empty());
    }
}

TEST(Help, ShutdownClosesTheHelpFile) {
    TestDrive drive;
    TestProgram program(drive);
    program.window.Form_Load();
    program.ui.form.unload();
    EXPECT_EQ(program.ui.help.closed, (std::vector<std::string>{"c:\\Quillet32\\Quil32.HLP"}));
}

// The menu entry and the toolbar button start the same line, focused, and
// nothing waits for it.
TEST(Help, WebPageAndMailStartWebdial) {
    const std::pair<const char*, int> commands[] = {{"web", 13}, {"mail", 14}};
    std::vector<std::string> lines;
    for (const auto& [entry, button] : commands) {
        TestDrive drive;
        TestProgram program(drive);
        program.window.Form_Load();
        program.ui.menus.choose(entry);
        program.ui.toolbar.click(button);
        auto& started = program.ui.processes.started;
        ASSERT_EQ(started.size(), 2u);
        EXPECT_EQ(started[0], started[1]);
        EXPECT_EQ(started[0].second, ShowState::Normal);
        EXPECT_TRUE(program.ui.processes.waited.empty());
        lines.push_back(started[0].first);
    }
    EXPECT_EQ(lines[0], "webdial.exe $https://quillet32.example.org/");
    EXPECT_EQ(lines[1], "webdial.exe >mailto:tobrek@quillet32.example.org");
}

class AboutTest : public ProgramTest {
protected:
    AboutTest() { program.window.Form_Load(); }
    void expectThunders(std::size_t count) {
        const std::pair<std::string, bool> asynchronous{"c:\\Quillet32\\thunder.wav", false};
        EXPECT_EQ(ui.sound.played, std::vector(count, asynchronous));
    }
};

TEST_F(AboutTest, OpensShapedAnimatedWithThunderAndAgainWhenOpen) {
    ui.menus.choose("about");
    EXPECT_TRUE(ui.splash.isShown() && ui.splash.shaped && ui.splash.iconAnimated);
    EXPECT_EQ(ui.splash.timerInterval, 6000);
    expectThunders(1);

    const int shows = ui.splash.shows;
    ui.menus.choose("about");
    EXPECT_TRUE(ui.splash.isShown());
    EXPECT_GT(ui.splash.shows, shows);
    expectThunders(2);
}

TEST_F(AboutTest, ClickOnTheMarkShowsTheIconToo) {
    ui.splash.iconVisible = false;
    ui.panel1.click();
    EXPECT_TRUE(ui.splash.isShown() && ui.splash.iconVisible);
    expectThunders(1);
}

// The timer, or a click on the window, an empty label or the icon.
TEST_F(AboutTest, ClosesByTimerOrClick) {
    SplashWindow& window = ui.splash;
    const std::function<void()>* closers[] = {&window.onTimer, &window.onClick, &window.onLabel1Click,
                                              &window.onLabel2Click, &window.onIconClick};
    for (const auto* close : closers) {
        ui.menus.choose("about");
        ASSERT_TRUE(ui.splash.isShown());
        (*close)();
        EXPECT_FALSE(ui.splash.isShown());
        EXPECT_FALSE(ui.splash.iconAnimated);
        EXPECT_EQ(ui.splash.timerInterval, 0);  // a later about starts a new one
    }
}

}  // namespace
}  // namespace q32::test
