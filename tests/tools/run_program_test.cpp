// The watchdog over the archivers the stand-ins run: a program that neither
// writes nor makes progress on disk is ended; one that works quietly on
// disk is left alone; only the end of a long output is kept.
#include <gtest/gtest.h>

#include "run_program.h"
#include "support/test_drive.h"

namespace q32::standin {
namespace {

using std::chrono::milliseconds;

TEST(RunProgram, AProgramThatHangsIsEndedWithItsChildren) {
    const RunLimits limits{"", milliseconds(1000)};
    const ProgramResult result = runProgram({"sh", "-c", "echo started; sleep 1000 & sleep 1000"}, limits);
    EXPECT_TRUE(result.hung);
    EXPECT_EQ(result.exitCode, -1);
    EXPECT_EQ(result.output, "started\n");
    EXPECT_NE(stuckMessage("arj", limits, result.output).find("arj stopped working"), std::string::npos);
}

TEST(RunProgram, ProgressOnDiskKeepsAQuietProgramAlive) {
    test::TestDrive drive;
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
    EXPECT_FALSE(result.hung);
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_EQ(result.output.size(), RunLimits{}.keptOutput);
    EXPECT_TRUE(result.output.ends_with("aaaa\nlast words\n"));
    EXPECT_FALSE(runProgram({"no-such-program-q32"}).started);
}

}  // namespace
}  // namespace q32::standin
