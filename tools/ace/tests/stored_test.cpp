// Stored archives and volume sets made by the tests' own writer.
#include "ace_writer.h"
#include "headers.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <sys/stat.h>

namespace q32::ace::testing {
namespace {

const std::vector<std::pair<std::string, std::string>> kFiles = {
    {"readme.txt", "Read me first.\r\n"},
    {"empty.dat", ""},
    {"bin\\tool.exe", randomBytes(5000, 1)},
    {"bin\\deep\\er\\data.bin", randomBytes(70000, 2)},  // more than one read chunk
    {"last.txt", "the end"},
};

class StoredArchives : public ::testing::Test {
protected:
    Extraction extractWritten(const WrittenArchive& archive) {
        return extract(saveVolumes(archive, work_.path(), "set"), destination_);
    }
    TempFolder work_;
    std::string destination_ = work_ / "out";
};

TEST_F(StoredArchives, ExtractByteExactWithTheirFoldersSolidOrNotOverOlderFilesAndPastVolumeC99) {
    std::vector<WriterMember> members = storedMembers(kFiles);
    members.insert(members.begin(), folderEntry("bin"));
    members.push_back(folderEntry("docs\\empty folder"));
    // Volumes of 800 bytes make a solid set that runs on from .c99 to .100 and past it.
    for (const WriterOptions options : {WriterOptions{}, {.solid = true}, {.solid = true, .volumeSize = 800}}) {
        std::filesystem::remove_all(destination_);
        std::filesystem::create_directories(destination_);  // files already there are replaced
        writeBytes(destination_ + "/readme.txt", "an older readme that is longer than the new one");
        const WrittenArchive archive = writeAce(members, options);
        EXPECT_TRUE(options.volumeSize == 0 || archive.volumes.size() > 102u);
        const Extraction done = extractWritten(archive);
        ASSERT_EQ(done.result, AceResult::Ok) << done.error;
        EXPECT_EQ(filesIn(destination_), onDisk(kFiles));
        EXPECT_TRUE(std::filesystem::is_directory(destination_ + "/docs/empty folder"));
    }
}

TEST_F(StoredArchives, ExtractedFilesGetPlainPermissionsAndTheArchivedTime) {
    const Extraction done = extractWritten(writeAce(storedMembers({{"tool.exe", "MZ"}})));
    ASSERT_EQ(done.result, AceResult::Ok) << done.error;
    struct stat info {};
    ASSERT_EQ(::stat((destination_ + "/tool.exe").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & (S_ISUID | S_ISGID | S_ISVTX | S_IXUSR | S_IXGRP | S_IXOTH), 0u);
    char modified[20];
    std::strftime(modified, sizeof modified, "%Y-%m-%d %H:%M", std::localtime(&info.st_mtime));
    EXPECT_STREQ(modified, "2024-06-15 12:30");  // the writer's time
}

TEST_F(StoredArchives, FolderInTheWayOfAFileFailsCleanly) {
    std::filesystem::create_directories(destination_ + "/last.txt");
    const Extraction done = extractWritten(writeAce(storedMembers(kFiles)));
    EXPECT_EQ(done.result, AceResult::WriteFailed);
    EXPECT_NE(done.error.find("last.txt"), std::string::npos) << done.error;
    // The members before it are there, and nothing half-written.
    EXPECT_EQ(filesIn(destination_), onDisk({kFiles.begin(), kFiles.end() - 1}));
}

TEST_F(StoredArchives, MissingFilesAndOtherFilesAreRefusedBeforeAnythingIsMade) {
    writeBytes(work_ / "empty.ace", "");
    writeBytes(work_ / "text.ace", "This is a text file that merely ends in .ace, nothing more.\n");
    const std::pair<const char*, AceResult> cases[] = {{"nothing.ace", AceResult::CannotOpen},
                                                       {"empty.ace", AceResult::NotAnAceArchive},
                                                       {"text.ace", AceResult::NotAnAceArchive}};
    for (const auto& [name, result] : cases) {
        const Extraction done = extract(work_ / name, destination_);
        EXPECT_EQ(done.result, result) << name;
        EXPECT_NE(done.error.find(name), std::string::npos) << done.error;
        EXPECT_FALSE(std::filesystem::exists(destination_)) << name;
    }
}

TEST_F(StoredArchives, UnsupportedMembersFailCleanlyAfterTheOnesBefore) {
    // The second member is encrypted, packed by ACE 2.0, or by a method no ACE has.
    const std::pair<WriterMember, const char*> cases[] = {
        {{.name = "odd.txt", .data = "hidden", .extraFlags = header_flag::kPassword}, "encrypted"},
        {{.name = "odd.txt", .data = "hidden", .method = 2}, "ACE 2.0"},
        {{.name = "odd.txt", .data = "hidden", .method = 7}, "method"}};
    for (const auto& [odd, errorMentions] : cases) {
        std::filesystem::remove_all(destination_);
        const Extraction done = extractWritten(writeAce({{.name = "open.txt", .data = "plain"}, odd}));
        EXPECT_EQ(done.result, AceResult::Unsupported) << done.error;
        EXPECT_NE(done.error.find(errorMentions), std::string::npos) << done.error;
        EXPECT_EQ(filesIn(destination_), onDisk({{"open.txt", "plain"}}));
    }
}

TEST_F(StoredArchives, VolumesOutOfOrderAreRefused) {
    WrittenArchive archive = writeAce(storedMembers(kFiles), {.volumeSize = 30000});
    ASSERT_EQ(archive.volumes.size(), 3u);
    std::swap(archive.volumes[1], archive.volumes[2]);
    const Extraction done = extractWritten(archive);
    EXPECT_EQ(done.result, AceResult::Damaged);
    EXPECT_NE(done.error.find("set.c00: is not the volume that follows"), std::string::npos) << done.error;
    // The members before the one that runs on are there, and nothing half-written.
    EXPECT_EQ(filesIn(destination_), onDisk({kFiles.begin(), kFiles.begin() + 3}));
}

}  // namespace
}  // namespace q32::ace::testing
