// The archive kinds: which names may be volumes of a set, which heads prove
// an archive.
#include <gtest/gtest.h>

#include <optional>
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

// The names the archivers give the next volumes, in the letter case of the
// first; every name given is one the set selection takes for a volume.
TEST(Kinds, VolumeNamesFollowTheFirstVolumeInItsLetterCase) {
    const std::tuple<ArchiveKind, const char*, unsigned, std::optional<std::string>> cases[] = {
        {ArchiveKind::Ace, "Set.ace", 0, "Set.ace"},     {ArchiveKind::Ace, "Set.ace", 1, "Set.c00"},
        {ArchiveKind::Ace, "Set.ace", 100, "Set.c99"},   {ArchiveKind::Ace, "Set.ace", 101, "Set.100"},
        {ArchiveKind::Ace, "Set.ace", 1000, "Set.999"},  {ArchiveKind::Ace, "Set.ace", 1001, std::nullopt},
        {ArchiveKind::Ace, "my.set.ACE", 1, "my.set.C00"}, {ArchiveKind::Ace, "noextension", 1, "noextension.c00"},
        {ArchiveKind::Arj, "SETUP.ARJ", 1, "SETUP.A01"}, {ArchiveKind::Arj, "setup.arj", 100, "setup.100"},
        {ArchiveKind::Arj, "Setup.A03", 0, "Setup.ARJ"}, {ArchiveKind::Arj, "setup.a03", 2, "setup.a02"},
        {ArchiveKind::Rar, "Game.Rar", 1, "Game.R00"},   {ArchiveKind::Rar, "game.rar", 101, std::nullopt},
        {ArchiveKind::Zip, "tool.zip", 1, std::nullopt},
    };
    for (const auto& [kind, volume, index, expected] : cases)
        EXPECT_EQ(volumeName(kindInfo(kind).volumes, volume, index), expected) << volume << " " << index;
    // A set arj started at "Set.001" counts on from there.
    const VolumeNaming& arj = kindInfo(ArchiveKind::Arj).volumes;
    EXPECT_EQ(nextVolumeName(arj, "Set.001"), "Set.002");
    EXPECT_EQ(nextVolumeName(arj, "Set.A99"), "Set.100");
    EXPECT_EQ(nextVolumeName(arj, "Set.999"), std::nullopt);
    EXPECT_EQ(nextVolumeName(kindInfo(ArchiveKind::Rar).volumes, "Set.r99"), std::nullopt);
    for (ArchiveKind kind : {ArchiveKind::Rar, ArchiveKind::Arj, ArchiveKind::Ace}) {
        for (unsigned index = 0; index <= 1000; ++index) {
            const auto name = volumeName(kindInfo(kind).volumes, "SET.ace", index);
            if (!name) continue;
            EXPECT_TRUE(isVolumeName(kind, *name)) << *name;
            EXPECT_EQ(isFirstVolume(kind, *name), index == 0) << *name;
        }
    }
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
