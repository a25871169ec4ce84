#include "archive/kinds.h"

#include <gtest/gtest.h>

#include <string>

namespace q32 {
namespace {

TEST(Kinds, FiltersAndCaptions) {
    EXPECT_STREQ(kindInfo(ArchiveKind::Zip).toolbarFilter, "*.ZIP");
    EXPECT_STREQ(kindInfo(ArchiveKind::Rar).toolbarFilter, "*.R??;*.0??");
    EXPECT_STREQ(kindInfo(ArchiveKind::Arj).toolbarFilter, "*.A??;*.0??");
    EXPECT_STREQ(kindInfo(ArchiveKind::Ace).toolbarFilter, "*.ACE;*.C??");
    EXPECT_STREQ(kindInfo(ArchiveKind::Ace).caption, "*.ace");
    EXPECT_EQ(kindOfButton(3), ArchiveKind::Arj);
}

TEST(Kinds, VolumeCandidatesLookFromTheSecondCharacter) {
    EXPECT_TRUE(isVolumeCandidate(ArchiveKind::Rar, "readme.rtf"));
    EXPECT_TRUE(isVolumeCandidate(ArchiveKind::Rar, "game.R01"));
    EXPECT_TRUE(isVolumeCandidate(ArchiveKind::Rar, "tool.001"));
    EXPECT_FALSE(isVolumeCandidate(ArchiveKind::Rar, ".r00"));
    EXPECT_FALSE(isVolumeCandidate(ArchiveKind::Rar, "tool.zip"));
    EXPECT_TRUE(isVolumeCandidate(ArchiveKind::Arj, "tool.001"));
    EXPECT_TRUE(isVolumeCandidate(ArchiveKind::Ace, "game.ace"));
    EXPECT_TRUE(isVolumeCandidate(ArchiveKind::Ace, "clip.cab"));
    EXPECT_FALSE(isVolumeCandidate(ArchiveKind::Ace, "game.rar"));
}

TEST(Kinds, FirstVolumesByTheirLastThreeLetters) {
    EXPECT_TRUE(isFirstVolume(ArchiveKind::Rar, "tool.RAR"));
    EXPECT_TRUE(isFirstVolume(ArchiveKind::Rar, "tool.rar"));
    EXPECT_FALSE(isFirstVolume(ArchiveKind::Rar, "tool.rar.bak"));
    EXPECT_TRUE(isFirstVolume(ArchiveKind::Arj, "x.arj"));
    EXPECT_FALSE(isFirstVolume(ArchiveKind::Ace, "x.c00"));
    EXPECT_FALSE(isFirstVolume(ArchiveKind::Zip, "x.zip"));
    EXPECT_TRUE(isZipName("A.ZIP"));
    EXPECT_TRUE(isZipName("a.zip"));
    EXPECT_FALSE(isZipName("a.zip.bad"));
    EXPECT_FALSE(isZipName("ip"));
}

TEST(HeadTests, Rar) {
    EXPECT_TRUE(rarHeadTest(std::string("Rar!\x1a\x07\x00", 7)));
    EXPECT_TRUE(rarHeadTest("Rar!"));
    EXPECT_FALSE(rarHeadTest("rar!"));
    EXPECT_FALSE(rarHeadTest("Rar"));
    EXPECT_FALSE(rarHeadTest(""));
    EXPECT_TRUE(headTest(ArchiveKind::Rar, "Rar!anything"));
}

TEST(HeadTests, Ace) {
    const std::string good = std::string("\x00\x00\x00\x00\x00\x00\x00", 7) + "**ACE**";
    EXPECT_TRUE(aceHeadTest(good));
    EXPECT_TRUE(aceHeadTest(good.substr(0, 12)));
    EXPECT_FALSE(aceHeadTest(good.substr(1)));  // starts at offset 6
    EXPECT_FALSE(aceHeadTest(std::string(10, '*')));  // ten bytes are too short
    EXPECT_FALSE(aceHeadTest(std::string(7, '\0') + "**ace"));
}

TEST(HeadTests, ArjLooksAtTheFirst60hByteOnly) {
    std::string at50(50, 'x');
    at50 += "\x60\xEA";
    EXPECT_TRUE(arjHeadTest(at50));

    std::string twoMarkers("ab\x60", 3);
    twoMarkers += std::string("\x00", 1) + std::string(6, 'y') + "\x60\xEA";
    EXPECT_FALSE(arjHeadTest(twoMarkers));

    std::string preamble99(99, 'p');
    EXPECT_TRUE(arjHeadTest(preamble99 + "\x60\xEA"));
    std::string preamble100(100, 'p');
    EXPECT_FALSE(arjHeadTest(preamble100 + "\x60\xEA"));
    EXPECT_FALSE(arjHeadTest(preamble99 + "\x60"));  // ends before the byte after the marker
    EXPECT_EQ(headBytes(ArchiveKind::Arj), 101u);
}

}  // namespace
}  // namespace q32
