// The install command through the main window, with archives the test makes:
// what lands in the scratch folder, what the user is told, and the ZIP list
// the window returns to.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/text.h"
#include "support/test_drive.h"
#include "zip_fixtures.h"

namespace q32::test {
namespace {

using zip::test::file;

class InstallTest : public ProgramTest {
protected:
    InstallTest() {
        drive.makeFolder("c:\\Down");
        program.window.Form_Load();
    }
    // An archive of `name` holding one file of the same stem, and the bytes packed.
    std::string makeZip(const std::string& name, const std::vector<zip::test::MemberSpec>& extra = {}) {
        const std::string text = zip::test::sampleText(40000, static_cast<unsigned>(name.size()));
        std::vector<zip::test::MemberSpec> members = {file(name + ".txt", text)};
        members.insert(members.end(), extra.begin(), extra.end());
        zip::test::writeZip(drive.host("c:\\Down\\" + name), members);
        return text;
    }
    // The user opens the folder, selects the archives and presses Tab.
    void install(const std::vector<std::string>& names, const std::string& folder = "c:\\Down") {
        ui.tree.userSelects(folder);
        for (std::size_t i = 0; i < names.size(); ++i) ui.list.click(names[i], i > 0);
        ui.form.keyPress(keys::Tab);
    }
    void returnedToTheZipList(const std::string& folder = "c:\\Down") {
        EXPECT_EQ(ui.tree.path(), folder);
        EXPECT_TRUE(equalsNoCase(ui.list.path(), folder));
        EXPECT_EQ(ui.list.pattern(), "*.zip");
        EXPECT_TRUE(ui.list.selectedItems().empty());
        EXPECT_EQ(ui.panel2.caption(), "*.zip");
        EXPECT_TRUE(ui.toolbar.isDown(1));
        for (int b : {7, 9, 10}) EXPECT_FALSE(ui.toolbar.isEnabled(b)) << b;
        for (const char* e : {"Diz", "test", "dnfo", "install", "delete"}) EXPECT_FALSE(ui.menus.isEnabled(e)) << e;
        EXPECT_FALSE(drive.fs().firstFile("c:\\Quillet32\\*.nfo"));
        EXPECT_FALSE(ui.form.busy());
    }
};

TEST_F(InstallTest, ArchivesLandByteForByteInTheFirstFreeScratchFolder) {
    const std::string a = makeZip("a.zip", {file("docs/x.nfo", "nfo"), file("file_id.diz", "A")});
    const std::string b = makeZip("B.zip");
    install({"a.zip", "B.zip"});
    EXPECT_EQ(drive.readFile("c:\\Quil001\\a.zip.txt"), a);
    EXPECT_EQ(drive.readFile("c:\\Quil001\\B.zip.txt"), b);
    EXPECT_EQ(drive.readFile("c:\\Quil001\\docs\\x.nfo"), "nfo");
    EXPECT_EQ(ui.panel3.caption(), "To: c:\\Quil001");
    EXPECT_TRUE(ui.desktop.boxes.empty());  // no setup.exe, no question
    returnedToTheZipList();

    install({"B.zip"});
    EXPECT_TRUE(drive.exists("c:\\Quil002\\B.zip.txt"));
    std::filesystem::remove_all(drive.host("c:\\Quil001"));
    install({"B.zip"});
    EXPECT_TRUE(drive.exists("c:\\Quil001\\B.zip.txt"));
}

TEST_F(InstallTest, SetupIsOfferedAndStartedOrTheUserLearnsWhyNot) {
    makeZip("tool.zip", {file("SETUP.EXE", "MZ")});
    for (bool wineThere : {true, false}) {
        ui.processes.startable = wineThere;
        ui.processes.started.clear();
        ui.desktop.boxes.clear();
        std::filesystem::remove_all(drive.host("c:\\Quil001"));
        install({"tool.zip"});
        ASSERT_GE(ui.desktop.boxes.size(), 1u);
        EXPECT_EQ(ui.desktop.boxes[0].text, "   Run Setup.exe?   ");
        EXPECT_EQ(ui.desktop.boxes[0].title, "Found setup");
        EXPECT_EQ(ui.desktop.boxes[0].buttons, MsgButtons::YesNo);
        EXPECT_EQ(ui.panel3.caption(), "Found c:\\Quil001\\Setup.exe");
        if (wineThere) {
            ASSERT_EQ(ui.processes.started.size(), 1u);
            EXPECT_EQ(ui.processes.started[0], std::make_pair(std::string("c:\\Quil001\\setup.exe"), ShowState::Hidden));
        } else {
            EXPECT_TRUE(ui.processes.started.empty());
            ASSERT_EQ(ui.desktop.boxes.size(), 2u);
            EXPECT_NE(ui.desktop.boxes[1].text.find("Wine"), std::string::npos);
        }
        returnedToTheZipList();
    }
}

// The first failing archive stops the install with a message naming it; a
// code an install passes over does not. Either lowers the source folder for
// the rest of the run. The first archive is sound, so the descriptions leave
// the others alone.
TEST_F(InstallTest, FailingArchivesStopTheInstallWithTheirMessage) {
    makeZip("a.zip");
    zip::test::writeBytes(drive.host("c:\\Down\\empty.zip"), std::string("PK\x05\x06", 4) + std::string(18, '\0'));
    zip::test::writeZip(drive.host("c:\\Down\\crc.zip"), {file("crc.zip.txt", std::string(5000, 'c'), 0)});
    zip::test::flipByte(drive.host("c:\\Down\\crc.zip"), zip::test::memberDataOffset(drive.host("c:\\Down\\crc.zip"), "crc.zip.txt") + 100);
    drive.writeFile("c:\\Down\\notzip.zip", std::string(200, 'x'));
    makeZip("z.zip");
    const struct {
        std::vector<std::string> names;
        std::string message;
    } cases[] = {
        {{"a.zip", "crc.zip", "z.zip"}, "Zip CRC error - # 100\nc:\\down\\crc.zip"},
        {{"a.zip", "notzip.zip", "z.zip"}, "Zip structure error - # 110\nc:\\down\\notzip.zip"},
        {{"a.zip", "empty.zip", "z.zip"}, ""},
    };
    for (const auto& c : cases) {
        ui.desktop.boxes.clear();
        std::filesystem::remove_all(drive.host("c:\\Quil001"));
        install(c.names);
        EXPECT_EQ(boxTexts(), c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
        EXPECT_TRUE(drive.exists("c:\\Quil001\\a.zip.txt"));
        EXPECT_EQ(drive.exists("c:\\Quil001\\z.zip.txt"), c.message.empty());
        returnedToTheZipList("c:\\down");
    }
}

TEST_F(InstallTest, EscapeDuringTheThirdOfFiveStopsWithoutAnOffer) {
    std::vector<std::string> names;
    for (char c = 'a'; c <= 'e'; ++c) {
        names.push_back(std::string(1, c) + ".zip");
        makeZip(names.back(), {file("setup.exe", "MZ")});
    }
    ui.desktop.onDoEvents = [&] {
        if (ui.panel2.caption() == " c.zip    3 of 5") ui.form.keyDown(keys::Escape);
    };
    install(names);
    EXPECT_TRUE(drive.exists("c:\\Quil001\\b.zip.txt"));
    EXPECT_FALSE(drive.exists("c:\\Quil001\\d.zip.txt"));
    EXPECT_FALSE(drive.exists("c:\\Quil001\\e.zip.txt"));
    EXPECT_TRUE(ui.desktop.boxes.empty());
    returnedToTheZipList();
}

TEST_F(InstallTest, RefusalsMakeNoFolder) {
    makeZip("a.zip");
    drive.fs().freeBytes['c'] = static_cast<std::int64_t>(*drive.fs().fileLength("c:\\Down\\a.zip")) - 1;
    install({"a.zip"});
    drive.fs().freeBytes.clear();
    drive.writeFile("c:\\Down\\tool.arj");
    ui.tree.userSelects("c:\\Down");
    ui.toolbar.click(3);
    ui.list.click("tool.arj");
    ui.menus.setEnabled("install", true);  // the list enables nothing for ARJ archives
    ui.menus.choose("install");
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{"Not enough free space on c drive to install",
                                                 "Quillet32 doesn't install directly from Arj's at this time"}));
    EXPECT_FALSE(drive.exists("c:\\Quil001"));
    returnedToTheZipList();

    ui.toolbar.click(1);
    ui.menus.setEnabled("install", true);  // nothing selected: nothing to extract
    ui.menus.choose("install");
    EXPECT_EQ(ui.panel3.caption(), "To: c:\\Quil001");
    EXPECT_FALSE(drive.exists("c:\\Quil001"));
    EXPECT_EQ(ui.desktop.boxes.size(), 2u);
    returnedToTheZipList();
}

TEST_F(InstallTest, ADriveRootOrADropWorksAsWell) {
    zip::test::writeZip(drive.host("c:\\first.zip"), {file("first.txt", "1")});
    zip::test::writeBytes(drive.host("c:\\tool.zip"), "PK\x05\x06 broken");
    makeZip("a.zip");
    makeZip("b.zip");
    install({"first.zip", "tool.zip"}, "c:\\");
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Zip structure error - # 110\nc:\\tool.zip"});
    returnedToTheZipList("c:\\");

    ui.form.drop({"c:\\Down\\a.zip", "c:\\Down\\b.zip"});
    EXPECT_TRUE(drive.exists("c:\\Quil002\\a.zip.txt"));
    EXPECT_TRUE(drive.exists("c:\\Quil002\\b.zip.txt"));
    returnedToTheZipList();
}

}  // namespace
}  // namespace q32::test
