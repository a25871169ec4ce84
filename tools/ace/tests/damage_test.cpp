// Damaged and cut-off archives: every failure is reported, and no file is
// left under a member's name unless it is complete and correct.
#include "ace_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace q32::ace::testing {
namespace {

const std::vector<std::pair<std::string, std::string>> kFiles = {
    {"first.txt", randomBytes(300, 1)},
    {"dir\\second.bin", randomBytes(2000, 2)},  // runs on into the second volume
    {"third.txt", randomBytes(100, 3)},
};

const std::map<std::string, std::string> kOnDisk = onDisk(kFiles);

// Two volumes; the second member is split between them.
WrittenArchive twoVolumes() { return writeAce(storedMembers(kFiles), {.solid = true, .volumeSize = 1500}); }

struct Outcome {
    Extraction extraction;
    std::vector<std::string> files;
};

Outcome extractDamaged(const WrittenArchive& archive) {
    TempFolder work;
    const std::string destination = work / "out";
    Outcome outcome{extract(saveVolumes(archive, work.path(), "set"), destination), {}};
    // Whatever is there must be complete and correct.
    for (const auto& [file, bytes] : filesIn(destination)) {
        const auto expected = kOnDisk.find(file);
        EXPECT_TRUE(expected != kOnDisk.end() && expected->second == bytes) << "wrong or unexpected file " << file;
        outcome.files.push_back(file);
    }
    return outcome;
}

WrittenArchive flipped(WrittenArchive archive, const Part& part, std::size_t within, int bit) {
    archive.volumes[part.volume][part.offset + within] ^= static_cast<char>(1 << bit);
    return archive;
}

WrittenArchive cut(WrittenArchive archive, const Part& part, std::size_t within) {
    archive.volumes[part.volume].resize(part.offset + within);
    return archive;
}

TEST(DamagedArchives, FlippedBitsAndCutsInsideEveryPartAreCaught) {
    const WrittenArchive archive = twoVolumes();
    EXPECT_EQ(extractDamaged(cut(archive, archive.mainHeaders[0], 0)).extraction.result, AceResult::NotAnAceArchive);
    // A bit flipped in every byte of every header and in every 16th byte of
    // the data; cuts just after the start, in the middle, just before the end.
    const std::pair<std::vector<Part>, std::size_t> sweeps[] = {
        {archive.mainHeaders, 1}, {archive.fileHeaders, 1}, {archive.data, 16}};
    for (const auto& [parts, step] : sweeps) {
        for (const Part& part : parts) {
            for (std::size_t within = 0; within < part.size; within += step) {
                const Outcome outcome = extractDamaged(flipped(archive, part, within, static_cast<int>(within % 8)));
                EXPECT_NE(outcome.extraction.result, AceResult::Ok)
                    << "volume " << part.volume << " byte " << part.offset + within;
                EXPECT_FALSE(outcome.extraction.error.empty());
            }
            for (std::size_t within : {std::size_t{1}, part.size / 2, part.size - 1}) {
                const Outcome outcome = extractDamaged(cut(archive, part, within));
                const AceResult result = outcome.extraction.result;
                EXPECT_TRUE(result == AceResult::Truncated || result == AceResult::NotAnAceArchive)
                    << "volume " << part.volume << " cut at " << part.offset + within << ": "
                    << outcome.extraction.error;
                EXPECT_EQ(std::ranges::count(outcome.files, "third.txt"), 0);
            }
        }
    }
}

TEST(DamagedArchives, EachPartReportsWhatIsWrong) {
    const WrittenArchive archive = twoVolumes();
    // Headers: first, second, second continued in volume two, third.
    ASSERT_EQ(archive.mainHeaders.size(), 2u);
    ASSERT_EQ(archive.fileHeaders.size(), 4u);
    ASSERT_EQ(archive.fileHeaders[2].volume, 1u);
    const Outcome intact = extractDamaged(archive);
    ASSERT_EQ(intact.extraction.result, AceResult::Ok) << intact.extraction.error;
    EXPECT_EQ(intact.files.size(), 3u);
    struct Case {
        Part part;
        std::size_t within;
        int bit;
        std::string errorMentions;
        std::vector<std::string> filesLeft;
    };
    const Part& firstMain = archive.mainHeaders[0];
    const Part& secondHeader = archive.fileHeaders[1];
    const std::vector<std::string> first = {"first.txt"};
    const Case cases[] = {{firstMain, firstMain.size - 3, 0, "check", {}},
                          {secondHeader, secondHeader.size - 1, 2, "", first},
                          {archive.data[0], 150, 5, "first.txt\" fails its CRC check", {}},
                          {archive.mainHeaders[1], archive.mainHeaders[1].size / 2, 1, "set.c00", first},
                          {archive.fileHeaders[2], archive.fileHeaders[2].size / 2, 1, "set.c00", first},
                          {archive.data[2], archive.data[2].size / 2, 1, "set.c00", first}};
    for (const Case& test : cases) {
        const Outcome outcome = extractDamaged(flipped(archive, test.part, test.within, test.bit));
        EXPECT_EQ(outcome.extraction.result, AceResult::Damaged) << outcome.extraction.error;
        EXPECT_NE(outcome.extraction.error.find(test.errorMentions), std::string::npos) << outcome.extraction.error;
        EXPECT_EQ(outcome.files, test.filesLeft) << outcome.extraction.error;
    }
}

// The compressed data of exe\test.exe in the LZ77 sample: after its header, 0x4790 bytes.
constexpr std::size_t kExeData = 0x8a;
constexpr std::size_t kExeDataSize = 0x4790;

TEST(DamagedSample, FlippedBitsAndCutsInCompressedDataAreCaught) {
    const std::string sample = std::string(Q32_SAMPLES_DIR) + "/ace/Ace.method1.ace";
    if (!std::filesystem::is_regular_file(sample))
        GTEST_SKIP() << "no sample archive " << sample;
    const std::string bytes = readBytes(sample);
    ASSERT_EQ(bytes.substr(kExeData - 12, 12), "exe\\test.exe");
    // Nothing of the member is left, whole or half-written.
    const auto expectCaught = [](const std::string& damaged, AceResult expected, const std::string& what) {
        TempFolder work;
        writeBytes(work / "damaged.ace", damaged);
        const Extraction done = extract(work / "damaged.ace", work / "out");
        EXPECT_EQ(done.result, expected) << what << ": " << done.error;
        EXPECT_TRUE(filesIn(work / "out").empty()) << what;
    };
    for (std::size_t offset : {std::size_t{0}, std::size_t{1}, std::size_t{9}, kExeDataSize / 3, kExeDataSize / 2,
                               kExeDataSize - 400}) {
        for (int bit : {0, 3, 7}) {
            std::string damaged = bytes;
            damaged[kExeData + offset] ^= static_cast<char>(1 << bit);
            expectCaught(damaged, AceResult::Damaged, "byte " + std::to_string(offset) + " bit " + std::to_string(bit));
        }
    }
    for (std::size_t keep : {std::size_t{5}, kExeDataSize / 2, kExeDataSize - 1})
        expectCaught(bytes.substr(0, kExeData + keep), AceResult::Truncated, "cut after " + std::to_string(keep));
}

}  // namespace
}  // namespace q32::ace::testing
