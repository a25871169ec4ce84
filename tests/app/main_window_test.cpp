// The main window as a user works it: the toolbar, the menus, the keys and the
// pop-up menu; the folder tree and the file list following each other; the
// layout on resize; the Help menu and the about window. Files dropped on the
// window.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "support/program_test.h"
#include "zip_fixtures.h"

namespace q32::test {
namespace {

class MainWindowTest : public ProgramTest {
protected:
    MainWindowTest() {
        for (const char* name : {"a.zip", "b.zip", "game.rar", "game.r00", "readme.rtf", "tool.arj", "tool.001",
                                 "clip.ace", "clip.c00", "Old\\x.zip"})
            drive.writeFile(std::string("c:\\dl\\") + name);
        program.window.Form_Load();
        ui.tree.userSelects("c:\\dl");
    }
    // The enabled ones of the commands on a selection: buttons 6, 7, 9 and 10,
    // then the menu entries Diz, dnfo, install and test.
    std::string enabledCommands() {
        std::string on;
        auto add = [&](bool isOn, const std::string& name) { on += isOn ? (on.empty() ? "" : " ") + name : ""; };
        for (int b : {6, 7, 9, 10}) add(enabled(b), std::to_string(b));
        for (const char* e : {"Diz", "dnfo", "install", "test"}) add(enabled(e), e);
        return on;
    }
    void expectThunders(std::size_t count) {
        const std::pair<std::string, bool> asynchronous{"c:\\Quillet32\\thunder.wav", false};
        EXPECT_EQ(ui.sound.played, std::vector(count, asynchronous));
    }
};

const char* const kZipCommands = "6 9 10 Diz install test";

// Each kind button lists the files of its kind, names the kind in panel 2
// and takes back the commands of a selection; a click in the list offers them
// again as the kind allows: all for ZIP, install for RAR and ACE, none for
// ARJ. In the ZIP list the ZIP button leaves them as they are.
TEST_F(MainWindowTest, KindButtonsSwitchTheListAndClicksEnableTheCommandsOfTheKind) {
    const struct {
        int button;
        ArchiveKind kind;
        const char* caption;
        std::vector<std::string> items;
        const char* clicked;
        const char* enabledByTheClick;
    } kinds[] = {
        {2, ArchiveKind::Rar, "*.rar", {"game.r00", "game.rar", "readme.rtf", "tool.001"}, "game.rar", "9 install"},
        {4, ArchiveKind::Ace, "*.ace", {"clip.ace", "clip.c00"}, "clip.ace", "9 install"},
        {3, ArchiveKind::Arj, "*.arj", {"clip.ace", "tool.001", "tool.arj"}, "tool.arj", ""},
        {1, ArchiveKind::Zip, "*.zip", {"a.zip", "b.zip"}, "a.zip", kZipCommands},
    };
    ui.list.click("a.zip");
    ui.toolbar.click(1);
    ASSERT_EQ(enabledCommands(), kZipCommands);
    EXPECT_TRUE(enabled("delete"));
    for (const auto& k : kinds) {
        ui.toolbar.click(k.button);
        for (int b = 1; b <= 4; ++b) EXPECT_EQ(ui.toolbar.isDown(b), b == k.button) << b;
        EXPECT_EQ(program.window.currentKind(), k.kind);
        EXPECT_EQ(ui.list.items(), k.items);
        EXPECT_EQ(ui.panel2.caption(), k.caption);
        EXPECT_EQ(ui.panel2.alignment(), Alignment::Center);
        EXPECT_EQ(enabledCommands(), "") << k.caption;
        ui.list.click(k.clicked);
        EXPECT_EQ(enabledCommands(), k.enabledByTheClick) << k.clicked;
    }
}

TEST_F(MainWindowTest, TheExitButtonCloses) {
    ui.toolbar.click(16);
    EXPECT_TRUE(ui.form.isUnloaded());
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
    EXPECT_EQ(ui.list.selectedItems(), (std::vector<std::string>{"a.zip", "b.zip", "late.zip"}));
    EXPECT_EQ(enabledCommands(), kZipCommands);
    EXPECT_FALSE(enabled("delete"));
    EXPECT_GE(ui.desktop.eventPumps, 1);

    // A click in the list with RAR down takes back test and descriptions; a
    // kind switch by the program itself leaves the button states as they are.
    ui.toolbar.setDown(2, true);
    ui.list.click("a.zip");
    EXPECT_FALSE(enabled(6));
    EXPECT_FALSE(enabled(10));
    EXPECT_TRUE(enabled(9));
}

TEST_F(MainWindowTest, PopupMenuOnlyWhileInstallIsEnabled) {
    auto rightClickEverywhere = [&] {
        ui.list.rightClick();
        ui.form.rightClickBackground();
        ui.panel2.rightClick();
        ui.panel3.rightClick();
    };
    rightClickEverywhere();
    EXPECT_TRUE(ui.menus.popups.empty());

    ui.list.click("b.zip");
    rightClickEverywhere();
    EXPECT_EQ(ui.menus.popups, (std::vector<std::string>(4, "popup")));
    // The right button neither selects nor changes the selection.
    EXPECT_EQ(ui.list.selectedItems(), (std::vector<std::string>{"b.zip"}));
}

TEST_F(MainWindowTest, TheListFollowsTheTreeAndAChangeOfFolderEndsProgressMode) {
    ui.panel3.setProgressMode(true);
    ui.panel3.setTextColor(TextColor::HighlightText);
    ui.tree.userSelects("c:\\dl\\Old");
    EXPECT_EQ(ui.list.path(), "c:\\dl\\Old");
    EXPECT_EQ(ui.list.items(), (std::vector<std::string>{"x.zip"}));
    EXPECT_EQ(ui.panel3.caption(), "c:\\dl\\old");
    EXPECT_EQ(ui.panel3.textColor(), TextColor::Black);
    EXPECT_FALSE(ui.panel3.progressMode());
}

// A folder that has vanished changes nothing; an unreadable one, or a drive
// that is not there, sends the view to drive C.
TEST_F(MainWindowTest, FoldersThatCannotBeShown) {
    drive.makeFolder("c:\\Gone");
    std::filesystem::remove(drive.host("c:\\Gone"));
    ui.tree.userSelects("c:\\Gone");
    EXPECT_EQ(ui.list.path(), "c:\\dl");
    EXPECT_EQ(ui.panel3.caption(), "c:\\dl");

    drive.makeFolder("c:\\Locked");
    ui.list.unreadable.insert("c:\\locked");
    std::filesystem::remove_all(drive.host("d:\\"));  // a stick mapped as d: and not plugged in
    for (const char* folder : {"c:\\Locked", "d:\\"}) {
        ui.tree.userSelects("c:\\dl");
        ui.tree.userSelects(folder);
        EXPECT_EQ(ui.tree.path(), "c:\\") << folder;
        EXPECT_EQ(ui.list.path(), "c:\\") << folder;
        EXPECT_EQ(ui.panel3.caption(), "c:\\") << folder;
        EXPECT_FALSE(ui.form.isUnloaded());
    }
}

TEST_F(MainWindowTest, AClickThatSelectsNothingEnablesAllTheSameAndARightClickNothing) {
    ui.list.click("a.zip", false, MouseButton::Right);
    EXPECT_EQ(enabledCommands(), "");
    ui.list.click("a.zip", true);
    ui.list.click("a.zip", true);  // ctrl-click again: nothing left selected
    EXPECT_TRUE(ui.list.selectedItems().empty());
    EXPECT_EQ(enabledCommands(), kZipCommands);
    EXPECT_TRUE(enabled("delete"));
}

TEST_F(MainWindowTest, RefreshReadsTheFolderAgainAndDisablesTheCommands) {
    ui.list.click("a.zip");
    ui.menus.setEnabled("dnfo", true);
    drive.writeFile("c:\\dl\\c.zip");
    ui.menus.choose("refresh");
    EXPECT_EQ(ui.list.items(), (std::vector<std::string>{"a.zip", "b.zip", "c.zip"}));
    EXPECT_TRUE(ui.list.selectedItems().empty());
    expectSelectionCommandsDisabled();
}

TEST_F(MainWindowTest, ResizeLaysOutFromTheInnerSizeUnlessMinimised) {
    ui.form.resizeTo(12000, 8000);
    const double inner = ui.form.innerWidth(), high = ui.form.innerHeight();
    EXPECT_EQ(ui.frame.geometry().width, inner);
    EXPECT_EQ(ui.splitter.geometry().width, inner - 260);
    const Rect panel3 = ui.panel3.geometry();
    EXPECT_EQ(panel3.top, high - 300);
    // The size grip stands at the right end of panel 3, on its top edge.
    EXPECT_EQ(ui.sizeGrip.geometry().top, panel3.top - 135);
    EXPECT_EQ(ui.sizeGrip.geometry().left, panel3.left + panel3.width);
    for (Placed* panel : std::initializer_list<Placed*>{&ui.panel1, &ui.panel2, &ui.panel3})
        EXPECT_TRUE(panel->isVisible());

    // Minimising leaves the layout; restoring lays it out again.
    const Rect splitter = ui.splitter.geometry();
    ui.form.setWindowState(WindowState::Minimized);
    ui.form.resizeTo(3000, 2000);
    EXPECT_EQ(ui.splitter.geometry(), splitter);
    ui.form.setWindowState(WindowState::Normal);
    EXPECT_EQ(ui.splitter.geometry().width, ui.form.innerWidth() - 260);
}

TEST_F(MainWindowTest, PanelOneStaysWhereItWasWhenTheToolbarNeedsTheRoom) {
    ui.form.resizeTo(12000, 8000);
    const double placed = ui.panel1.geometry().left;
    const double toolbar = ui.toolbar.geometry().width;
    ui.form.resizeTo(toolbar + 1000, 8000);  // no longer less than the outer width
    EXPECT_EQ(ui.panel1.geometry().left, placed);
    EXPECT_EQ(ui.frame.geometry().width, ui.form.innerWidth());
    ui.form.resizeTo(toolbar + 1001, 8000);
    EXPECT_EQ(ui.panel1.geometry().left, ui.form.innerWidth() - 950);
}

TEST_F(MainWindowTest, SplitterPlacesTheTreeAndTheList) {
    auto listIn = [](const Rect& p) { return Rect{p.left + 20, p.top + 480, p.width + 220, p.height + 160}; };
    ui.splitter.setGeometry({130, 560, 9000, 5000});
    ui.splitter.setPane1Width(2700);
    program.window.GTSplitter1_Resize();
    EXPECT_EQ(ui.splitter.geometry().height, ui.form.innerHeight() - 910);
    EXPECT_EQ(ui.tree.geometry(), ui.splitter.pane(1));
    EXPECT_EQ(ui.list.geometry(), listIn(ui.splitter.pane(2)));

    ui.splitter.drag(3300);
    const Rect dragged1 = ui.splitter.pane(1);
    EXPECT_EQ(ui.tree.geometry(), (Rect{dragged1.left - 5, dragged1.top, 3300, dragged1.height}));
    EXPECT_EQ(ui.list.geometry(), listIn(ui.splitter.pane(2)));
}

// The Help menu, toolbar buttons 12 to 14 and the about window: what the help
// system and the outside programs are asked for, the about window's sound and
// how it goes away again.
// F1 starts the help program instead, without waiting for it.
TEST(Help, ContentsAndF1AskForTheHelpFileInTheProgramFolder) {
    TestDrive drive;
    TestProgram program(drive, "c:\\Tools");
    HeadlessUi& ui = program.ui;
    program.window.Form_Load();
    ui.menus.choose("contents");
    ui.toolbar.click(12);
    EXPECT_EQ(ui.help.shown, (std::vector<std::string>{"c:\\Tools\\Quil32.HLP", "c:\\Tools\\Quil32.HLP"}));
    EXPECT_TRUE(ui.processes.started.empty());
    ui.form.keyDown(keys::F1);
    const std::pair<std::string, ShowState> winhelp{"winhelp.exe c:\\Tools\\Quil32.hlp", ShowState::NormalNoFocus};
    EXPECT_EQ(ui.processes.started, std::vector{winhelp});
    EXPECT_TRUE(ui.processes.waited.empty() && ui.desktop.boxes.empty());
}

// The menu entry and the toolbar button start the same line, focused, and
// nothing waits for it.
TEST_F(MainWindowTest, WebPageAndMailStartWebdial) {
    ui.menus.choose("web");
    ui.toolbar.click(13);
    ui.menus.choose("mail");
    ui.toolbar.click(14);
    const std::pair<std::string, ShowState> web{"webdial.exe $https://quillet32.example.org/", ShowState::Normal};
    const std::pair<std::string, ShowState> mail{"webdial.exe >mailto:tobrek@quillet32.example.org", ShowState::Normal};
    EXPECT_EQ(ui.processes.started, (std::vector{web, web, mail, mail}));
    EXPECT_TRUE(ui.processes.waited.empty());
}

TEST_F(MainWindowTest, AboutOpensShapedAnimatedWithThunderAndAgainWhenOpenOrFromTheMark) {
    ui.menus.choose("about");
    EXPECT_TRUE(ui.splash.isShown() && ui.splash.shaped && ui.splash.iconAnimated);
    EXPECT_EQ(ui.splash.timerInterval, 6000);
    expectThunders(1);

    const int shows = ui.splash.shows;
    ui.menus.choose("about");
    EXPECT_TRUE(ui.splash.isShown());
    EXPECT_GT(ui.splash.shows, shows);
    expectThunders(2);

    // A click on the mark opens it too, with the icon shown.
    ui.splash.iconVisible = false;
    ui.panel1.click();
    EXPECT_TRUE(ui.splash.isShown() && ui.splash.iconVisible);
    expectThunders(3);
}

// The timer, or a click on the window, an empty label or the icon.
TEST_F(MainWindowTest, AboutClosesByTimerOrClick) {
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

// Files dropped on the main window.
class DropTest : public ProgramTest {
protected:
    DropTest() {
        drive.writeFile("c:\\GAMES\\readme.txt");  // with its folder
        for (const std::string name : {"A.ZIP", "B.ZIP", "c.zip"})
            zip::test::writeZip(drive.host("c:\\GAMES\\" + name), {zip::test::file(name + ".txt", name)});
        zip::test::writeZip(drive.host("c:\\A.ZIP"), {zip::test::file("root.txt", "root")});
        drive.makeFolder("c:\\Other");
        program.window.Form_Load();
        ui.tree.userSelects("c:\\Other");
    }
};

// A drop opens the first file's folder, selects the dropped ZIP archives
// found there (and nothing the user had selected) and installs them.
TEST_F(DropTest, TheDroppedZipArchivesOfTheFirstFolderAreInstalled) {
    const struct {
        std::vector<std::string> dropped;
        const char* folder;
        std::vector<std::string> installed;
    } cases[] = {
        {{"C:\\GAMES\\B.ZIP", "C:\\GAMES\\A.ZIP"}, "C:\\GAMES", {"A.ZIP.txt", "B.ZIP.txt"}},
        {{"c:\\games\\a.zip", "c:\\games\\readme.txt", "c:\\games\\Sub"}, "c:\\games", {"A.ZIP.txt"}},
        {{"C:\\GAMES\\A.ZIP", "C:\\A.ZIP", "C:\\OTHER\\c.zip"}, "C:\\GAMES", {"A.ZIP.txt", "c.zip.txt"}},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(drive.host("c:\\Quil001"));
        ui.tree.userSelects("c:\\GAMES");
        ui.list.click("c.zip");
        ui.form.drop(c.dropped);
        EXPECT_EQ(drive.fs().listFiles("c:\\Quil001", "*.*").value_or(std::vector<std::string>{}), c.installed)
            << c.dropped[0];
        EXPECT_EQ(ui.tree.path(), c.folder);
        EXPECT_TRUE(ui.list.selectedItems().empty());
    }
}

// An empty drop, or one from a folder that cannot be read, changes nothing:
// the old list must not stand in for the dropped folder, and the view stays
// as the user left it. A ZIP archive is not found while RAR is the kind.
TEST_F(DropTest, DropsThatInstallNothing) {
    drive.writeFile("c:\\Other\\A.ZIP");
    ui.list.refresh();
    ui.list.click("A.ZIP");
    ui.form.drop({});
    drive.makeFolder("c:\\Locked");
    ui.list.unreadable.insert("c:\\locked");
    ui.form.drop({"c:\\Locked\\A.ZIP"});
    EXPECT_EQ(ui.tree.path(), "c:\\Other");
    EXPECT_EQ(ui.list.path(), "c:\\Other");
    EXPECT_EQ(ui.list.selectedItems(), (std::vector<std::string>{"A.ZIP"}));
    EXPECT_EQ(program.window.selectionCount(), 0);
    EXPECT_FALSE(ui.form.isUnloaded());

    ui.toolbar.click(2);
    ui.form.drop({"C:\\GAMES\\A.ZIP"});
    EXPECT_EQ(ui.list.path(), "C:\\GAMES");
    EXPECT_TRUE(ui.list.selectedItems().empty());
    EXPECT_EQ(program.window.selectionCount(), 0);
    EXPECT_EQ(program.window.currentKind(), ArchiveKind::Rar);
}

TEST_F(DropTest, EverySelectedNameReachesTheTable) {
    std::vector<std::string> paths;
    for (int i = 0; i < 6000; ++i) {
        paths.push_back("c:\\Many\\" + std::to_string(10000 + i) + ".zip");
        drive.writeFile(paths.back());
    }
    ui.form.drop(paths);
    ASSERT_EQ(program.window.selectionCount(), 6000);
    EXPECT_EQ(program.window.selection(1), "10000.zip");
    EXPECT_EQ(program.window.selection(6000), "15999.zip");
}

}  // namespace
}  // namespace q32::test
