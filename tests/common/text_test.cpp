#include "common/text.h"

#include <gtest/gtest.h>

#include <clocale>

namespace q32 {
namespace {

TEST(NumText, SignPositionAndDigits) {
    EXPECT_EQ(numText(0), " 0");
    EXPECT_EQ(numText(100), " 100");
    EXPECT_EQ(numText(-5), "-5");
    EXPECT_EQ(numText(7200.0), " 7200");
    EXPECT_EQ(numText(1950.5), " 1950.5");
    EXPECT_EQ(numText(-120.0), "-120");
    EXPECT_EQ(numText(1234567.0), " 1234567");
    // Seven significant digits at most.
    EXPECT_EQ(numText(1234.56789), " 1234.568");
    EXPECT_EQ(numText(12345678.0), " 1.234568E+07");
}

TEST(NumText, IgnoresTheLocale) {
    const char* old = std::setlocale(LC_ALL, nullptr);
    const std::string saved = old ? old : "C";
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) std::setlocale(LC_ALL, "C.UTF-8");
    EXPECT_EQ(numText(2.5), " 2.5");
    double value = 0;
    EXPECT_TRUE(parseNumber("2.5", value));
    EXPECT_DOUBLE_EQ(value, 2.5);
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(ParseNumber, AcceptsOnlyAWholeNumber) {
    double value = -1;
    EXPECT_TRUE(parseNumber(" 1950", value));
    EXPECT_DOUBLE_EQ(value, 1950);
    EXPECT_TRUE(parseNumber("+12.25 ", value));
    EXPECT_DOUBLE_EQ(value, 12.25);
    EXPECT_FALSE(parseNumber("abc", value));
    EXPECT_FALSE(parseNumber("", value));
    EXPECT_FALSE(parseNumber("12abc", value));
    EXPECT_FALSE(parseNumber("1 2", value));
    EXPECT_DOUBLE_EQ(value, 12.25);  // failures leave the value alone
}

TEST(LeadingInteger, TakesLeadingDigitsOnly) {
    EXPECT_EQ(leadingInteger("2"), 2);
    EXPECT_EQ(leadingInteger(" 1"), 1);
    EXPECT_EQ(leadingInteger(""), 0);
    EXPECT_EQ(leadingInteger("abc"), 0);
    EXPECT_EQ(leadingInteger("2x"), 2);
    EXPECT_EQ(leadingInteger("-3"), -3);
}

TEST(Paths, JoinSplitAndRoots) {
    EXPECT_EQ(joinPath("c:\\", "tool.zip"), "c:\\tool.zip");
    EXPECT_EQ(joinPath("c:\\games", "tool.zip"), "c:\\games\\tool.zip");
    EXPECT_EQ(joinPath("c:", "tool.zip"), "c:\\tool.zip");
    EXPECT_EQ(folderWithoutRoot("c:\\"), "c:");
    EXPECT_EQ(folderWithoutRoot("c:\\games"), "c:\\games");
    EXPECT_EQ(folderOf("C:\\GAMES\\A.ZIP"), "C:\\GAMES");
    EXPECT_EQ(folderOf("C:\\A.ZIP"), "C:\\");
    EXPECT_EQ(folderOf("A.ZIP"), "");
    EXPECT_EQ(nameOf("C:\\GAMES\\A.ZIP"), "A.ZIP");
    EXPECT_EQ(nameOf("A.ZIP"), "A.ZIP");
}

TEST(Case, AsciiOnlyAndSearch) {
    EXPECT_EQ(lower("Tool.ZIP"), "tool.zip");
    EXPECT_EQ(upper("tool.rar"), "TOOL.RAR");
    EXPECT_EQ(lower("\xC3\x84"), "\xC3\x84");  // non-ASCII bytes are left alone
    EXPECT_TRUE(equalsNoCase("A.ZIP", "a.zip"));
    EXPECT_FALSE(equalsNoCase("a.zip", "a.zi"));
    EXPECT_EQ(findNoCase("game.R00", ".r"), 4u);
    EXPECT_EQ(findNoCase(".r00", ".r", 1), std::string::npos);
    EXPECT_EQ(rightPart("tool.rar", 3), "rar");
    EXPECT_EQ(rightPart("ab", 3), "ab");
}

}  // namespace
}  // namespace q32
