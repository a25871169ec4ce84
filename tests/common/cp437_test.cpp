// The code page 437 table.
#include <gtest/gtest.h>

#include "common/cp437.h"

namespace q32 {
namespace {

TEST(Cp437, LineArtLettersAndTheScreensControlSymbols) {
    EXPECT_EQ(cp437ToUtf8("Box \xB3\xC4\xDA\xDB\xE1\x01"), "Box \u2502\u2500\u250C\u2588\u00DF\x01");
    EXPECT_EQ(cp437Glyph(0x01), u'\u263A');
    EXPECT_EQ(cp437Glyph(0x7F), u'\u2302');
    EXPECT_EQ(cp437Glyph('A'), u'A');
    EXPECT_EQ(cp437Glyph(0xFF), u'\u00A0');
}

}  // namespace
}  // namespace q32
