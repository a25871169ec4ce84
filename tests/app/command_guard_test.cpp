// One command at a time: while a command lets events through, whatever the
// user does starts nothing else; Escape still stops it and the close box waits
// for it to end. The zip engine as the main window holds it: its progress moves
// the fill of status panel 3 and lets events through.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "support/program_test.h"
#include "zip_fixtures.h"

namespace q32::test {
namespace {

class CommandGuardTest : public ProgramTest {
protected:
    CommandGuardTest() {
        drive.writeFile("c:\\Games\\b.zip");
        zip::test::writeZip(drive.host("c:\\Games\\a.zip"), {zip::test::file("file_id.diz", "A tool")});
        for (const char* folder : {"c:\\Other", "c:\\Quil001"}) drive.makeFolder(folder);
        ui.desktop.answers = {MsgAnswer::No};
        program.window.Form_Load();
        ui.tree.userSelects("c:\\Games");
        ui.list.click("a.zip");
    }

    // What a user could see change.
    std::string view() {
        std::string text = ui.tree.path() + "|" + ui.list.path() + "|" + ui.list.pattern() + "|" + ui.panel2.caption();
        for (const std::string& name : ui.list.selectedItems()) text += "|" + name;
        for (int b = 1; b <= 10; ++b) text += ui.toolbar.isDown(b) ? "D" : ui.toolbar.isEnabled(b) ? "e" : "-";
        text += "|" + std::to_string(ui.desktop.boxes.size()) + "|" + std::to_string(ui.menus.popups.size());
        text += "|" + std::to_string(ui.processes.started.size() + ui.processes.waited.size());
        return text + (ui.form.isUnloaded() ? "|gone" : "");
    }

    // Runs a menu command that lets events through: the cleanup after its
    // question, the descriptions while the zip engine extracts. The user
    // acts at that moment.
    std::string viewAroundActionInsideACommand(const std::function<void()>& action, const char* command = "dtemp") {
        std::string before, after;
        ui.list.click("a.zip");
        ui.desktop.answers = {MsgAnswer::No};
        ui.desktop.onDoEvents = [&] {
            if (!before.empty()) return;
            before = view();
            action();
            after = view();
        };
        ui.menus.choose(command);
        ui.desktop.onDoEvents = nullptr;
        EXPECT_FALSE(before.empty());
        return before == after ? "" : before + " became " + after;
    }
};

TEST_F(CommandGuardTest, NothingTheUserDoesStartsASecondCommand) {
    const struct {
        const char* what;
        std::function<void()> action;
    } actions[] = {
        {"Tab", [&] { ui.form.keyPress(keys::Tab); }},
        {"Ctrl+T", [&] { ui.form.keyPress(keys::CtrlT); }},
        {"Ctrl+S", [&] { ui.form.keyPress(keys::CtrlS); }},
        {"F1", [&] { ui.form.keyDown(keys::F1); }},
        {"RAR button", [&] { ui.toolbar.click(2); }},
        {"delete entry", [&] { ui.menus.choose("delete"); }},
        {"refresh entry", [&] { ui.menus.choose("refresh"); }},
        {"cleanup entry", [&] { ui.menus.choose("dtemp"); }},
        {"exit entry", [&] { ui.menus.choose("exit0"); }},
        {"drop", [&] { ui.form.drop({"c:\\Games\\b.zip"}); }},
        {"tree", [&] { ui.tree.userSelects("c:\\Other"); }},
        {"double-click", [&] { ui.list.doubleClick("a.zip"); }},
        {"right-click", [&] { ui.form.rightClickBackground(); }},
    };
    for (const char* command : {"dtemp", "Diz"}) {
        for (const auto& a : actions)
            EXPECT_EQ(viewAroundActionInsideACommand(a.action, command), "") << a.what << " during " << command;
    }
}

TEST_F(CommandGuardTest, TheCloseBoxStopsTheCommandAndClosesWhenItHasEnded) {
    bool stillOpenMeanwhile = false;
    viewAroundActionInsideACommand([&] {
        ui.form.clickCloseBox();
        stillOpenMeanwhile = !ui.form.isUnloaded();
    }, "Diz");
    EXPECT_TRUE(stillOpenMeanwhile);
    EXPECT_TRUE(ui.form.isUnloaded());
    EXPECT_TRUE(drive.exists("c:\\Quillet32\\Quil32.ini"));  // shutdown ran
}

// The zip engine as the main window holds it.
using ZipStatusTest = ProgramTest;

TEST_F(ZipStatusTest, ProgressFillsPanelThreeAndLetsEventsThrough) {
    program.window.Form_Load();
    zip::test::writeZerosZip(drive.host("c:\\big.zip"), "zeros.bin", 64u << 20);
    ZipEngine& engine = program.window.XceedZip1;
    engine.setFileMask("*.*\r");
    engine.setDestinationFolder("c:\\Quil001");
    engine.setArchiveName("c:\\big.zip");
    std::vector<int> fills;
    ui.desktop.onDoEvents = [&] { fills.push_back(ui.panel3.fillPercent()); };
    EXPECT_EQ(engine.extract(0), zipcode::Success);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills.back(), 100);
    EXPECT_TRUE(std::is_sorted(fills.begin(), fills.end()));
    EXPECT_EQ(drive.fs().fileLength("c:\\Quil001\\zeros.bin"), 64u << 20);
}

// The close box during a long extraction stops the engine, not only the
// commands still to come.
TEST_F(ZipStatusTest, TheCloseBoxStopsAnExtractionUnderWay) {
    drive.makeFolder("c:\\Down");
    program.window.Form_Load();
    zip::test::writeZerosZip(drive.host("c:\\Down\\big.zip"), "zeros.bin", 64u << 20);
    select("c:\\Down", {"big.zip"});
    ui.desktop.onDoEvents = [&] { ui.form.clickCloseBox(); };
    ui.form.keyPress(keys::Tab);
    EXPECT_TRUE(ui.form.isUnloaded());
    EXPECT_FALSE(drive.exists("c:\\Quil001\\zeros.bin"));
}

}  // namespace
}  // namespace q32::test
