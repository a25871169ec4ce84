// The stand-in outside programs on the real RAR and ARJ samples, run as the
// program runs them: virtual paths, unquoted command lines.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/host/command_line.h"
#include "support/run_tool.h"
#include "support/test_drive.h"

namespace q32::test {
namespace {

namespace fs = std::filesystem;

const std::string kBin = Q32_BIN_DIR;
const std::string kSamples = Q32_SAMPLES_DIR;

class StandinTest : public ::testing::Test {
protected:
    StandinTest() {
        drive.makeFolder("c:\\Quil001");
        drive.makeFolder("c:\\My Down");
        for (const char* kind : {"rar", "arj", "ace"}) {
            for (const auto& sample : fs::directory_iterator(kSamples + "/" + kind)) {
                const fs::path target = drive.host("c:\\My Down") + "/" + sample.path().filename().string();
                fs::copy_file(sample.path(), target);
                fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
            }
        }
    }
    // The command line as the program builds it, split at blanks as the
    // program's runner splits it.
    ToolResult run(const std::string& tool, const std::string& arguments) {
        return runTool(kBin + "/" + tool, host::splitCommandLine(arguments), environment());
    }
    std::map<std::string, std::string> environment() {
        return {{"QUILLET32_DRIVES", "c=" + drive.root() + "/c;d=" + drive.root() + "/d"},
                {"QUILLET32_NO_ERROR_WINDOW", "1"}};
    }
    std::vector<std::string> extracted(const std::string& folder = "c:\\Quil001") {
        return manifestOf(drive.host(folder));
    }
    std::vector<std::string> manifest(const std::string& name) { return readManifest(kSamples + "/" + name); }
    std::vector<std::string> leftovers(const std::string& folder = "c:\\Quil001") {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(drive.host(folder))) names.push_back(entry.path().filename());
        return names;
    }

    TestDrive drive;
};

TEST_F(StandinTest, WrarExtractsAnOldStyleVolumeSet) {
    const ToolResult result = run("wrar.exe", "x -o+ -y c:\\My Down\\Rar2.multi.rar c:\\Quil001");
    EXPECT_EQ(result.exitCode, 0) << result.errorText;
    EXPECT_EQ(extracted(), manifest("Rar2.multi.manifest"));
}

TEST_F(StandinTest, WrarExtractsASingleArchiveAndOverwrites) {
    drive.writeFile("c:\\Quil001\\exe\\test.exe", "old content");
    const ToolResult result = run("wrar.exe", "x -o+ -y C:\\MY DOWN\\rar.RAR c:\\quil001");
    EXPECT_EQ(result.exitCode, 0) << result.errorText;
    EXPECT_EQ(extracted(), manifest("Rar.manifest"));
    EXPECT_TRUE(fs::is_directory(drive.host("c:\\Quil001\\Empty")));
}

TEST_F(StandinTest, WarjRunsOncePerVolumeInSetOrder) {
    for (const char* volume : {"arj", "a01", "a02", "a03", "a04", "a05"}) {
        const ToolResult result = run("warj.pif", std::string("x -y c:\\My Down\\Arj.store.split.") + volume + " c:\\Quil001");
        EXPECT_EQ(result.exitCode, 0) << volume << ": " << result.errorText;
    }
    EXPECT_EQ(extracted(), manifest("Arj.store.split.manifest"));
}

TEST_F(StandinTest, WarjExtractsAMethodOneArchive) {
    const ToolResult result = run("warj.pif", "x -y c:\\My Down\\Arj.method1.arj c:\\Quil001");
    EXPECT_EQ(result.exitCode, 0) << result.errorText;
    EXPECT_EQ(extracted(), manifest("Arj.method1.manifest"));
}

TEST_F(StandinTest, WarjFollowsVolumesWhateverTheirLetterCase) {
    drive.makeFolder("c:\\Mixed");
    const std::string from = drive.host("c:\\My Down") + "/Arj.store.split.";
    const std::string to = drive.host("c:\\Mixed") + "/SETUP.";
    fs::copy_file(from + "arj", to + "ARJ");
    for (const char* volume : {"a01", "a02", "a03", "a04", "a05"}) fs::copy_file(from + volume, drive.host("c:\\Mixed") + "/setup." + volume);
    EXPECT_EQ(run("warj.pif", "x -y c:\\Mixed\\SETUP.ARJ c:\\Quil001").exitCode, 0);
    EXPECT_EQ(extracted(), manifest("Arj.store.split.manifest"));
}

TEST_F(StandinTest, ADamagedArchiveFailsAndClaimsNothing) {
    const std::string path = drive.host("c:\\My Down\\Rar.rar");
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(5000);
    file.put('\xAA').put('\x55').put('\xAA');
    file.close();
    const ToolResult rar = run("wrar.exe", "x -o+ -y c:\\My Down\\Rar.rar c:\\Quil001");
    EXPECT_NE(rar.exitCode, 0);
    EXPECT_NE(rar.errorText.find("wrar.exe: "), std::string::npos);
    EXPECT_TRUE(leftovers().empty());

    fs::resize_file(drive.host("c:\\My Down\\Arj.method1.arj"), 30000);
    const ToolResult arj = run("warj.pif", "x -y c:\\My Down\\Arj.method1.arj c:\\Quil001");
    EXPECT_NE(arj.exitCode, 0);
    EXPECT_FALSE(arj.errorText.empty());
    EXPECT_TRUE(leftovers().empty());
}

TEST_F(StandinTest, AnIncompleteArjSetLeavesNoHalfFile) {
    fs::remove(drive.host("c:\\My Down\\Arj.store.split.a03"));
    const ToolResult result = run("warj.pif", "x -y c:\\My Down\\Arj.store.split.arj c:\\Quil001");
    EXPECT_NE(result.exitCode, 0);
    EXPECT_NE(result.errorText.find("The volume Arj.store.split.a03 is missing"), std::string::npos) << result.errorText;
    EXPECT_TRUE(leftovers().empty());
}

TEST_F(StandinTest, MissingArchiveOrBadCommandLineFail) {
    EXPECT_NE(run("wrar.exe", "x -o+ -y c:\\My Down\\none.rar c:\\Quil001").exitCode, 0);
    EXPECT_NE(run("wrar.exe", "x").exitCode, 0);
    EXPECT_NE(run("warj.pif", "x -y q:\\x.arj c:\\Quil001").exitCode, 0);
    EXPECT_TRUE(leftovers().empty());
}

TEST_F(StandinTest, AceAndWaceExtractArchivesAndVolumeSets) {
    ToolResult result = run("ace.pif", "x -y c:\\My Down\\Ace.method1.ace c:\\Quil001");
    EXPECT_EQ(result.exitCode, 0) << result.errorText;
    EXPECT_EQ(extracted(), manifest("Ace.method1.manifest"));

    drive.makeFolder("c:\\Quil002");
    result = run("wace.pif", "x -y c:\\MY DOWN\\ace.store.split.ACE c:\\Quil002");
    EXPECT_EQ(result.exitCode, 0) << result.errorText;
    EXPECT_EQ(extracted("c:\\Quil002"), manifest("Ace.store.split.manifest"));

    drive.makeFolder("c:\\Quil003");
    EXPECT_EQ(run("ace.pif", "x -y c:\\My Down\\Ace.store.ace c:\\Quil003").exitCode, 0);
    EXPECT_EQ(extracted("c:\\Quil003"), manifest("Ace.store.manifest"));
}

TEST_F(StandinTest, AceTwoArchivesAndMissingVolumesFailCleanly) {
    const ToolResult method2 = run("ace.pif", "x -y c:\\My Down\\Ace.method2.ace c:\\Quil001");
    EXPECT_NE(method2.exitCode, 0);
    EXPECT_NE(method2.errorText.find("ace.pif: "), std::string::npos);
    EXPECT_TRUE(leftovers().empty());

    fs::remove(drive.host("c:\\My Down\\Ace.store.split.c00"));
    const ToolResult split = run("wace.pif", "x -y c:\\My Down\\Ace.store.split.ace c:\\Quil001");
    EXPECT_NE(split.exitCode, 0);
    EXPECT_TRUE(leftovers().empty());
}

// A link already in the destination where the archive has a folder: the
// extractor stops with an error and writes nothing where the link points.
TEST_F(StandinTest, ExtractorsNeverWriteThroughALinkInTheDestination) {
    const struct {
        const char* tool;
        const char* archive;
        const char* folder;
    } cases[] = {
        {"wrar.exe", "x -o+ -y c:\\My Down\\Rar.rar", "exe"},
        {"warj.pif", "x -y c:\\My Down\\Arj.method1.arj", "EXE"},
        {"ace.pif", "x -y c:\\My Down\\Ace.store.ace", "exe"},
        {"wace.pif", "x -y c:\\My Down\\Ace.method1.ace", "exe"},
    };
    drive.makeFolder("c:\\Elsewhere");
    for (const auto& c : cases) {
        fs::remove_all(drive.host("c:\\Quil001"));
        drive.makeFolder("c:\\Quil001");
        fs::create_directory_symlink(drive.host("c:\\Elsewhere"), drive.host("c:\\Quil001") + "/" + c.folder);
        const ToolResult result = run(c.tool, std::string(c.archive) + " c:\\Quil001");
        EXPECT_EQ(result.exitCode, 1) << c.tool;
        EXPECT_NE(result.errorText.find("is a link or not a folder"), std::string::npos) << c.tool << result.errorText;
        EXPECT_TRUE(fs::is_empty(drive.host("c:\\Elsewhere"))) << c.tool;
    }
}

// A name part too long for the host is a path that does not exist, not a crash.
TEST_F(StandinTest, OverlongPathsFailCleanly) {
    const std::string longName(300, 'a');
    for (const std::string& arguments : {"x -y c:\\" + longName + "\\x.arj c:\\Quil001",
                                         "x -y c:\\My Down\\Arj.method1.arj c:\\Quil001\\" + longName}) {
        const ToolResult result = run("warj.pif", arguments);
        EXPECT_EQ(result.exitCode, 1) << result.errorText;
        EXPECT_NE(result.errorText.find("warj.pif: "), std::string::npos);
    }
    EXPECT_TRUE(leftovers().empty());
}

TEST_F(StandinTest, KilldRemovesAScratchFolderButNeverADriveRoot) {
    drive.writeFile("c:\\Quil002\\sub\\file.txt");
    EXPECT_EQ(run("killd.pif", "c:\\Quil002").exitCode, 0);
    EXPECT_FALSE(drive.exists("c:\\Quil002"));

    const ToolResult root = run("killd.pif", "c:\\");
    EXPECT_NE(root.exitCode, 0);
    EXPECT_NE(run("killd.pif", "d:").exitCode, 0);
    EXPECT_TRUE(drive.exists("c:\\My Down\\Rar.rar"));
    drive.writeFile("c:\\plain.txt");
    EXPECT_NE(run("killd.pif", "c:\\plain.txt").exitCode, 0);
    EXPECT_TRUE(drive.exists("c:\\plain.txt"));
}

TEST_F(StandinTest, KilldTakesAFolderWithSpacesWhole) {
    drive.makeFolder("c:\\Quil 003");
    drive.makeFolder("c:\\Quil");
    EXPECT_EQ(run("killd.pif", "c:\\Quil 003").exitCode, 0);
    EXPECT_FALSE(drive.exists("c:\\Quil 003"));
    EXPECT_TRUE(drive.exists("c:\\Quil"));
}

}  // namespace
}  // namespace q32::test
