// The acex command line: exit codes and messages.
#include "ace_writer.h"

#include <gtest/gtest.h>

#include <tuple>

namespace q32::ace::testing {
namespace {

TEST(Acex, ExitsWithZeroOnSuccessTheResultNumberOtherwiseAndShowsItsUsage) {
    TempFolder work;
    const std::string good = saveVolumes(writeAce(storedMembers({{"a.txt", "a"}})), work.path(), "good");
    const std::string unsupported =
        saveVolumes(writeAce({{.name = "b.txt", .data = "b", .method = 2}}), work.path(), "ace20");
    // Arguments, exit code, how the error text starts, a part of it.
    const std::tuple<std::vector<std::string>, int, std::string, std::string> runs[] = {
        {{good, work / "out"}, 0, "", ""},
        {{unsupported, work / "out2"}, static_cast<int>(AceResult::Unsupported), "acex: ", "ACE 2.0"},
        {{work / "missing.ace", work / "out3"}, static_cast<int>(AceResult::CannotOpen), "acex: ", "missing.ace"},
        {{"only-one"}, 2, "usage: acex FIRSTVOLUME DESTFOLDER", ""}};
    for (const auto& [arguments, exitCode, errorStart, errorPart] : runs) {
        const q32::test::ToolResult run = q32::test::runTool(Q32_ACEX_PATH, arguments);
        EXPECT_EQ(run.exitCode, exitCode) << arguments[0];
        EXPECT_EQ(run.errorText.empty(), errorStart.empty()) << run.errorText;
        EXPECT_EQ(run.errorText.rfind(errorStart, 0), 0u) << run.errorText;
        EXPECT_NE(run.errorText.find(errorPart), std::string::npos) << run.errorText;
    }
    EXPECT_EQ(readBytes(work / "out/a.txt"), "a");
}

}  // namespace
}  // namespace q32::ace::testing
