#include "ace_error.h"
#include "bit_reader.h"

#include <gtest/gtest.h>

#include <vector>

namespace q32::ace {
namespace {

TEST(BitReader, TakesBitsFromTheTopOfLittleEndianWords) {
    // Words 0x80000001 and 0xF0000000, stored little-endian.
    const std::vector<std::uint8_t> bytes = {0x01, 0x00, 0x00, 0x80, 0x00, 0x00, 0x00, 0xF0};
    MemoryInput input(bytes);
    BitReader bits(input);
    EXPECT_EQ(bits.read(1), 1u);
    EXPECT_EQ(bits.read(30), 0u);
    EXPECT_EQ(bits.peek(5), 0b11111u);  // last bit of word one, top four of word two
    EXPECT_EQ(bits.read(1), 1u);
    EXPECT_EQ(bits.read(4), 0xFu);
    EXPECT_EQ(bits.read(28), 0u);
}

TEST(BitReader, ReadsOneWordOfZerosPastTheEndThenStops) {
    const std::vector<std::uint8_t> bytes = {0xFF, 0xFF, 0xFF, 0xFF, 0xAB};  // a word and a stray byte
    MemoryInput input(bytes);
    BitReader bits(input);
    EXPECT_EQ(bits.read(32), 0xFFFFFFFFu);
    EXPECT_EQ(bits.read(24), 0u);  // the missing top bytes of the partial word
    EXPECT_EQ(bits.read(8), 0xABu);
    EXPECT_EQ(bits.read(32), 0u);  // the padding word
    EXPECT_THROW(bits.read(1), AceError);
}

}  // namespace
}  // namespace q32::ace
