// The acex command line: exit codes and messages.
#include "ace_writer.h"
#include "test_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>

namespace q32::ace::testing {
namespace {

struct AcexRun {
    int exitCode;
    std::string errors;
};

AcexRun runAcex(const std::string& arguments, const TempFolder& work) {
    const std::string errorsFile = work / "stderr.txt";
    const std::string command = std::string(Q32_ACEX_PATH) + " " + arguments + " 2>" + errorsFile;
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(errorsFile)};
}

TEST(Acex, ExitsWithZeroOnSuccessAndTheResultNumberOtherwise) {
    TempFolder work;
    const std::string good = saveVolumes(writeAce(storedMembers({{"a.txt", "a"}})), work.path(), "good");
    AcexRun run = runAcex("'" + good + "' '" + work / "out" + "'", work);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.errors, "");
    EXPECT_EQ(readFile(work / "out/a.txt"), "a");

    std::vector<WriterMember> members = storedMembers({{"b.txt", "b"}});
    members[0].method = 2;
    const std::string ace20 = saveVolumes(writeAce(members), work.path(), "ace20");
    run = runAcex("'" + ace20 + "' '" + work / "out2" + "'", work);
    EXPECT_EQ(run.exitCode, static_cast<int>(AceResult::Unsupported));
    EXPECT_EQ(run.errors.rfind("acex: ", 0), 0u) << run.errors;
    EXPECT_NE(run.errors.find("ACE 2.0"), std::string::npos) << run.errors;

    run = runAcex("'" + work / "missing.ace" + "' '" + work / "out3" + "'", work);
    EXPECT_EQ(run.exitCode, static_cast<int>(AceResult::CannotOpen));
}

TEST(Acex, ShowsItsUsageWithoutTwoArguments) {
    TempFolder work;
    const AcexRun run = runAcex("only-one", work);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.errors.find("usage: acex FIRSTVOLUME DESTFOLDER"), std::string::npos);
}

}  // namespace
}  // namespace q32::ace::testing
