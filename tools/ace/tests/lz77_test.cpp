// LZ77 members made by the tests' encoder: single members, solid archives,
// members spread over volumes, long distances, several blocks, and streams
// the reader must refuse, and the bit reader beneath it.
#include "ace_writer.h"
#include "bit_reader.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace q32::ace::testing {
namespace {

class Lz77Members : public ::testing::Test {
protected:
    // The archive extracts, and every member comes out byte for byte.
    void expectExtracted(const WrittenArchive& archive, const std::vector<WriterMember>& members) {
        const Extraction done = extract(saveVolumes(archive, work_.path(), "packed"), destination_);
        ASSERT_EQ(done.result, AceResult::Ok) << done.error;
        for (const WriterMember& member : members)
            EXPECT_EQ(readBytes(destination_ + "/" + member.name), member.data) << member.name;
    }
    TempFolder work_;
    std::string destination_ = work_ / "out";
};

TEST_F(Lz77Members, DecodeByteExactAloneSolidOrOverVolumes) {
    const std::string shared = randomBytes(20000, 6);  // compresses only by reference to the first member
    const std::pair<std::vector<WriterMember>, WriterOptions> cases[] = {
        {{packedFile("prose.txt", sampleText(120000, 4)), packedFile("noise.bin", randomBytes(5000, 5)),
          packedFile("one.txt", "x"), packedFile("empty.txt", "")}, {}},
        // Solid: a packed member, and a stored one too, fill the window later members copy from.
        {{packedFile("a.bin", shared), {.name = "b.bin", .data = randomBytes(3000, 7) + shared.substr(0, 9000)},
          packedFile("c.bin", shared.substr(5000) + shared.substr(0, 5000))}, {.solid = true}},
        {{packedFile("prose.txt", sampleText(60000, 10)), packedFile("more.txt", sampleText(30000, 11))},
         {.solid = true, .volumeSize = 2500}}};
    for (const auto& [members, options] : cases) {
        std::filesystem::remove_all(destination_);
        const WrittenArchive archive = writeAce(members, options);
        // Spread over volumes, or smaller than the members stored.
        EXPECT_TRUE(!options.solid || (options.volumeSize > 0 ? archive.volumes.size() > 3
                                                               : archive.volumes[0].size() < 40000));
        expectExtracted(archive, members);
    }
}

TEST_F(Lz77Members, EveryKindOfSymbolAndCopiesAcrossTheWindowsWrapPointDecode) {
    // Over 4 MiB in one solid run, so that the window wraps; the last copy
    // reaches back almost 4 MiB, across the wrap point.
    const std::string unique = randomBytes(200000, 8);
    const std::vector<WriterMember> members = {packedFile("lead.txt", sampleText(300000, 9)),
                                               packedFile("far.bin", unique + sampleText(3700000, 10) + unique)};
    const WrittenArchive archive = writeAce(members, {.solid = true});
    const Lz77Stats& stats = archive.stats;
    EXPECT_GT(stats.literals, 0u);
    EXPECT_GT(stats.newDistances, 0u);
    for (std::size_t count : stats.recentDistances)
        EXPECT_GT(count, 0u);
    EXPECT_GT(stats.blocks, 2u);
    EXPECT_GT(stats.longestDistance, 3800000u);
    expectExtracted(archive, members);
}

TEST(Lz77Streams, ThatTheReaderCannotUseFailWithoutLeavingFiles) {
    std::vector<std::pair<std::string, std::string>> streams = {  // packed bytes, what the error names
        {Lz77Encoder().encodeModeSwitch(), "mode"},
        {Lz77Encoder().encode(sampleText(1000, 12)), ""}};  // shorter than the member
    for (unsigned seed = 0; seed < 300; ++seed)
        streams.push_back({randomBytes(64 + seed * 3, seed), ""});
    for (std::size_t index = 0; index < streams.size(); ++index) {
        const WriterMember member = {
            .name = "member.bin", .data = sampleText(5000, 12), .lz77 = true, .packedOverride = streams[index].first};
        TempFolder work;
        const Extraction done = extract(saveVolumes(writeAce({member}), work.path(), "bad"), work / "out");
        EXPECT_EQ(done.result, AceResult::Damaged) << "stream " << index << ": " << done.error;
        EXPECT_NE(done.error.find(streams[index].second), std::string::npos) << done.error;
        EXPECT_TRUE(filesIn(work / "out").empty()) << "stream " << index;
    }
}

// Words are little-endian, read from their top bit; a partial last word is
// padded at the top, one word of zeros follows, then reading stops.
TEST(BitReader, ReadsOneWordOfZerosPastTheEndThenStops) {
    const std::vector<std::uint8_t> bytes = {0x01, 0x00, 0x00, 0x80, 0xAB};  // word 0x80000001, a stray byte
    MemoryInput input(bytes);
    BitReader bits(input);
    EXPECT_EQ(bits.read(1), 1u);
    EXPECT_EQ(bits.peek(32), 2u);  // across into the next word
    EXPECT_EQ(bits.read(31), 1u);
    EXPECT_EQ(bits.read(24), 0u);  // the missing top bytes of the partial word
    EXPECT_EQ(bits.read(8), 0xABu);
    EXPECT_EQ(bits.read(32), 0u);  // the padding word
    EXPECT_THROW(bits.read(1), AceError);
}

}  // namespace
}  // namespace q32::ace::testing
