// The test command through the main window: what is tested, the report, the
// renamed archives, the panels and the commands enabled afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <utility>

#include "support/program_test.h"
#include "zip_test_command/zip_test_report.h"
#include "zip_fixtures.h"

namespace q32::test {
namespace {

using zip::test::file;

class TestZipsTest : public ProgramTest {
protected:
    TestZipsTest() {
        drive.makeFolder("c:\\DL");
        program.window.Form_Load();
    }
    // No description inside, so that its extraction finds nothing to do.
    void sound(const std::string& path) { zip::test::writeZip(drive.host(path), {file("setup.exe", "program")}); }
    // A member whose data no longer matches its CRC-32.
    void crcDamaged(const std::string& path) {
        zip::test::writeZip(drive.host(path), {file("setup.exe", "program bytes", 0)});
        zip::test::flipByte(drive.host(path), zip::test::memberDataOffset(drive.host(path), "setup.exe"));
    }
    std::string report() { return drive.exists(kReport) ? drive.readFile(kReport) : "(none)"; }

    static constexpr const char* kReport = "c:\\Quillet32\\errors.txt";
};

TEST_F(TestZipsTest, SoundArchivesLeaveNoReportAndTheIdleWindow) {
    zip::test::writeZip(drive.host("c:\\DL\\a.zip"), {file("file_id.diz", "A tool")});
    sound("c:\\DL\\b.zip");
    drive.writeFile(kReport, "from an earlier run");
    ui.tree.userSelects("c:\\DL");
    ui.list.doubleClick("a.zip");
    select("c:\\DL", {"a.zip", "b.zip"});
    ui.menus.choose("test");

    EXPECT_EQ(report(), "(none)");
    EXPECT_FALSE(ui.descriptionViewer.isLoaded());
    EXPECT_EQ(drive.readFile("c:\\Quillet32\\file_id.diz"), "A tool");
    EXPECT_EQ(ui.panel3.caption(), " Found 0 zip error(s)");
    EXPECT_FALSE(ui.panel3.progressMode());
    EXPECT_EQ(ui.panel3.textColor(), TextColor::WindowText);
    EXPECT_TRUE(ui.processes.started.empty());
    EXPECT_TRUE(ui.sound.played.empty());
    EXPECT_TRUE(enabled(9) && enabled("install") && enabled(10) && enabled("test"));
    EXPECT_FALSE(enabled(6) || enabled("Diz") || enabled(7));
    EXPECT_TRUE(ui.list.selectedItems().empty());
    expectZipListOf("c:\\DL");
}

TEST_F(TestZipsTest, NothingSelectedOrAnotherKindTestsNothing) {
    ui.tree.userSelects("c:\\DL");
    ui.form.keyPress(keys::CtrlS);
    ui.form.keyPress(keys::CtrlT);
    EXPECT_EQ(ui.panel3.caption(), " Found 0 zip error(s)");

    drive.writeFile("c:\\DL\\x.rar", "Rar!");
    ui.toolbar.click(2);
    ui.list.click("x.rar");
    ui.panel3.setCaption("unchanged");
    program.window.TestZips();
    EXPECT_EQ(ui.panel3.caption(), "unchanged");
    EXPECT_EQ(ui.panel2.caption(), "*.rar");
    EXPECT_EQ(ui.list.selectedItems(), std::vector<std::string>{"x.rar"});
    EXPECT_EQ(report(), "(none)");
}

TEST_F(TestZipsTest, FailuresAreReportedInTestOrderMarkedAndShown) {
    crcDamaged("c:\\DL\\A.ZIP");  // no description: still tested, fails its test
    sound("c:\\DL\\b.zip");
    drive.writeFile("c:\\DL\\c.zip", "not an archive");  // fails at its description
    drive.writeFile("c:\\DL\\A.ZIP.bad", "an older one");
    std::vector<std::string> captions;
    ui.desktop.onDoEvents = [&] { captions.push_back(ui.panel2.caption()); };
    select("c:\\DL", {"A.ZIP", "b.zip", "c.zip"});
    ui.toolbar.click(10);

    EXPECT_EQ(report(), "# 100 - c:\\dl\\a.zip\r\n# 110 - c:\\dl\\c.zip\r\n");
    EXPECT_NE(std::find(captions.begin(), captions.end(), " b.zip    2 of 3"), captions.end());
    EXPECT_EQ(ui.list.items(), std::vector<std::string>{"b.zip"});
    EXPECT_NE(drive.readFile("c:\\DL\\A.ZIP.bad"), "an older one");
    EXPECT_TRUE(drive.exists("c:\\DL\\c.zip.bad"));
    EXPECT_EQ(ui.panel3.caption(), " Found 2 zip error(s)");
    EXPECT_EQ(ui.processes.started, (std::vector<std::pair<std::string, ShowState>>{
                                        {"notepad.exe c:\\Quillet32\\errors.txt", ShowState::Normal}}));
    EXPECT_EQ(ui.sound.played, (std::vector<std::pair<std::string, bool>>{{"c:\\Quillet32\\error.wav", true}}));

    // In a drive root the record has one backslash.
    crcDamaged("c:\\root.zip");
    select("c:\\", {"root.zip"});
    ui.form.keyPress(keys::CtrlT);
    EXPECT_EQ(report(), "# 100 - c:\\root.zip\r\n");
    EXPECT_TRUE(drive.exists("c:\\root.zip.bad"));
}

// Two archives whose names differ only in letter case keep their own bytes;
// a name with a line feed stays on one line of the report; a ".bad" name in
// the way, or a report that cannot be written, is said in a box.
TEST_F(TestZipsTest, TheReportAndTheBadNamesAreHonest) {
    for (const char* name : {"Case.zip", "case.zip", "new\nline.zip", "tool.zip"})
        std::ofstream(drive.host("c:\\DL") + "/" + name) << name;
    drive.makeFolder("c:\\DL\\tool.zip.bad");
    select("c:\\DL", {"Case.zip", "case.zip", "new\nline.zip", "tool.zip"});
    ui.form.keyPress(keys::CtrlT);
    EXPECT_EQ(report(), "# 110 - c:\\dl\\case.zip\r\n# 110 - c:\\dl\\case.zip\r\n# 110 - c:\\dl\\new?line.zip\r\n"
                        "# 110 - c:\\dl\\tool.zip\r\n");
    for (const char* name : {"Case.zip", "case.zip", "new\nline.zip"})
        EXPECT_EQ(drive.readFile("c:\\DL\\" + std::string(name) + ".bad"), name);
    EXPECT_EQ(ui.list.items(), std::vector<std::string>{"tool.zip"});
    ASSERT_EQ(ui.desktop.boxes.size(), 1u);
    EXPECT_EQ(ui.desktop.boxes[0].title, "Quillet32 Error");
    EXPECT_NE(ui.desktop.boxes[0].text.find("c:\\DL\\tool.zip\ncould not be renamed tool.zip.bad"), std::string::npos);

    ui.desktop.boxes.clear();
    ui.processes.started.clear();
    std::filesystem::remove(drive.host(kReport));
    drive.makeFolder(kReport);
    select("c:\\DL", {"tool.zip"});
    ui.form.keyPress(keys::CtrlT);
    EXPECT_EQ(ui.panel3.caption(), " Found 1 zip error(s)");
    EXPECT_EQ(boxTexts().back(), "The report of the damaged archives could not be written:\nc:\\Quillet32\\errors.txt");
    EXPECT_TRUE(ui.processes.started.empty());
}

TEST_F(TestZipsTest, EscapeInTheThirdTestStopsBeforeTheFourthArchive) {
    for (const char* name : {"1.zip", "4.zip", "5.zip"}) crcDamaged("c:\\DL\\" + std::string(name));
    for (const char* name : {"2.zip", "3.zip"}) sound("c:\\DL\\" + std::string(name));
    // The third archive's description run reports once, then its test starts.
    int thirdArchiveReports = 0;
    ui.desktop.onDoEvents = [&] {
        if (ui.panel2.caption() == " 3.zip    3 of 5" && ++thirdArchiveReports == 2) ui.form.keyDown(keys::Escape);
    };
    select("c:\\DL", {"1.zip", "2.zip", "3.zip", "4.zip", "5.zip"});
    ui.form.keyPress(keys::CtrlT);

    EXPECT_EQ(report(), "# 100 - c:\\dl\\1.zip\r\n");
    EXPECT_EQ(ui.list.items(), (std::vector<std::string>{"2.zip", "3.zip", "4.zip", "5.zip"}));
    EXPECT_EQ(ui.panel3.caption(), " Found 1 zip error(s)");
    EXPECT_EQ(ui.sound.played.size(), 1u);
}

TEST_F(TestZipsTest, TheCloseBoxEndsTheRunAndThenTheWindow) {
    sound("c:\\DL\\1.zip");
    crcDamaged("c:\\DL\\2.zip");
    bool closed = false;
    ui.desktop.onDoEvents = [&] {
        if (!std::exchange(closed, true)) ui.form.clickCloseBox();
    };
    select("c:\\DL", {"1.zip", "2.zip"});
    ui.form.keyPress(keys::CtrlT);
    EXPECT_TRUE(ui.form.isUnloaded());
    EXPECT_TRUE(drive.exists("c:\\DL\\2.zip"));
}

TEST_F(TestZipsTest, EveryFailureIsReportedAndATwoByteDriveKeepsTheNames) {
    constexpr int kArchives = 503;
    std::string expected;
    for (int i = 0; i < kArchives; ++i) {
        const std::string name = "bad" + std::to_string(1000 + i) + ".zip";
        drive.writeFile("c:\\DL\\" + name, "damaged");
        expected += "# 110 - c:\\dl\\" + name + "\r\n";
    }
    drive.fs().freeBytes['c'] = 2;
    ui.tree.userSelects("c:\\DL");
    ui.form.keyPress(keys::CtrlS);
    ui.form.keyPress(keys::CtrlT);
    EXPECT_EQ(report(), expected);
    EXPECT_EQ(ui.list.count(), kArchives);
    EXPECT_EQ(ui.panel3.caption(), " Found 503 zip error(s)");
}

TEST(TestSteps, EachStageHasItsOwnRuleForTheEngineCodes) {
    const struct {
        std::int16_t code;
        TestStep afterExtraction, afterTest;
    } rules[] = {
        {0, TestStep::TestArchive, TestStep::NextArchive},     {20, TestStep::NextArchive, TestStep::NextArchive},
        {30, TestStep::TestArchive, TestStep::NextArchive},
        {100, TestStep::RecordError, TestStep::RecordError},   {110, TestStep::RecordError, TestStep::RecordError},
        {120, TestStep::RecordError, TestStep::NextArchive},   {130, TestStep::TestArchive, TestStep::NextArchive},
        {140, TestStep::TestArchive, TestStep::NextArchive},   {150, TestStep::RecordError, TestStep::NextArchive},
        {190, TestStep::NextArchive, TestStep::StopRun},       {200, TestStep::RecordError, TestStep::RecordError},
        {410, TestStep::RecordError, TestStep::RecordError},
    };
    for (const auto& rule : rules) {
        EXPECT_EQ(afterExtraction(rule.code), rule.afterExtraction) << rule.code;
        EXPECT_EQ(afterTest(rule.code), rule.afterTest) << rule.code;
    }
}

}  // namespace
}  // namespace q32::test
