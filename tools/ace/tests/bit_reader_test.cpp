#include "ace_error.h"
#include "bit_reader.h"

#include <gtest/gtest.h>

#include <vector>

namespace q32::ace {
namespace {

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
}  // namespace q32::ace
