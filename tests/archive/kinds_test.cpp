#include "archive/kinds.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace q32 {
namespace {

using std::string_literals::operator""s;

TEST(Kinds, VolumeCandidatesLookFromTheSecondCharacterFirstVolumesAtTheLastThree) {
    struct Case {
        ArchiveKind kind;
        const char* name;
        bool candidate;
        bool first;
    };
    const Case cases[] = {
        {ArchiveKind::Rar, "readme.rtf", true, false}, {ArchiveKind::Rar, "game.R01", true, false},
        {ArchiveKind::Rar, "tool.001", true, false},   {ArchiveKind::Rar, ".r00", false, false},
        {ArchiveKind::Rar, "tool.zip", false, false},  {ArchiveKind::Rar, "tool.RAR", true, true},
        {ArchiveKind::Rar, "tool.rar.bak", true, false}, {ArchiveKind::Arj, "tool.001", true, false},
        {ArchiveKind::Arj, "x.arj", true, true},       {ArchiveKind::Ace, "clip.cab", true, false},
        {ArchiveKind::Ace, "game.ace", true, true},    {ArchiveKind::Ace, "x.c00", true, false},
        {ArchiveKind::Ace, "game.rar", false, false},  {ArchiveKind::Zip, "x.zip", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isVolumeCandidate(c.kind, c.name), c.candidate) << c.name;
        EXPECT_EQ(isFirstVolume(c.kind, c.name), c.first) << c.name;
    }
    EXPECT_EQ(kindOfButton(3), ArchiveKind::Arj);
    for (const char* name : {"A.ZIP", "a.zip"}) EXPECT_TRUE(isZipName(name)) << name;
    for (const char* name : {"a.zip.bad", "ip"}) EXPECT_FALSE(isZipName(name)) << name;
}

TEST(HeadTests, MarkersAtTheirPlaces) {
    const std::string ace = std::string(7, '\0') + "**ACE**";
    const std::string arjAt50 = std::string(50, 'x') + "\x60\xEA";
    const std::string preamble99(99, 'p');
    const std::tuple<ArchiveKind, std::string, bool> cases[] = {
        {ArchiveKind::Rar, "Rar!\x1a\x07\x00"s, true},
        {ArchiveKind::Rar, "Rar!", true},
        {ArchiveKind::Rar, "rar!", false},
        {ArchiveKind::Rar, "Rar", false},
        {ArchiveKind::Rar, "", false},
        {ArchiveKind::Ace, ace, true},
        {ArchiveKind::Ace, ace.substr(0, 12), true},
        {ArchiveKind::Ace, ace.substr(1), false},  // starts at offset 6
        {ArchiveKind::Ace, std::string(10, '*'), false},  // too short
        {ArchiveKind::Ace, std::string(7, '\0') + "**ace", false},
        {ArchiveKind::Arj, arjAt50, true},
        {ArchiveKind::Arj, "ab\x60\x00"s + std::string(6, 'y') + "\x60\xEA", false},  // only the first 60h byte counts
        {ArchiveKind::Arj, preamble99 + "\x60\xEA", true},
        {ArchiveKind::Arj, preamble99 + "p\x60\xEA", false},
        {ArchiveKind::Arj, preamble99 + "\x60", false},  // ends before the byte after the marker
        {ArchiveKind::Zip, "PK\x03\x04", false},
    };
    for (const auto& [kind, head, expected] : cases)
        EXPECT_EQ(headTest(kind, head), expected) << static_cast<int>(kind) << " " << head.size();
    EXPECT_EQ(headBytes(ArchiveKind::Arj), 101u);
}

}  // namespace
}  // namespace q32
