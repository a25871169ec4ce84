// Volume sets installed with the real archiver stand-ins and the real
// samples: straight from the RAR and ACE views, and found among the files
// that ZIP archives brought.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/text.h"
#include "support/run_tool.h"
#include "support/test_drive.h"
#include "zip_fixtures.h"

namespace q32::test {
namespace {

namespace fs = std::filesystem;

const std::string kSamples = Q32_SAMPLES_DIR;

std::string sample(const std::string& name) {
    const std::string kind = lower(name.substr(0, 3));
    return zip::test::readBytes(kSamples + "/" + kind + "/" + name);
}

std::vector<std::string> volumesOf(const std::string& stem, std::initializer_list<const char*> extensions) {
    std::vector<std::string> names;
    for (const char* extension : extensions) names.push_back(stem + "." + extension);
    return names;
}

const std::vector<std::string> kRarSet = volumesOf("Rar2.multi", {"rar", "r00", "r01", "r02", "r03", "r04", "r05"});
const std::vector<std::string> kArjSet = volumesOf("Arj.store.split", {"arj", "a01", "a02", "a03", "a04", "a05"});
const std::vector<std::string> kAceSet = volumesOf("Ace.store.split", {"ace", "c00"});

class VolumeSetsTest : public ProgramTest {
protected:
    VolumeSetsTest() {
        drive.makeFolder("c:\\Down");
        program.window.Form_Load();
    }
    void copySamples(const std::vector<std::string>& names, const std::string& folder = "c:\\Down") {
        for (const std::string& name : names) drive.writeFile(joinPath(folder, name), sample(name));
    }
    // A ZIP archive in c:\Down holding the named samples and, when given, a description.
    void zipSamples(const std::string& archive, const std::vector<std::string>& names, const std::string& diz = "") {
        std::vector<zip::test::MemberSpec> members;
        for (const std::string& name : names) members.push_back(zip::test::file(name, sample(name)));
        if (!diz.empty()) members.push_back(zip::test::file("file_id.diz", diz));
        zip::test::writeZip(drive.host("c:\\Down\\" + archive), members);
    }
    // The user shows the folder in the kind's view, selects the files and presses Tab.
    void install(int kindButton, const std::vector<std::string>& names, const std::string& folder = "c:\\Down") {
        ui.tree.userSelects(folder);
        ui.toolbar.click(kindButton);
        for (std::size_t i = 0; i < names.size(); ++i) ui.list.click(names[i], i > 0);
        ui.form.keyPress(keys::Tab);
    }
    std::vector<std::string> extracted(const std::string& folder) { return manifestOf(drive.host(folder)); }
    std::vector<std::string> manifest(const std::string& name) { return readManifest(kSamples + "/" + name); }
};

TEST_F(VolumeSetsTest, RarAndAceSetsInstallFromTheirViews) {
    drive.makeFolder("c:\\Quil001");
    drive.makeFolder("c:\\Quil002");
    copySamples(kRarSet);
    copySamples(kAceSet, "d:\\");
    install(2, {"Rar2.multi.rar"});
    install(4, {"Ace.store.split.ace"}, "d:\\");

    const std::vector<std::string> lines = {"wrar.exe x -o+ -y c:\\Down\\Rar2.multi.rar c:\\Quil003",
                                            "ace.pif x -y d:\\Ace.store.split.ace c:\\Quil004"};
    EXPECT_EQ(ui.processes.waited, lines);
    EXPECT_EQ(extracted("c:\\Quil003"), manifest("Rar2.multi.manifest"));
    EXPECT_EQ(extracted("c:\\Quil004"), manifest("Ace.store.split.manifest"));
    EXPECT_EQ(ui.panel3.caption(), "Installed to: c:\\Quil004");
    EXPECT_EQ(ui.panel2.caption(), "*.ace");
    EXPECT_TRUE(boxTexts().empty());
    // Back in the folder it started from, nothing selected, commands waiting.
    EXPECT_EQ(ui.tree.path(), "d:\\");
    EXPECT_TRUE(ui.list.selectedItems().empty());
    EXPECT_EQ(ui.form.windowState(), WindowState::Normal);
    for (int b : {7, 9, 10}) EXPECT_FALSE(ui.toolbar.isEnabled(b)) << b;
    EXPECT_FALSE(ui.form.busy());
}

TEST_F(VolumeSetsTest, TheViewsRefuseWhatIsNotASet) {
    drive.writeFile("c:\\Down\\notes.r00", "text");
    drive.writeFile("c:\\Down\\clip.cab", "text");
    drive.writeFile("c:\\Zips\\a.zip", "PK");
    install(2, {"notes.r00"});
    install(4, {"clip.cab"});
    ui.tree.userSelects("c:\\Zips");
    ui.toolbar.click(2);
    program.window.install_Click();  // nothing listed: the installer ends quietly
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{"Thats not a valid .Rar file", "Thats not a valid .Ace file"}));
    EXPECT_FALSE(drive.exists("c:\\Quil001"));
    EXPECT_TRUE(ui.processes.waited.empty());
    EXPECT_EQ(ui.tree.path(), "c:\\Zips");
}

TEST_F(VolumeSetsTest, AFailingArchiverIsNotReportedAsAnInstall) {
    copySamples({"Ace.method2.ace"});
    install(4, {"Ace.method2.ace"});
    EXPECT_EQ(ui.processes.waited, std::vector<std::string>{"ace.pif x -y c:\\Down\\Ace.method2.ace c:\\Quil001"});
    EXPECT_EQ(ui.panel3.caption(), "Not installed: c:\\Quil001");
}

// A set spread over two ZIP archives lands in the next scratch folder with
// the first archive's description; the install folder goes.
TEST_F(VolumeSetsTest, ASetInsideZipArchivesIsExtractedInTurn) {
    zipSamples("disk1.zip", {kRarSet.begin(), kRarSet.begin() + 4}, "Game v1.0");
    zipSamples("disk2.zip", {kRarSet.begin() + 4, kRarSet.end()});
    install(1, {"disk1.zip", "disk2.zip"});

    const std::vector<std::string> lines = {"wrar.exe x -o+ -y c:\\Quil001\\Rar2.multi.rar c:\\Quil002",
                                            "killd.pif c:\\Quil001"};
    EXPECT_EQ(ui.processes.waited, lines);
    EXPECT_EQ(drive.readFile("c:\\Quil002\\file_id.diz"), "Game v1.0");
    fs::remove(drive.host("c:\\Quil002\\file_id.diz"));
    EXPECT_EQ(extracted("c:\\Quil002"), manifest("Rar2.multi.manifest"));
    EXPECT_FALSE(drive.exists("c:\\Quil001"));
    EXPECT_EQ(ui.panel3.caption(), "Installed to: c:\\Quil002");
    EXPECT_EQ(ui.tree.path(), "c:\\Down");
    EXPECT_TRUE(ui.toolbar.isDown(1));
    EXPECT_TRUE(boxTexts().empty());
}

TEST_F(VolumeSetsTest, EachKindIsLookedForInTurnAndTheFirstFoundIsInstalled) {
    struct Case {
        const char* what;
        std::vector<std::string> volumes;
        std::vector<std::string> commands;  // after the install folder's "c:\Quil001\"
        const char* manifest;
    };
    std::vector<std::string> rarAndArj = kRarSet;
    rarAndArj.insert(rarAndArj.end(), kArjSet.begin(), kArjSet.end());
    std::vector<std::string> arjRuns;
    for (const std::string& volume : kArjSet) arjRuns.push_back("warj.pif x -y c:\\Quil001\\" + volume + " c:\\Quil002");
    const Case cases[] = {
        {"ARJ, one run per volume", kArjSet, arjRuns, "Arj.store.split.manifest"},
        {"ACE", kAceSet, {"wace.pif x -y c:\\Quil001\\Ace.store.split.ace c:\\Quil002"}, "Ace.store.split.manifest"},
        {"RAR before ARJ", rarAndArj, {"wrar.exe x -o+ -y c:\\Quil001\\Rar2.multi.rar c:\\Quil002"},
         "Rar2.multi.manifest"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(drive.host("c:\\Quil002"));
        ui.processes.waited.clear();
        zipSamples("set.zip", c.volumes);
        install(1, {"set.zip"});
        std::vector<std::string> expected = c.commands;
        expected.push_back("killd.pif c:\\Quil001");
        EXPECT_EQ(ui.processes.waited, expected);
        EXPECT_EQ(extracted("c:\\Quil002"), manifest(c.manifest));
        EXPECT_FALSE(drive.exists("c:\\Quil001"));
    }
}

// A volume missing: the archiver says why, and what the ZIP archives brought
// is kept. Without any volume nothing more happens.
TEST_F(VolumeSetsTest, AnIncompleteSetKeepsTheInstallFolderAndNoSetLeavesItAlone) {
    std::vector<std::string> incomplete = kRarSet;
    incomplete.erase(incomplete.begin() + 3);
    zipSamples("broken.zip", incomplete);
    install(1, {"broken.zip"});
    EXPECT_EQ(ui.processes.waited, std::vector<std::string>{"wrar.exe x -o+ -y c:\\Quil001\\Rar2.multi.rar c:\\Quil002"});
    EXPECT_TRUE(drive.exists("c:\\Quil001\\Rar2.multi.r05"));
    EXPECT_EQ(ui.panel3.caption(), "Not installed: c:\\Quil002");
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"The volume set Rar2.multi.rar could not be extracted to c:\\Quil002.\n"
                                                 "The files extracted from the ZIP archives are kept in c:\\Quil001."});

    ui.processes.waited.clear();
    zip::test::writeZip(drive.host("c:\\Down\\none.zip"), {zip::test::file("readme.txt", "hello")});
    install(1, {"none.zip"});
    EXPECT_TRUE(ui.processes.waited.empty());
    EXPECT_TRUE(drive.exists("c:\\Quil003\\readme.txt"));
    EXPECT_FALSE(drive.exists("c:\\Quil004"));
    EXPECT_EQ(ui.panel3.caption(), "To: c:\\Quil003");
}

}  // namespace
}  // namespace q32::test
