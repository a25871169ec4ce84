#include "common/wildcard.h"

#include <gtest/gtest.h>

#include <string>

namespace q32 {
namespace {

TEST(Wildcard, StarsAndQuestionMarksWithoutCase) {
    EXPECT_TRUE(wildcardMatch("*.ZIP", "tool.zip"));
    EXPECT_TRUE(wildcardMatch("*.zip", "TOOL.ZIP"));
    EXPECT_FALSE(wildcardMatch("*.zip", "tool.zip.bad"));
    EXPECT_TRUE(wildcardMatch("*.R??", "game.r00"));
    EXPECT_TRUE(wildcardMatch("*.R??", "readme.rtf"));
    EXPECT_FALSE(wildcardMatch("*.R??", "game.r1"));  // "?" stands for exactly one character
    EXPECT_TRUE(wildcardMatch("Quil0??", "quil0ab"));
    EXPECT_FALSE(wildcardMatch("Quil0??", "Quil1000"));
    EXPECT_TRUE(wildcardMatch("a*b*c", "aXXbYYc"));
    EXPECT_FALSE(wildcardMatch("a*b*c", "aXXbYY"));
}

TEST(Wildcard, StarDotStarMatchesNamesWithoutADot) {
    EXPECT_TRUE(wildcardMatch("*.*", "README"));
    EXPECT_TRUE(wildcardMatch("*.*", "setup.exe"));
    EXPECT_FALSE(wildcardMatch("*.?", "README"));
}

TEST(Wildcard, PatternLists) {
    EXPECT_TRUE(wildcardMatchAny("*.R??;*.0??", "tool.001"));
    EXPECT_TRUE(wildcardMatchAny("*.ACE;*.C??", "clip.cab"));
    EXPECT_FALSE(wildcardMatchAny("*.ACE;*.C??", "tool.zip"));
    EXPECT_FALSE(wildcardMatchAny("", "tool.zip"));
    EXPECT_TRUE(wildcardMatchAny(";*.zip;", "a.zip"));
}

TEST(Wildcard, ManyStarsStayFast) {
    // A pathological pattern must not take exponential time.
    const std::string name(200, 'a');
    EXPECT_FALSE(wildcardMatch("*a*a*a*a*a*a*a*a*a*a*b", name));
}

}  // namespace
}  // namespace q32
