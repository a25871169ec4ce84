// Stored archives and volume sets made by the tests' own writer.
#include "ace_writer.h"
#include "headers.h"
#include "test_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sys/stat.h>

namespace q32::ace::testing {
namespace {

std::string randomBytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

const std::vector<std::pair<std::string, std::string>> kFiles = {
    {"readme.txt", "Read me first.\r\n"},
    {"empty.dat", ""},
    {"bin\\tool.exe", randomBytes(5000, 1)},
    {"bin\\deep\\er\\data.bin", randomBytes(70000, 2)},  // more than one read chunk
    {"last.txt", "the end"},
};

// Every file of kFiles below `folder`, byte for byte, and nothing else.
void expectAllFiles(const std::string& folder) {
    std::vector<std::string> expected;
    for (const auto& [name, data] : kFiles) {
        std::string path = name;
        std::replace(path.begin(), path.end(), '\\', '/');
        expected.push_back(path);
        EXPECT_EQ(readFile(folder + "/" + path), data) << path;
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(filesUnder(folder), expected);
}

class StoredArchives : public ::testing::Test {
protected:
    Extraction extractWritten(const WrittenArchive& archive, const std::string& base = "set") {
        return extract(saveVolumes(archive, work_.path(), base), destination_);
    }
    TempFolder work_;
    std::string destination_ = work_ / "out";
};

TEST_F(StoredArchives, ExtractByteExactWithTheirFolders) {
    std::vector<WriterMember> members = storedMembers(kFiles);
    members.insert(members.begin(), folderEntry("bin"));
    members.push_back(folderEntry("docs\\empty folder"));
    const Extraction done = extractWritten(writeAce(members));
    ASSERT_EQ(done.result, AceResult::Ok) << done.error;
    expectAllFiles(destination_);
    EXPECT_TRUE(std::filesystem::is_directory(destination_ + "/docs/empty folder"));
}

TEST_F(StoredArchives, SolidArchivesExtractTheSame) {
    const Extraction done = extractWritten(writeAce(storedMembers(kFiles), {.solid = true}));
    ASSERT_EQ(done.result, AceResult::Ok) << done.error;
    expectAllFiles(destination_);
}

TEST_F(StoredArchives, ExtractedFilesGetPlainPermissionsAndTheArchivedTime) {
    const Extraction done = extractWritten(writeAce(storedMembers({{"tool.exe", "MZ"}})));
    ASSERT_EQ(done.result, AceResult::Ok) << done.error;
    struct stat info {};
    ASSERT_EQ(::stat((destination_ + "/tool.exe").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & (S_ISUID | S_ISGID | S_ISVTX | S_IXUSR | S_IXGRP | S_IXOTH), 0u);
    std::tm local{};
    const std::time_t modified = info.st_mtime;
    localtime_r(&modified, &local);
    EXPECT_EQ(local.tm_year + 1900, 2024);  // the writer's date: 2024-06-15 12:30
    EXPECT_EQ(local.tm_mon + 1, 6);
    EXPECT_EQ(local.tm_mday, 15);
}

TEST_F(StoredArchives, ReplaceFilesAlreadyThere) {
    std::filesystem::create_directories(destination_);
    writeFile(destination_ + "/readme.txt", "an older readme that is longer than the new one");
    const Extraction done = extractWritten(writeAce(storedMembers(kFiles)));
    ASSERT_EQ(done.result, AceResult::Ok) << done.error;
    expectAllFiles(destination_);
}

TEST_F(StoredArchives, FolderInTheWayOfAFileFailsCleanly) {
    std::filesystem::create_directories(destination_ + "/last.txt");
    const Extraction done = extractWritten(writeAce(storedMembers(kFiles)));
    EXPECT_EQ(done.result, AceResult::WriteFailed);
    EXPECT_NE(done.error.find("last.txt"), std::string::npos) << done.error;
    EXPECT_EQ(temporaryFilesUnder(destination_), std::vector<std::string>{});
}

TEST_F(StoredArchives, MissingArchiveCannotBeOpened) {
    const Extraction done = extract(work_ / "nothing.ace", destination_);
    EXPECT_EQ(done.result, AceResult::CannotOpen);
    EXPECT_NE(done.error.find("nothing.ace"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(destination_));
}

TEST_F(StoredArchives, OtherFilesAreNotAceArchives) {
    writeFile(work_ / "empty.ace", "");
    writeFile(work_ / "text.ace", "This is a text file that merely ends in .ace, nothing more.\n");
    EXPECT_EQ(extract(work_ / "empty.ace", destination_).result, AceResult::NotAnAceArchive);
    EXPECT_EQ(extract(work_ / "text.ace", destination_).result, AceResult::NotAnAceArchive);
    EXPECT_FALSE(std::filesystem::exists(destination_));
}

TEST_F(StoredArchives, EncryptedMembersFailCleanly) {
    std::vector<WriterMember> members = storedMembers({{"open.txt", "plain"}, {"secret.txt", "hidden"}});
    members[1].extraFlags = header_flag::kPassword;
    const Extraction done = extractWritten(writeAce(members));
    EXPECT_EQ(done.result, AceResult::Unsupported);
    EXPECT_NE(done.error.find("encrypted"), std::string::npos) << done.error;
    EXPECT_EQ(filesUnder(destination_), std::vector<std::string>{"open.txt"});
}

TEST_F(StoredArchives, UnknownMethodsFailCleanly) {
    std::vector<WriterMember> members = storedMembers({{"a.txt", "text"}});
    members[0].method = 2;
    Extraction done = extractWritten(writeAce(members));
    EXPECT_EQ(done.result, AceResult::Unsupported);
    EXPECT_NE(done.error.find("ACE 2.0"), std::string::npos) << done.error;
    members[0].method = 7;
    done = extractWritten(writeAce(members), "other");
    EXPECT_EQ(done.result, AceResult::Unsupported);
    EXPECT_EQ(filesUnder(destination_), std::vector<std::string>{});
}

class StoredVolumeSets : public StoredArchives {};

TEST_F(StoredVolumeSets, MembersSpanningSeveralVolumesExtractByteExact) {
    const WrittenArchive archive = writeAce(storedMembers(kFiles), {.solid = true, .volumeSize = 20000});
    ASSERT_GE(archive.volumes.size(), 4u);
    const Extraction done = extractWritten(archive);
    ASSERT_EQ(done.result, AceResult::Ok) << done.error;
    expectAllFiles(destination_);
}

TEST_F(StoredVolumeSets, ContinueFromC99To100) {
    const WrittenArchive archive = writeAce(storedMembers(kFiles), {.volumeSize = 800});
    ASSERT_GT(archive.volumes.size(), 102u);
    saveVolumes(archive, work_.path(), "big");
    ASSERT_TRUE(std::filesystem::exists(work_ / "big.c99"));
    ASSERT_TRUE(std::filesystem::exists(work_ / "big.100"));
    ASSERT_TRUE(std::filesystem::exists(work_ / "big.101"));
    const Extraction done = extract(work_ / "big.ace", destination_);
    ASSERT_EQ(done.result, AceResult::Ok) << done.error;
    expectAllFiles(destination_);
}

TEST_F(StoredVolumeSets, AreFoundWhateverTheLetterCaseOfEachVolume) {
    const WrittenArchive archive = writeAce(storedMembers(kFiles), {.volumeSize = 30000});
    ASSERT_EQ(archive.volumes.size(), 3u);
    writeFile(work_ / "Mixed.ACE", archive.volumes[0]);
    writeFile(work_ / "mixed.C00", archive.volumes[1]);
    writeFile(work_ / "MIXED.c01", archive.volumes[2]);
    const Extraction done = extract(work_ / "Mixed.ACE", destination_);
    ASSERT_EQ(done.result, AceResult::Ok) << done.error;
    expectAllFiles(destination_);
}

TEST_F(StoredVolumeSets, VolumesOutOfOrderAreRefused) {
    const WrittenArchive archive = writeAce(storedMembers(kFiles), {.volumeSize = 30000});
    ASSERT_EQ(archive.volumes.size(), 3u);
    WrittenArchive swapped = archive;
    std::swap(swapped.volumes[1], swapped.volumes[2]);
    const Extraction done = extractWritten(swapped);
    EXPECT_EQ(done.result, AceResult::Damaged);
    EXPECT_NE(done.error.find("set.c00: is not the volume that follows"), std::string::npos) << done.error;
    EXPECT_EQ(temporaryFilesUnder(destination_), std::vector<std::string>{});
}

}  // namespace
}  // namespace q32::ace::testing
