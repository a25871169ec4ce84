// The text helpers every part uses: numbers, paths, letter case, wildcards
// and the code page 437 table.
#include "common/text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <tuple>

#include "common/cp437.h"
#include "common/wildcard.h"

namespace q32 {
namespace {

// A leading blank for the sign; seven significant digits at most. More in the settings tests.
TEST(NumText, SignPositionAndDigits) {
    const std::pair<double, const char*> cases[] = {
        {0, " 0"},           {-5, "-5"},                {1234567.0, " 1234567"},
        {1950.5, " 1950.5"}, {1234.56789, " 1234.568"}, {12345678.0, " 1.234568E+07"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(numText(value), text) << value;
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
    // Blanks before a number and letters after it: the settings tests.
    double value = -1;
    EXPECT_TRUE(parseNumber("+12.25 ", value));
    EXPECT_DOUBLE_EQ(value, 12.25);
    EXPECT_FALSE(parseNumber("", value));
    EXPECT_FALSE(parseNumber("1 2", value));
    EXPECT_DOUBLE_EQ(value, 12.25);  // failures leave the value alone
}

TEST(LeadingInteger, TakesLeadingDigitsOnly) {
    const std::pair<const char*, long> cases[] = {{"2", 2}, {" 1", 1}, {"", 0}, {"abc", 0}, {"2x", 2}, {"-3", -3}};
    for (const auto& [text, value] : cases) EXPECT_EQ(leadingInteger(text), value) << text;
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

// Searches and endings as the archive kinds use them: the kind tests.
TEST(Case, AsciiOnlyAndSearch) {
    EXPECT_EQ(lower("Tool.ZIP"), "tool.zip");
    EXPECT_EQ(lower("\xC3\x84"), "\xC3\x84");  // non-ASCII bytes are left alone
    EXPECT_TRUE(equalsNoCase("A.ZIP", "a.zip"));
    EXPECT_FALSE(equalsNoCase("a.zip", "a.zi"));
    EXPECT_EQ(rightPart("ab", 3), "ab");
}

// Stars and question marks without case, "?" for exactly one character,
// "*.*" also for names without a dot; lists split at semicolons.
TEST(Wildcard, StarsQuestionMarksAndPatternLists) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"*.ZIP", "tool.zip", true},        {"*.zip", "TOOL.ZIP", true},       {"*.zip", "tool.zip.bad", false},
        {"*.R??", "game.r00", true},        {"*.R??", "readme.rtf", true},     {"*.R??", "game.r1", false},
        {"Quil0??", "quil0ab", true},       {"Quil0??", "Quil1000", false},    {"a*b*c", "aXXbYYc", true},
        {"a*b*c", "aXXbYY", false},         {"*.*", "README", true},           {"*.*", "setup.exe", true},
        {"*.?", "README", false},           {"*.R??;*.0??", "tool.001", true}, {"*.ACE;*.C??", "clip.cab", true},
        {"*.ACE;*.C??", "tool.zip", false}, {"", "tool.zip", false},           {";*.zip;", "a.zip", true},
    };
    for (const auto& [patterns, name, matches] : cases)
        EXPECT_EQ(wildcardMatchAny(patterns, name), matches) << patterns << " " << name;
    // A pathological pattern must not take exponential time.
    EXPECT_FALSE(wildcardMatch("*a*a*a*a*a*a*a*a*a*a*b", std::string(200, 'a')));
}

TEST(Cp437, LineArtLettersAndTheScreensControlSymbols) {
    EXPECT_EQ(cp437ToUtf8("Box \xB3\xC4\xDA\xDB\xE1\x01"), "Box \u2502\u2500\u250C\u2588\u00DF\x01");
    EXPECT_EQ(cp437Glyph(0x01), u'\u263A');
    EXPECT_EQ(cp437Glyph(0x7F), u'\u2302');
    EXPECT_EQ(cp437Glyph('A'), u'A');
    EXPECT_EQ(cp437Glyph(0xFF), u'\u00A0');
}

}  // namespace
}  // namespace q32
