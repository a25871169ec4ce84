// The real archives made by the ACE archiver itself.
#include "sha256.h"
#include "test_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace q32::ace::testing {
namespace {

std::string manifest(const std::string& name) { return samplesFolder() + "/" + name + ".manifest"; }

class Samples : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::is_directory(samplesFolder() + "/ace"))
            GTEST_SKIP() << "no sample archives at " << samplesFolder();
    }
    TempFolder work_;
    std::string destination_ = work_ / "out";
};

TEST_F(Samples, Lz77ArchiveMatchesItsManifest) {
    const std::string archive = copySample("ace/Ace.method1.ace", work_.path());
    const Extraction done = extract(archive, destination_);
    ASSERT_EQ(done.result, AceResult::Ok) << done.error;
    EXPECT_EQ(compareWithManifest(destination_, manifest("Ace.method1")), "");
}

TEST_F(Samples, StoredArchiveMatchesItsManifest) {
    const std::string archive = copySample("ace/Ace.store.ace", work_.path());
    const Extraction done = extract(archive, destination_);
    ASSERT_EQ(done.result, AceResult::Ok) << done.error;
    EXPECT_EQ(compareWithManifest(destination_, manifest("Ace.store")), "");
}

TEST_F(Samples, StoredVolumeSetMatchesItsManifest) {
    const std::string first = copySample("ace/Ace.store.split.ace", work_.path());
    copySample("ace/Ace.store.split.c00", work_.path());
    const Extraction done = extract(first, destination_);
    ASSERT_EQ(done.result, AceResult::Ok) << done.error;
    EXPECT_EQ(compareWithManifest(destination_, manifest("Ace.store.split")), "");
}

TEST_F(Samples, VolumeSetIsFoundInUpperCase) {
    copySample("ace/Ace.store.split.ace", work_.path());
    copySample("ace/Ace.store.split.c00", work_.path());
    std::filesystem::rename(work_ / "Ace.store.split.ace", work_ / "ACE.STORE.SPLIT.ACE");
    std::filesystem::rename(work_ / "Ace.store.split.c00", work_ / "ACE.STORE.SPLIT.C00");
    const Extraction done = extract(work_ / "ACE.STORE.SPLIT.ACE", destination_);
    ASSERT_EQ(done.result, AceResult::Ok) << done.error;
    EXPECT_EQ(compareWithManifest(destination_, manifest("Ace.store.split")), "");
}

TEST_F(Samples, VolumeSetWithoutItsSecondVolumeFailsWithoutAPartialFile) {
    const std::string first = copySample("ace/Ace.store.split.ace", work_.path());
    const Extraction done = extract(first, destination_);
    EXPECT_EQ(done.result, AceResult::MissingVolume);
    EXPECT_NE(done.error.find("Ace.store.split.c00"), std::string::npos) << done.error;
    EXPECT_EQ(filesUnder(destination_), std::vector<std::string>{"exe/test.exe"});
}

TEST_F(Samples, SecondVolumeGivenFirstIsRefused) {
    copySample("ace/Ace.store.split.ace", work_.path());
    const std::string second = copySample("ace/Ace.store.split.c00", work_.path());
    const Extraction done = extract(second, destination_);
    EXPECT_EQ(done.result, AceResult::NotFirstVolume) << done.error;
    EXPECT_EQ(filesUnder(destination_), std::vector<std::string>{});
}

TEST_F(Samples, Ace20ArchiveFailsCleanly) {
    const std::string archive = copySample("ace/Ace.method2.ace", work_.path());
    const Extraction done = extract(archive, destination_);
    EXPECT_EQ(done.result, AceResult::Unsupported);
    EXPECT_NE(done.error.find("ACE 2.0"), std::string::npos) << done.error;
    EXPECT_EQ(filesUnder(destination_), std::vector<std::string>{});
}

TEST(Sha256, MatchesKnownDigests) {
    EXPECT_EQ(sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(sha256Hex(std::string(1000, 'a')).substr(0, 16), "41edece42d63e8d9");
}

}  // namespace
}  // namespace q32::ace::testing
