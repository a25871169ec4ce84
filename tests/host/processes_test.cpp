// Splitting command lines, finding programs, and running them.
#include "platform/host/host_processes.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "support/test_drive.h"

namespace q32::host {
namespace {

namespace fs = std::filesystem;

TEST(CommandLine, SplitsAtBlanksAndKeepsQuotedGroups) {
    EXPECT_EQ(splitCommandLine("wrar.exe x -o+ -y c:\\My Down\\game.rar c:\\Quil001"),
              (std::vector<std::string>{"wrar.exe", "x", "-o+", "-y", "c:\\My", "Down\\game.rar", "c:\\Quil001"}));
    EXPECT_EQ(splitCommandLine("  a\t b  "), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(splitCommandLine("sh -c \"echo a b\""), (std::vector<std::string>{"sh", "-c", "echo a b"}));
    EXPECT_TRUE(splitCommandLine("   ").empty());
}

class ProcessesTest : public ::testing::Test {
protected:
    ProcessesTest() {
        exeFolder = drive.root() + "/exe";
        fs::create_directories(exeFolder);
        fs::create_directories(drive.root() + "/prog");
        search = {exeFolder, drive.root() + "/prog", &drive.fs().driveTable()};
    }
    void script(const std::string& path, const std::string& body) {
        std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
        fs::permissions(path, fs::perms::owner_all);
    }
    test::TestDrive drive;
    std::string exeFolder;
    ProgramSearch search;
};

TEST_F(ProcessesTest, ProgramsAreFoundInOrderAndWithoutLetterCase) {
    script(exeFolder + "/WRAR.EXE", "exit 0");
    script(drive.root() + "/prog/wrar.exe", "exit 0");
    script(drive.root() + "/prog/killd.pif", "exit 0");
    EXPECT_EQ(findProgram("wrar.exe", search), exeFolder + "/WRAR.EXE");
    EXPECT_EQ(findProgram("KillD.pif", search), drive.root() + "/prog/killd.pif");
    EXPECT_TRUE(findProgram("sh", search).has_value());
    EXPECT_FALSE(findProgram("no-such-program.exe", search));
    drive.writeFile("c:\\Quil001\\setup.exe", "MZ");
    EXPECT_EQ(findProgram("c:\\QUIL001\\SETUP.EXE", search), drive.host("c:\\Quil001\\setup.exe"));
}

TEST_F(ProcessesTest, RunAndWaitReturnsAfterTheProgramHasEnded) {
    const std::string done = drive.root() + "/done";
    script(exeFolder + "/slow.pif", "sleep 1; printf '%s\\n' \"$*\" > '" + done + "'; exit 3");
    HostProcesses processes(search);
    EXPECT_EQ(processes.runAndWait("slow.pif c:\\My Down\\a.rar c:\\Quil001"), 3);
    ASSERT_TRUE(fs::exists(done));
    std::ifstream in(done);
    std::string line;
    std::getline(in, line);
    // The path with a space arrives as two arguments, as the stand-ins expect.
    EXPECT_EQ(line, "c:\\My Down\\a.rar c:\\Quil001");
}

TEST_F(ProcessesTest, AProgramThatCannotStartIsNotStarted) {
    HostProcesses processes(search);
    // Returns rather than waiting for nothing.
    EXPECT_EQ(processes.runAndWait("no-such-program.exe x -y a b"), kNotStarted);
    EXPECT_EQ(processes.runAndWait(""), kNotStarted);
    EXPECT_FALSE(processes.argumentsFor("no-such-program.exe"));
    // A Windows program without Wine, or a file that is not a program, is not started.
    drive.writeFile("c:\\Quil001\\readme.txt", "text");
    EXPECT_FALSE(processes.argumentsFor("c:\\Quil001\\readme.txt"));
}

TEST_F(ProcessesTest, StartDoesNotWait) {
    const std::string done = drive.root() + "/started";
    script(exeFolder + "/viewer.exe", "sleep 2; touch '" + done + "'");
    HostProcesses processes(search);
    processes.start("viewer.exe c:\\x.txt", ShowState::Normal);
    EXPECT_FALSE(fs::exists(done));
    for (int i = 0; i < 100 && !fs::exists(done); ++i) ::usleep(50000);
    EXPECT_TRUE(fs::exists(done));
}

}  // namespace
}  // namespace q32::host
