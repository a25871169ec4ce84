// The stand-in outside programs on the real RAR, ARJ and ACE samples, run as the
// program runs them: virtual paths, unquoted command lines.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ace_writer.h"
#include "exit_codes.h"
#include "platform/host/command_line.h"
#include "run_program.h"
#include "support/run_tool.h"
#include "support/test_drive.h"

namespace q32::test {
namespace {

namespace fs = std::filesystem;

const std::string kBin = Q32_BIN_DIR;
const std::string kSamples = Q32_SAMPLES_DIR;

using standin::ExitCode;
using standin::exitCodeOf;
using Environment = std::map<std::string, std::string>;

class StandinTest : public ::testing::Test {
protected:
    // The samples are copied for every test; without them the tests are skipped.
    void SetUp() override {
        if (!fs::exists(kSamples)) GTEST_SKIP() << "no samples in " << kSamples;
        for (const char* folder : {"c:\\Quil001", "c:\\My Down", "c:\\Mixed", "c:\\Elsewhere"})
            drive.makeFolder(folder);
        for (const char* kind : {"rar", "arj", "ace"}) {
            for (const auto& sample : fs::directory_iterator(kSamples + "/" + kind)) {
                const fs::path target = drive.host("c:\\My Down") + "/" + sample.path().filename().string();
                fs::copy_file(sample.path(), target);
                fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
            }
        }
    }
    // The command line as the program builds it, split at blanks: a folder
    // with a space arrives as two words, which the stand-ins join again.
    ToolResult run(const std::string& tool, const std::string& arguments,
                   Environment environment = {{"QUILLET32_NO_ERROR_WINDOW", "1"}}) {
        environment["QUILLET32_DRIVES"] = "c=" + drive.root() + "/c;d=" + drive.root() + "/d";
        return runTool(kBin + "/" + tool, CommandLine(arguments).words, environment);
    }
    bool nothingLeft() { return fs::is_empty(drive.host("c:\\Quil001")); }

    TestDrive drive;
};

// Each extractor on sound archives, the names written as a user's folder
// has them; a volume set is followed whatever the letter case of its volumes.
// A link already in the destination where the archive has a folder stops the
// extractor first, with nothing written where the link points.
// (The volume sets as the install runs them: tests/install/install_test.)
TEST_F(StandinTest, EachExtractorExtractsItsArchivesButNeverThroughALink) {
    const std::string from = drive.host("c:\\My Down") + "/Arj.store.split.";
    fs::copy_file(from + "arj", drive.host("c:\\Mixed") + "/SETUP.ARJ");
    for (const char* volume : {"a01", "a02", "a03", "a04", "a05"})
        fs::copy_file(from + volume, drive.host("c:\\Mixed") + "/setup." + volume);
    const struct {
        const char* tool;
        const char* arguments;
        const char* manifest;
        const char* linkedFolder;  // a folder of the archive, or null
    } cases[] = {
        {"wrar.exe", "x -o+ -y C:\\MY DOWN\\rar.RAR", "Rar.manifest", "exe"},
        {"warj.pif", "x -y c:\\My Down\\Arj.method1.arj", "Arj.method1.manifest", "EXE"},
        {"warj.pif", "x -y c:\\Mixed\\SETUP.ARJ", "Arj.store.split.manifest", nullptr},
        {"wace.pif", "x -y c:\\My Down\\Ace.method1.ace", "Ace.method1.manifest", "exe"},
        {"ace.pif", "x -y c:\\My Down\\Ace.store.ace", "Ace.store.manifest", "exe"},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        const std::string folder = "c:\\Quil00" + std::to_string(i + 1);
        const std::string arguments = std::string(c.arguments) + " c:\\quil00" + folder.back();
        drive.makeFolder(folder);
        if (c.linkedFolder) {
            const std::string link = drive.host(folder) + "/" + c.linkedFolder;
            fs::create_directory_symlink(drive.host("c:\\Elsewhere"), link);
            const ToolResult refused = run(c.tool, arguments);
            EXPECT_EQ(refused.exitCode, exitCodeOf(ExitCode::LinkInTheWay)) << c.tool;
            EXPECT_NE(refused.errorText.find("is a link or not a folder"), std::string::npos) << refused.errorText;
            EXPECT_TRUE(fs::is_empty(drive.host("c:\\Elsewhere"))) << c.tool;
            fs::remove(link);
        }
        if (i == 0) drive.writeFile(folder + "\\exe\\test.exe", "old content");  // overwritten
        const ToolResult result = run(c.tool, arguments);
        EXPECT_EQ(result.exitCode, 0) << c.arguments << ": " << result.errorText;
        EXPECT_EQ(manifestOf(drive.host(folder)), readManifest(kSamples + "/" + c.manifest)) << c.arguments;
    }
    EXPECT_TRUE(fs::is_directory(drive.host("c:\\Quil001\\Empty")));
}

// Damaged, incomplete or missing archives, ACE 2 archives, names too long for
// the host, bad command lines and a missing tool: the stand-in fails with the
// exit code of the cause, says why and leaves nothing.
TEST_F(StandinTest, FailuresSayWhyWithTheirExitCodeAndLeaveNothing) {
    std::string rar = readBytes(drive.host("c:\\My Down\\Rar.rar"));
    writeBytes(drive.host("c:\\My Down\\Rar.rar"), rar.replace(5000, 3, "\xAA\x55\xAA"));
    fs::resize_file(drive.host("c:\\My Down\\Arj.method1.arj"), 30000);
    fs::remove(drive.host("c:\\My Down\\Arj.store.split.a03"));
    fs::remove(drive.host("c:\\My Down\\Ace.store.split.c00"));
    const std::string longName(300, 'a');
    const Environment noTools{{"QUILLET32_NO_ERROR_WINDOW", "1"}, {"PATH", "/nonexistent"}};
    const struct {
        const char* tool;
        std::string arguments;
        ExitCode code;
        const char* told;
    } cases[] = {
        {"wrar.exe", "x -o+ -y c:\\My Down\\Rar.rar c:\\Quil001", ExitCode::ToolFailed, "Cannot extract"},
        {"warj.pif", "x -y c:\\My Down\\Arj.method1.arj c:\\Quil001", ExitCode::ToolFailed, "Cannot extract"},
        {"warj.pif", "x -y c:\\My Down\\Arj.store.split.arj c:\\Quil001", ExitCode::MissingVolume,
         "The volume Arj.store.split.a03 is missing"},
        {"ace.pif", "x -y c:\\My Down\\Ace.method2.ace c:\\Quil001", ExitCode::ToolFailed, "ACE 2.0 method"},
        {"wace.pif", "x -y c:\\My Down\\Ace.store.split.ace c:\\Quil001", ExitCode::MissingVolume,
         "Ace.store.split.c00, which is missing"},
        {"wrar.exe", "x -o+ -y c:\\My Down\\none.rar c:\\Quil001", ExitCode::CannotOpen, "Cannot open"},
        {"wrar.exe", "x", ExitCode::BadArguments, "Usage: wrar.exe x -o+ -y ARCHIVE DESTINATION"},
        {"warj.pif", "x -y q:\\x.arj c:\\Quil001", ExitCode::CannotOpen, "Cannot open"},
        {"warj.pif", "x -y c:\\" + longName + "\\x.arj c:\\Quil001", ExitCode::CannotOpen, "Cannot open"},
        {"warj.pif", "x -y c:\\My Down\\Arj.method1.arj c:\\Quil001\\" + longName, ExitCode::CannotWrite,
         "Cannot create the folder"},
    };
    for (const auto& c : cases) {
        const ToolResult result = run(c.tool, c.arguments);
        EXPECT_EQ(result.exitCode, exitCodeOf(c.code)) << c.arguments << ": " << result.errorText;
        EXPECT_TRUE(result.errorText.starts_with(std::string(c.tool) + ": ")) << result.errorText;
        EXPECT_NE(result.errorText.find(c.told), std::string::npos) << result.errorText;
        EXPECT_TRUE(nothingLeft()) << c.arguments;
    }
    for (const char* tool : {"wrar.exe", "warj.pif"}) {
        const ToolResult missing = run(tool, "x -y c:\\My Down\\Arj.method1.arj c:\\Quil001", noTools);
        EXPECT_EQ(missing.exitCode, exitCodeOf(ExitCode::ToolMissing)) << missing.errorText;
        EXPECT_NE(missing.errorText.find("is not installed"), std::string::npos) << missing.errorText;
    }
    EXPECT_TRUE(nothingLeft());
}

// A session without a display (its variables unset or empty, as some
// launchers leave them), or with one that is named but not there: the error
// is told on standard error and the stand-in ends with its own exit code,
// never aborted by the window it could not show.
TEST_F(StandinTest, WithoutADisplayTheErrorIsPrintedAndTheExitCodeKept) {
    const Environment sessions[] = {
        {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}},
        {{"DISPLAY", ":8739"}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}},
    };
    for (const Environment& session : sessions) {
        const ToolResult result = run("wrar.exe", "x -o+ -y c:\\My Down\\none.rar c:\\Quil001", session);
        EXPECT_EQ(result.exitCode, exitCodeOf(ExitCode::CannotOpen)) << session.at("DISPLAY") << result.errorText;
        EXPECT_TRUE(result.errorText.starts_with("wrar.exe: Cannot open")) << result.errorText;
    }
}

// Members whose names lead outside the destination are left out, the others
// put in place, and the stand-in says so with its own exit code.
TEST_F(StandinTest, AceLeavesOutUnsafeNamesAndSaysSo) {
    using namespace ace::testing;
    const WrittenArchive archive = writeAce(storedMembers({{"good.txt", "good"}, {"..\\up.txt", "bad"}}));
    saveVolumes(archive, drive.host("c:\\Mixed"), "evil");
    const ToolResult result = run("ace.pif", "x -y c:\\Mixed\\evil.ace c:\\Quil001");
    EXPECT_EQ(result.exitCode, exitCodeOf(ExitCode::UnsafeNames)) << result.errorText;
    EXPECT_NE(result.errorText.find("\"..\\up.txt\""), std::string::npos) << result.errorText;
    EXPECT_EQ(readBytes(drive.host("c:\\Quil001\\good.txt")), "good");
    EXPECT_FALSE(drive.exists("c:\\up.txt"));
}

// A set arj started at "Num.001" goes on with "Num.002", here spelt in
// another letter case on disk.
TEST_F(StandinTest, ArjFollowsANumberedSetWhateverTheLetterCaseOnDisk) {
    const std::string data = drive.host("c:\\My Down\\Rar.rar");
    const std::string folder = drive.host("c:\\Mixed");
    ASSERT_EQ(runTool("/usr/bin/arj", {"a", "-v20K", "-y", "-e", folder + "/Num.001", data}).exitCode, 0);
    fs::rename(folder + "/Num.002", folder + "/NUM.002");
    const ToolResult result = run("warj.pif", "x -y c:\\Mixed\\Num.001 c:\\Quil001");
    EXPECT_EQ(result.exitCode, 0) << result.errorText;
    EXPECT_EQ(readBytes(drive.host("c:\\Quil001\\Rar.rar")), readBytes(data));
}

TEST_F(StandinTest, KilldRemovesAScratchFolderButNeverADriveRoot) {
    // Contents and all; a folder with blanks in its name is taken whole.
    drive.writeFile("c:\\Quil 003\\sub\\file.txt");
    drive.makeFolder("c:\\Quil");
    EXPECT_EQ(run("killd.pif", "c:\\Quil 003").exitCode, 0);
    EXPECT_FALSE(drive.exists("c:\\Quil 003"));
    EXPECT_TRUE(drive.exists("c:\\Quil"));

    drive.writeFile("c:\\plain.txt");
    for (const char* target : {"c:\\", "d:", "c:\\plain.txt"})
        EXPECT_EQ(run("killd.pif", target).exitCode, exitCodeOf(ExitCode::Refused)) << target;
    EXPECT_TRUE(drive.exists("c:\\My Down\\Rar.rar"));
    EXPECT_TRUE(drive.exists("c:\\plain.txt"));
}

// Names the DOS archivers stored in code page 437 reach the disk as UTF-8;
// names that are UTF-8 already stay as they are.
TEST(Staging, NamesInCodePage437ReachTheDiskAsUtf8) {
    TestDrive drive;
    const std::string source = drive.host("c:\\") + "/src";
    fs::create_directories(source);
    for (const char* name : {"\x8ERGER.TXT", "caf\u00E9.txt"}) std::ofstream(source + "/" + name) << "x";
    const std::string archive = drive.host("c:\\") + "/names.arj";
    ASSERT_EQ(runTool("/usr/bin/arj", {"a", "-y", "-e", archive, source + "/*"}).exitCode, 0);
    const ToolResult result = runTool(kBin + "/warj.pif", {"x", "-y", "c:\\names.arj", "c:\\Quil001"},
                                      {{"QUILLET32_DRIVES", "c=" + drive.root() + "/c"},
                                       {"QUILLET32_NO_ERROR_WINDOW", "1"}});
    EXPECT_EQ(result.exitCode, 0) << result.errorText;
    for (const char* name : {"\u00C4RGER.TXT", "caf\u00E9.txt"})
        EXPECT_TRUE(drive.exists("c:\\Quil001\\" + std::string(name))) << name;
}

// The watchdog over the archivers the stand-ins run: a program that neither
// writes nor makes progress on disk is ended; one that works quietly on
// disk is left alone; only the end of a long output is kept.
using standin::ProgramResult;
using standin::RunLimits;
using standin::runProgram;
using std::chrono::milliseconds;

TEST(RunProgram, AProgramThatHangsIsEndedWithItsChildren) {
    const RunLimits limits{"", milliseconds(1000)};
    const ProgramResult result = runProgram({"sh", "-c", "echo started; sleep 1000 & sleep 1000"}, limits);
    EXPECT_TRUE(result.hung);
    EXPECT_EQ(result.exitCode, -1);
    EXPECT_EQ(result.output, "started\n");
    EXPECT_NE(standin::stuckMessage("arj", limits, result.output).find("arj stopped working"), std::string::npos);
}

TEST(RunProgram, ProgressOnDiskKeepsAQuietProgramAlive) {
    TestDrive drive;
    const std::string folder = drive.host("c:\\");
    const ProgramResult result = runProgram(
        {"sh", "-c", "for i in 1 2 3 4 5 6 7 8; do sleep 0.25; echo x >> '" + folder + "/grows'; done"},
        {folder, milliseconds(1500)});
    EXPECT_FALSE(result.hung);
    EXPECT_EQ(result.exitCode, 0);
}

TEST(RunProgram, KeepsTheEndOfALongOutputAndTheExitCode) {
    const ProgramResult result =
        runProgram({"sh", "-c", "head -c 1000000 /dev/zero | tr '\\0' a; echo; echo last words; exit 3"});
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_EQ(result.output.size(), RunLimits{}.keptOutput);
    EXPECT_TRUE(result.output.ends_with("aaaa\nlast words\n"));
    EXPECT_FALSE(runProgram({"no-such-program-q32"}).started);
}

}  // namespace
}  // namespace q32::test
