// Member names: nothing is written outside the destination, and names come
// out in UTF-8 whatever character set the archive used; a set's volumes are
// found whatever their letter case (their names: tests/archive/volume_set_test).
#include "ace_writer.h"
#include "member_names.h"
#include "volume_files.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace q32::ace::testing {
namespace {

constexpr std::uint8_t kWin32 = 2;
constexpr std::uint8_t kUnix = 3;

TEST(MemberNames, BecomePathsBelowTheDestinationOrNone) {
    EXPECT_EQ(destinationPath("a\\b\\c.txt", kWin32), "a/b/c.txt");
    EXPECT_EQ(destinationPath("a/b.txt", kWin32), "a/b.txt");
    EXPECT_EQ(destinationPath("a\\.\\b\\\\c.txt\\", kWin32), "a/b/c.txt");
    EXPECT_EQ(destinationPath(std::string("name.txt\0junk", 13), kWin32), "name.txt");
    EXPECT_EQ(destinationPath("..name..", kWin32), "..name..");
    // Names that lead outside the destination are refused.
    for (const char* name : {"\\abs.txt", "/abs.txt", "..\\up.txt", "a\\..\\..\\up.txt", "a/../b.txt",
                             "C:\\x.txt", "C:x.txt", "..", "", ".", "\\"}) {
        EXPECT_EQ(destinationPath(name, kWin32), std::nullopt) << name;
    }
}

TEST(MemberNames, UseTheOemCodePageOfDosAndWindowsArchives) {
    EXPECT_EQ(destinationPath("\x8e\x84rger\\\x9a\x62\x65r.txt", kWin32), "\xc3\x84\xc3\xa4rger/\xc3\x9c" "ber.txt");
    // Unix archives keep UTF-8 names, and fall back to the OEM page otherwise.
    EXPECT_EQ(destinationPath("\xc3\xa9t\xc3\xa9.txt", kUnix), "\xc3\xa9t\xc3\xa9.txt");
    EXPECT_EQ(destinationPath("\x82t\x82.txt", kUnix), "\xc3\xa9t\xc3\xa9.txt");
}

class NamesOnDisk : public ::testing::Test {
protected:
    TempFolder work_;
    std::string destination_ = work_ / "dest/out";
};

TEST_F(NamesOnDisk, AreLeftOutWhileTheRestIsExtracted) {
    const WrittenArchive archive = writeAce(storedMembers({{"good.txt", "good"},
                                                           {"..\\escaped.txt", "bad"},
                                                           {"\\tmp\\absolute.txt", "bad"},
                                                           {"sub\\..\\..\\escaped2.txt", "bad"},
                                                           {"C:\\drive.txt", "bad"},
                                                           {"sub\\also good.txt", "fine"}}));
    const Extraction done = extract(saveVolumes(archive, work_.path(), "evil"), destination_);
    EXPECT_EQ(done.result, AceResult::SkippedUnsafeNames);
    EXPECT_NE(done.error.find("\"..\\escaped.txt\""), std::string::npos) << done.error;
    EXPECT_NE(done.error.find("4 member(s)"), std::string::npos) << done.error;
    EXPECT_EQ(filesIn(work_ / "dest"),
              (std::map<std::string, std::string>{{"out/good.txt", "good"}, {"out/sub/also good.txt", "fine"}}));
}

TEST_F(NamesOnDisk, LinksInTheDestinationAreNotFollowed) {
    std::filesystem::create_directories(work_ / "elsewhere");
    std::filesystem::create_directories(destination_);
    std::filesystem::create_directory_symlink(work_ / "elsewhere", destination_ + "/link");
    std::filesystem::create_symlink(work_ / "elsewhere/target.txt", destination_ + "/file-link.txt");

    const WrittenArchive archive = writeAce(storedMembers({{"link\\inside.txt", "bad"}}));
    const Extraction done = extract(saveVolumes(archive, work_.path(), "links"), destination_);
    EXPECT_EQ(done.result, AceResult::WriteFailed);
    EXPECT_TRUE(std::filesystem::is_empty(work_ / "elsewhere"));

    // A link under a member's own name is replaced, not written through.
    const WrittenArchive second = writeAce(storedMembers({{"file-link.txt", "new"}}));
    const Extraction replaced = extract(saveVolumes(second, work_.path(), "replace"), destination_);
    EXPECT_EQ(replaced.result, AceResult::Ok) << replaced.error;
    EXPECT_FALSE(std::filesystem::is_symlink(destination_ + "/file-link.txt"));
    EXPECT_EQ(readBytes(destination_ + "/file-link.txt"), "new");
    EXPECT_TRUE(std::filesystem::is_empty(work_ / "elsewhere"));
}

TEST(VolumeNames, AreFoundWhateverTheirLetterCaseOnDisk) {
    TempFolder folder;
    writeBytes(folder / "SET.C00", "");
    writeBytes(folder / "set.c01", "");
    writeBytes(folder / "Set.C01", "");
    EXPECT_EQ(findNoCase(folder.path(), "set.c00"), "SET.C00");
    EXPECT_EQ(findNoCase(folder.path(), "set.c01"), "set.c01");  // the exact match wins
    EXPECT_EQ(findNoCase(folder.path(), "set.c02"), std::nullopt);
}

}  // namespace
}  // namespace q32::ace::testing
