// The install command through the main window, with archives the test makes
// and the real samples: what lands in the scratch folders, the volume sets
// the archiver stand-ins extract, what the user is told, and the list the
// window returns to. Also the scratch folders, the space check and the
// drive picker on their own.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/text.h"
#include "support/program_test.h"
#include "zip_fixtures.h"

namespace q32::test {
namespace {

namespace fs = std::filesystem;
using zip::test::file;

const std::string kSamples = Q32_SAMPLES_DIR;

std::string sample(const std::string& name) {
    return zip::test::readBytes(kSamples + "/" + lower(name.substr(0, 3)) + "/" + name);
}

std::vector<std::string> volumesOf(const std::string& stem, std::initializer_list<const char*> extensions) {
    std::vector<std::string> names;
    for (const char* extension : extensions) names.push_back(stem + "." + extension);
    return names;
}

const std::vector<std::string> kRarSet = volumesOf("Rar2.multi", {"rar", "r00", "r01", "r02", "r03", "r04", "r05"});
const std::vector<std::string> kArjSet = volumesOf("Arj.store.split", {"arj", "a01", "a02", "a03", "a04", "a05"});
const std::vector<std::string> kAceSet = volumesOf("Ace.store.split", {"ace", "c00"});
// The RAR set's run after the ZIP archives brought it.
const std::string kRarRun = "wrar.exe x -o+ -y c:\\Quil001\\Rar2.multi.rar c:\\Quil002";

class InstallTest : public ProgramTest {
protected:
    InstallTest() {
        drive.makeFolder("c:\\Down");
        window.Form_Load();
    }
    // An archive of `name` in c:\Down holding a file of the same stem, then
    // `extra`; the result is the bytes packed.
    std::string makeZip(const std::string& name, std::vector<zip::test::MemberSpec> extra = {}) {
        const std::string text = zip::test::sampleText(40000, static_cast<unsigned>(name.size()));
        extra.insert(extra.begin(), file(name + ".txt", text));
        zip::test::writeZip(drive.host("c:\\Down\\" + name), extra);
        return text;
    }
    // The user shows the kind's view of the folder, selects the files and presses Tab.
    void install(const std::vector<std::string>& names, const std::string& folder = "c:\\Down", int kindButton = 1) {
        ui.toolbar.click(kindButton);
        select(folder, names);
        ui.form.keyPress(keys::Tab);
    }
    void returnedToTheZipList(const std::string& folder = "c:\\Down") {
        expectZipListOf(folder);
        EXPECT_TRUE(ui.list.selectedItems().empty());
        expectSelectionCommandsDisabled();
        EXPECT_FALSE(drive.fs().firstFile("c:\\Quillet32\\*.nfo"));
    }

    MainWindow& window = program.window;
};

// The tests that install the real RAR, ARJ and ACE samples: skipped where
// the samples do not lie beside the checkout.
class InstallSampleTest : public InstallTest {
protected:
    void SetUp() override {
        if (!fs::exists(kSamples)) GTEST_SKIP() << "no samples in " << kSamples;
    }
};

TEST_F(InstallTest, NextScratchFolderSkipsWhatExistsAndGrowsPast999) {
    EXPECT_EQ(window.NextScratchFolder('c', 1), (ScratchFolder{"c:\\Quil001", 1}));
    drive.makeFolder("c:\\Quil001");
    drive.makeFolder("c:\\quil002");  // names compare without regard to case
    EXPECT_EQ(window.NextScratchFolder('c', 1), (ScratchFolder{"c:\\Quil003", 3}));
    drive.writeFile("c:\\Quil003");  // a plain file blocks the name as well
    EXPECT_EQ(window.NextScratchFolder('c', 1), (ScratchFolder{"c:\\Quil004", 4}));
    EXPECT_FALSE(drive.exists("c:\\Quil004"));  // naming makes nothing
    fs::create_symlink(drive.root() + "/nowhere", drive.host("c:\\") + "/Quil004");  // nor does a dangling link
    EXPECT_EQ(window.NextScratchFolder('c', 1), (ScratchFolder{"c:\\Quil005", 5}));
    EXPECT_EQ(window.NextScratchFolder('d', 42), (ScratchFolder{"d:\\Quil042", 42}));
    drive.makeFolder("d:\\Quil999");
    EXPECT_EQ(window.NextScratchFolder('d', 999), (ScratchFolder{"d:\\Quil1000", 1000}));
}

// A folder and archives named outside ASCII, and member names stored in
// code page 437: installed and tested like any other, names right on disk.
TEST_F(InstallTest, NamesOutsideAsciiAreInstalledAndTested) {
    drive.makeFolder("c:\\\u00C4rger");
    zip::test::writeZip(drive.host("c:\\\u00C4rger") + "/T\u00E4st.zip", {file("\x8ERGER.TXT", "dos name")});
    zip::test::writeBytes(drive.host("c:\\\u00C4rger") + "/b\u00F6se.zip", "not an archive");
    install({"T\u00E4st.zip"}, "c:\\\u00C4rger");
    EXPECT_EQ(drive.readFile("c:\\Quil001\\\u00C4RGER.TXT"), "dos name");
    returnedToTheZipList("c:\\\u00C4rger");
    select("c:\\\u00C4rger", {"b\u00F6se.zip"});
    ui.form.keyPress(keys::CtrlT);
    EXPECT_EQ(drive.readFile("c:\\Quillet32\\errors.txt"), "# 110 - c:\\\u00C4rger\\b\u00F6se.zip\r\n");
    EXPECT_TRUE(drive.exists("c:\\\u00C4rger\\b\u00F6se.zip.bad"));
}

// Exactly enough is enough; a drive that cannot tell counts as a full one.
TEST_F(InstallTest, SpaceCheck) {
    drive.fs().freeBytes = {{'c', 1000}, {'d', std::nullopt}};
    EXPECT_TRUE(window.CheckInstallSpace('c', 1000));
    EXPECT_TRUE(window.CheckInstallSpace('d', 0));
    EXPECT_FALSE(window.CheckInstallSpace('c', 1001));
    EXPECT_FALSE(window.CheckInstallSpace('d', 1));
    ASSERT_EQ(boxTexts().size(), 2u);
    EXPECT_EQ(ui.desktop.boxes[0], (MessageBoxRecord{"Not enough free space on c drive to install", "Quillet32 Error",
                                                     MsgIcon::Exclamation, MsgButtons::Ok}));
    EXPECT_EQ(ui.desktop.boxes[1].text, "Not enough free space on d drive to install");
}

// A drive that is not there, or no path at all, is refused like a full one.
TEST_F(InstallTest, PickerAllowsOkFromHalfAMillionBytes) {
    const std::string refused = "Not a valid path or not enough free space";
    const struct {
        std::int64_t freeBytes;
        const char* path;
        bool ok;
        std::string status;
    } cases[] = {
        {499999, "d:\\games", false, refused},
        {500000, "d:\\games", true, "500,000 Free space"},
        {1234567890123, "d:\\", true, "1,234,567,890,123 Free space"},
        {1234567890123, "", false, refused},
        {1234567890123, "q:\\", false, refused},
    };
    for (const auto& c : cases) {
        drive.fs().freeBytes['d'] = c.freeBytes;
        window.BrowseDialog1_SelectionChanged(c.path);
        EXPECT_EQ(ui.picker.okAllowed, c.ok) << c.path;
        EXPECT_EQ(ui.picker.statusText, c.status) << c.path;
    }
}

TEST_F(InstallTest, ArchivesLandByteForByteInTheFirstFreeScratchFolder) {
    const std::string a = makeZip("a.zip", {file("docs/x.nfo", "nfo"), file("file_id.diz", "A")});
    const std::string b = makeZip("B.zip");
    install({"a.zip", "B.zip"});
    EXPECT_EQ(drive.readFile("c:\\Quil001\\a.zip.txt"), a);
    EXPECT_EQ(drive.readFile("c:\\Quil001\\B.zip.txt"), b);
    EXPECT_EQ(drive.readFile("c:\\Quil001\\docs\\x.nfo"), "nfo");
    EXPECT_EQ(ui.panel3.caption(), "To: c:\\Quil001");
    EXPECT_TRUE(ui.desktop.boxes.empty());  // no setup.exe, no question
    EXPECT_TRUE(ui.processes.waited.empty());  // no volume set, no archiver and no second folder
    EXPECT_FALSE(drive.exists("c:\\Quil002"));
    returnedToTheZipList();
}

// The setup program is started, with word of it in panel 3, when this
// machine can run its kind; otherwise, or when it fails at once, a box says
// why, what to install, and where the setup program lies.
TEST_F(InstallTest, SetupIsOfferedAndStartedOrTheUserLearnsWhyNot) {
    makeZip("tool.zip", {file("SETUP.EXE", "MZ")});
    const std::string path = "c:\\Quil001\\setup.exe";
    const struct {
        StartCheck check;
        int startCode;
        std::string box;  // "" for none; else a part of its text
    } cases[] = {
        {{ProgramKind::Windows32, StartProblem::None}, kStarted, ""},
        {{ProgramKind::Windows64, StartProblem::NeedsWine}, kStarted, "    sudo apt install wine wine64\n"},
        {{ProgramKind::Windows32, StartProblem::NeedsWine}, kStarted, "    sudo apt install wine wine64 wine32:i386\n"},
        {{ProgramKind::Windows16, StartProblem::NeedsWine32},
         kStarted,
         "Setup.exe is a 16-bit Windows program. Wine here runs 64-bit programs only. Add its 32-bit part once "
         "with\n\n    sudo dpkg --add-architecture i386\n    sudo apt update\n    sudo apt install wine32:i386\n\n"
         "then start c:\\Quil001\\setup.exe again."},
        {{ProgramKind::Dos, StartProblem::NeedsDosBox}, kStarted, "    sudo apt install dosbox\n"},
        {{ProgramKind::NotAProgram, StartProblem::NotAProgram}, kStarted, "not a DOS or Windows program"},
        {{ProgramKind::Windows64, StartProblem::None}, 1, "Setup.exe ended at once, with the code 1.\n" + path},
        {{ProgramKind::Windows64, StartProblem::None}, kNotStarted, "Setup.exe could not be started.\n" + path},
    };
    std::string captionWhileStarting;
    ui.processes.onStart = [&] { captionWhileStarting = ui.panel3.caption(); };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box);
        ui.processes.startCheck = c.check;
        ui.processes.startCode = c.startCode;
        ui.processes.started.clear();
        ui.desktop.boxes.clear();
        fs::remove_all(drive.host("c:\\Quil001"));
        install({"tool.zip"});
        ASSERT_GE(ui.desktop.boxes.size(), 1u);
        EXPECT_EQ(ui.desktop.boxes[0],
                  (MessageBoxRecord{"   Run Setup.exe?   ", "Found setup", MsgIcon::Question, MsgButtons::YesNo}));
        EXPECT_EQ(ui.panel3.caption(), "Found c:\\Quil001\\Setup.exe");
        const bool startable = c.check.problem == StartProblem::None;
        EXPECT_EQ(ui.processes.started.size(), startable ? 1u : 0u);
        if (startable) { EXPECT_EQ(captionWhileStarting, "Starting Setup.exe with Wine ..."); }
        ASSERT_EQ(ui.desktop.boxes.size(), c.box.empty() ? 1u : 2u);
        if (!c.box.empty()) {
            EXPECT_NE(ui.desktop.boxes[1].text.find(c.box), std::string::npos);
            EXPECT_NE(ui.desktop.boxes[1].text.find(path), std::string::npos);
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
    const std::string crc = drive.host("c:\\Down\\crc.zip");
    zip::test::writeZip(crc, {file("crc.zip.txt", std::string(5000, 'c'), 0)});
    zip::test::flipByte(crc, zip::test::memberDataOffset(crc, "crc.zip.txt") + 100);
    drive.writeFile("c:\\Down\\notzip.zip", std::string(200, 'x'));
    makeZip("z.zip");
    const struct {
        std::string name;
        std::string message;
    } cases[] = {
        {"crc.zip", "Zip CRC error - # 100\nc:\\down\\crc.zip"},
        {"notzip.zip", "Zip structure error - # 110\nc:\\down\\notzip.zip"},
        {"empty.zip", ""},
    };
    for (const auto& c : cases) {
        ui.desktop.boxes.clear();
        fs::remove_all(drive.host("c:\\Quil001"));
        install({"a.zip", c.name, "z.zip"});
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
    ui.toolbar.click(3);
    select("c:\\Down", {"tool.arj"});
    ui.menus.setEnabled("install", true);  // the list enables nothing for ARJ archives
    ui.menus.choose("install");
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{"Not enough free space on c drive to install",
                                                    "Quillet32 doesn't install directly from Arj's at this time"}));
    EXPECT_FALSE(drive.exists("c:\\Quil001"));
    returnedToTheZipList();

    ui.menus.setEnabled("install", true);  // nothing selected: nothing to extract
    ui.menus.choose("install");
    EXPECT_EQ(ui.panel3.caption(), "To: c:\\Quil001");
    EXPECT_FALSE(drive.exists("c:\\Quil001"));
    EXPECT_EQ(ui.desktop.boxes.size(), 2u);
    returnedToTheZipList();
}

// Installs from a drive root name their archives with one backslash.
TEST_F(InstallTest, ADriveRootAsTheSource) {
    zip::test::writeZip(drive.host("c:\\first.zip"), {file("first.txt", "1")});
    zip::test::writeBytes(drive.host("c:\\tool.zip"), "PK\x05\x06 broken");
    install({"first.zip", "tool.zip"}, "c:\\");
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Zip structure error - # 110\nc:\\tool.zip"});
    EXPECT_TRUE(drive.exists("c:\\Quil001\\first.txt"));
    returnedToTheZipList("c:\\");
}

TEST_F(InstallSampleTest, RarAndAceSetsInstallFromTheirViews) {
    for (const char* taken : {"c:\\Quil001", "c:\\Quil002"}) drive.makeFolder(taken);
    for (const std::string& name : kRarSet) drive.writeFile("c:\\Down\\" + name, sample(name));
    for (const std::string& name : kAceSet) drive.writeFile("d:\\" + name, sample(name));
    install({"Rar2.multi.rar"}, "c:\\Down", 2);
    install({"Ace.store.split.ace"}, "d:\\", 4);

    EXPECT_EQ(ui.processes.waited, (std::vector<std::string>{"wrar.exe x -o+ -y c:\\Down\\Rar2.multi.rar c:\\Quil003",
                                                             "ace.pif x -y d:\\Ace.store.split.ace c:\\Quil004"}));
    EXPECT_EQ(ui.panel3.caption(), "Installed to: c:\\Quil004");
    EXPECT_EQ(ui.panel2.caption(), "*.ace");
    EXPECT_TRUE(boxTexts().empty());
    // Back in the folder it started from, nothing selected, commands waiting.
    EXPECT_EQ(ui.tree.path(), "d:\\");
    EXPECT_TRUE(ui.list.selectedItems().empty());
    EXPECT_EQ(ui.form.windowState(), WindowState::Normal);
    expectSelectionCommandsDisabled();
    EXPECT_FALSE(ui.form.busy());
}

TEST_F(InstallSampleTest, TheSetViewsRefuseWhatIsNotASetAndAFailingArchiverIsNoInstall) {
    for (const char* path : {"c:\\Down\\notes.r00", "c:\\Down\\clip.cab", "c:\\Zips\\a.zip"}) drive.writeFile(path);
    install({"notes.r00"}, "c:\\Down", 2);
    install({"clip.cab"}, "c:\\Down", 4);
    ui.toolbar.click(2);
    ui.tree.userSelects("c:\\Zips");
    window.install_Click();  // nothing listed: the installer ends quietly
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{"Thats not a valid .Rar file", "Thats not a valid .Ace file"}));
    EXPECT_FALSE(drive.exists("c:\\Quil001"));
    EXPECT_TRUE(ui.processes.waited.empty());
    EXPECT_EQ(ui.tree.path(), "c:\\Zips");

    drive.writeFile("c:\\Down\\Ace.method2.ace", sample("Ace.method2.ace"));
    install({"Ace.method2.ace"}, "c:\\Down", 4);
    EXPECT_EQ(ui.processes.waited, std::vector<std::string>{"ace.pif x -y c:\\Down\\Ace.method2.ace c:\\Quil001"});
    EXPECT_EQ(ui.panel3.caption(), "Not installed: c:\\Quil001");
}

// A set spread over two ZIP archives lands in the next scratch folder with
// the first archive's description and nothing else; the install folder goes.
// The archiver is handed the set's name exactly, blanks and all.
TEST_F(InstallSampleTest, ASetInsideZipArchivesIsExtractedInTurn) {
    std::vector<zip::test::MemberSpec> disks[2];
    for (std::size_t i = 0; i < kRarSet.size(); ++i)
        disks[i < 4 ? 0 : 1].push_back(file("my  set" + kRarSet[i].substr(10), sample(kRarSet[i])));
    disks[0].push_back(file("file_id.diz", "Game v1.0"));
    zip::test::writeZip(drive.host("c:\\Down\\disk1.zip"), disks[0]);
    zip::test::writeZip(drive.host("c:\\Down\\disk2.zip"), disks[1]);
    install({"disk1.zip", "disk2.zip"});

    EXPECT_EQ(ui.processes.waited, (std::vector<std::string>{"wrar.exe x -o+ -y c:\\Quil001\\my  set.rar c:\\Quil002",
                                                             "killd.pif c:\\Quil001"}));
    EXPECT_EQ(drive.readFile("c:\\Quil002\\file_id.diz"), "Game v1.0");
    fs::remove(drive.host("c:\\Quil002\\file_id.diz"));
    EXPECT_EQ(manifestOf(drive.host("c:\\Quil002")), readManifest(kSamples + "/Rar2.multi.manifest"));
    EXPECT_FALSE(drive.exists("c:\\Quil001"));
    EXPECT_EQ(ui.panel3.caption(), "Installed to: c:\\Quil002");
    EXPECT_TRUE(boxTexts().empty());
    expectZipListOf("c:\\Down");
}

// The archivers' own output is checked with the stand-ins' tests; here the
// command lines, and that every run ended well. With a volume missing the
// archiver says why, and what the ZIP archives brought is kept.
TEST_F(InstallSampleTest, EachKindIsLookedForInTurnAndTheFirstFoundIsInstalled) {
    std::vector<std::string> rarAndArj = kRarSet;
    rarAndArj.insert(rarAndArj.end(), kArjSet.begin(), kArjSet.end());
    std::vector<std::string> incomplete = kRarSet;
    incomplete.erase(incomplete.begin() + 3);
    std::vector<std::string> arjIncomplete = kArjSet;
    arjIncomplete.erase(arjIncomplete.begin() + 2);
    const auto arjRuns = [](const std::vector<std::string>& volumes) {
        std::vector<std::string> runs;
        for (const std::string& volume : volumes)
            runs.push_back("warj.pif x -y c:\\Quil001\\" + volume + " c:\\Quil002");
        return runs;
    };
    const struct {
        const char* what;
        std::vector<std::string> volumes;
        std::vector<std::string> commands;  // before the install folder's removal
        bool installed;
    } cases[] = {
        {"ARJ, one run per volume", kArjSet, arjRuns(kArjSet), true},
        {"ACE", kAceSet, {"wace.pif x -y c:\\Quil001\\Ace.store.split.ace c:\\Quil002"}, true},
        {"RAR before ARJ", rarAndArj, {kRarRun}, true},
        // The later runs of a failed ARJ set end well: the first failure counts.
        {"ARJ without its second volume", arjIncomplete, arjRuns(arjIncomplete), false},
        {"RAR without its fourth volume", incomplete, {kRarRun}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const char* folder : {"c:\\Quil001", "c:\\Quil002"}) fs::remove_all(drive.host(folder));
        ui.processes.waited.clear();
        std::vector<zip::test::MemberSpec> members;
        for (const std::string& name : c.volumes) members.push_back(file(name, sample(name)));
        zip::test::writeZip(drive.host("c:\\Down\\set.zip"), members);
        install({"set.zip"});
        std::vector<std::string> expected = c.commands;
        if (c.installed) expected.push_back("killd.pif c:\\Quil001");
        EXPECT_EQ(ui.processes.waited, expected);
        EXPECT_EQ(ui.panel3.caption(), std::string(c.installed ? "Installed to" : "Not installed") + ": c:\\Quil002");
        EXPECT_EQ(drive.exists(c.installed ? "c:\\Quil001" : "c:\\Quil001\\" + c.volumes.back()), !c.installed);
    }
    const std::string kept =
        " could not be extracted to c:\\Quil002.\nThe files extracted from the ZIP archives are kept in c:\\Quil001.";
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{"The volume set Arj.store.split.arj" + kept,
                                                    "The volume set Rar2.multi.rar" + kept}));
}

}  // namespace
}  // namespace q32::test
