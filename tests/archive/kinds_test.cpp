// The archive kinds: which names may be volumes of a set, which heads prove
// an archive.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "archive/kinds.h"

namespace q32::test {
namespace {

using std::string_literals::operator""s;

TEST(Kinds, VolumeCandidatesLookFromTheSecondCharacterFirstVolumesAtTheLastThree) {
    struct Case {
        ArchiveKind kind;
        const char* name;
        bool candidate;
        bool volume;
        bool first;
    };
    const Case cases[] = {
        {ArchiveKind::Rar, "readme.rtf", true, false, false}, {ArchiveKind::Rar, "game.R01", true, true, false},
        {ArchiveKind::Rar, "tool.001", true, true, false},    {ArchiveKind::Rar, ".r00", false, true, false},
        {ArchiveKind::Rar, "tool.zip", false, false, false},  {ArchiveKind::Rar, "tool.RAR", true, true, true},
        {ArchiveKind::Rar, "tool.rar.bak", true, false, false}, {ArchiveKind::Rar, "tool.r0x", true, false, false},
        {ArchiveKind::Arj, "tool.001", true, true, false},    {ArchiveKind::Arj, "x.arj", true, true, true},
        {ArchiveKind::Arj, "x.a01", true, true, false},       {ArchiveKind::Ace, "clip.cab", true, false, false},
        {ArchiveKind::Ace, "game.ace", true, true, true},     {ArchiveKind::Ace, "x.C00", true, true, false},
        {ArchiveKind::Ace, "x.com", true, false, false},      {ArchiveKind::Ace, "x.001", true, false, false},
        {ArchiveKind::Ace, "game.rar", false, false, false},  {ArchiveKind::Zip, "x.zip", false, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isVolumeCandidate(c.kind, c.name), c.candidate) << c.name;
        EXPECT_EQ(isVolumeName(c.kind, c.name), c.volume) << c.name;
        EXPECT_EQ(isFirstVolume(c.kind, c.name), c.first) << c.name;
    }
    for (const char* name : {"a.zip.bad", "ip"}) EXPECT_FALSE(isZipName(name)) << name;  // ZIP names: the drop tests
}

// Short, misspelt and misplaced heads; the set selection tests prove whole ones.
TEST(HeadTests, MarkersAtTheirPlaces) {
    const std::string ace = std::string(7, '\0') + "**ACE**";
    const std::string arjAt50 = std::string(50, 'x') + "\x60\xEA";
    const std::string preamble99(99, 'p');
    const std::tuple<ArchiveKind, std::string, bool> cases[] = {
        {ArchiveKind::Rar, "Rar!", true},
        {ArchiveKind::Rar, "rar!", false},
        {ArchiveKind::Rar, "Rar", false},
        {ArchiveKind::Rar, "", false},
        {ArchiveKind::Ace, ace.substr(0, 12), true},
        {ArchiveKind::Ace, std::string(10, '*'), false},  // too short
        {ArchiveKind::Ace, std::string(7, '\0') + "**ace", false},
        {ArchiveKind::Arj, arjAt50, true},
        {ArchiveKind::Arj, "ab\x60\x00"s + std::string(6, 'y') + "\x60\xEA", false},  // only the first 60h byte counts
        {ArchiveKind::Arj, preamble99 + "\x60", false},  // ends before the byte after the marker
        {ArchiveKind::Zip, "PK\x03\x04", false},
    };
    for (const auto& [kind, head, expected] : cases)
        EXPECT_EQ(headTest(kind, head), expected) << static_cast<int>(kind) << " " << head.size();
}

}  // namespace
}  // namespace q32::test
