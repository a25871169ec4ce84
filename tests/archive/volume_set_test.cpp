// The archive kinds: which names may be volumes of a set, which heads prove
// an archive; and set selection through the main window: which files of the
// shown folder are proved by their heads, selected, and left in the table in
// set order.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>

#include "archive/kinds.h"
#include "common/text.h"
#include "support/test_drive.h"

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

// Short, misspelt and misplaced heads; the set selection below proves whole ones.
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

using Files = std::vector<std::pair<std::string, std::string>>;

const std::string kRar = "Rar!\x1a\x07";
const std::string kAce = std::string(7, '\x01') + "**ACE**";
const std::string kArj = std::string("\x60\xEA", 2) + "arj head";
const std::string kText = "plain text, no head of any kind";

struct Case {
    const char* what;
    ArchiveKind kind;
    Files files;
    bool found;
    std::vector<std::string> table;     // slots 1 to the count
    std::vector<std::string> selected;  // what the list shows selected
};

const Case kCases[] = {
    {"a RAR set", ArchiveKind::Rar, {{"game.r00", kRar}, {"game.r01", kRar}, {"game.rar", kRar}}, true,
     {"game.rar", "game.r00", "game.r01"}, {"game.r00", "game.r01", "game.rar"}},
    {"a RAR run ends at a volume that is not RAR", ArchiveKind::Rar,
     {{"a.r00", kRar}, {"b.r01", kText}, {"c.rar", kRar}}, true, {"a.r00"}, {"a.r00"}},
    {"files not named as volumes are passed over", ArchiveKind::Rar,
     {{"a.r00", kRar}, {"b.rtf", kText}, {"c.rar", kRar}, {"readme.rtf", kRar}}, true, {"c.rar", "a.r00"},
     {"a.r00", "c.rar"}},
    {"a first candidate that is not RAR", ArchiveKind::Rar, {{"bad.r00", kText}, {"game.rar", kRar}}, false, {}, {}},
    {"two sets: every name keeps a place", ArchiveKind::Rar,
     {{"a.r00", kRar}, {"a.rar", kRar}, {"b.r00", kRar}, {"b.rar", kRar}}, true,
     {"b.rar", "a.r00", "b.r00", "a.rar"}, {"a.r00", "a.rar", "b.r00", "b.rar"}},
    {"an ARJ set", ArchiveKind::Arj, {{"tool.a01", kArj}, {"tool.a02", kArj}, {"tool.arj", kArj}}, true,
     {"tool.arj", "tool.a01", "tool.a02"}, {"tool.a01", "tool.a02", "tool.arj"}},
    {"ARJ passes over text", ArchiveKind::Arj, {{"notes.asc", kText}, {"tool.arj", kArj}}, true, {"tool.arj"},
     {"tool.arj"}},
    {"ARJ heads after 99 and 100 bytes", ArchiveKind::Arj,
     {{"p100.a01", std::string(100, 'p') + kArj}, {"p99.arj", std::string(99, 'p') + kArj}}, true, {"p99.arj"},
     {"p99.arj"}},
    {"an ACE set", ArchiveKind::Ace, {{"game.ace", kAce}, {"game.c00", kAce}, {"game.c01", kAce}}, true,
     {"game.ace", "game.c00", "game.c01"}, {"game.ace", "game.c00", "game.c01"}},
    {"ACE passes over a .cab", ArchiveKind::Ace, {{"clip.cab", kText}, {"game.ace", kAce}, {"game.c00", kAce}},
     true, {"game.ace", "game.c00"}, {"game.ace", "game.c00"}},
    {"an ACE head one byte early", ArchiveKind::Ace, {{"game.ace", kAce.substr(1)}, {"game.c00", kAce}}, false, {},
     {}},
};

TEST(SelectSets, CandidatesAreProvedSelectedAndPutInSetOrder) {
    for (const char* folder : {"c:\\Sets", "d:\\"}) {
        for (const Case& c : kCases) {
            SCOPED_TRACE(std::string(c.what) + " in " + folder);
            TestDrive drive;
            drive.makeFolder(folder);
            for (const auto& [name, bytes] : c.files) drive.writeFile(joinPath(folder, name), bytes);
            TestProgram program(drive);
            program.window.Form_Load();
            program.ui.tree.userSelects(folder);
            program.ui.toolbar.click(static_cast<int>(c.kind));
            if (c.kind == ArchiveKind::Rar) program.window.SelectRarSet();
            if (c.kind == ArchiveKind::Arj) program.window.SelectArjSet();
            if (c.kind == ArchiveKind::Ace) program.window.SelectAceSet();

            EXPECT_EQ(program.window.setFound().any(), c.found);
            EXPECT_EQ(program.ui.list.selectedItems(), c.selected);
            if (!c.found) continue;
            std::vector<std::string> table;
            for (int slot = 1; slot <= program.window.selectionCount(); ++slot)
                table.push_back(program.window.selection(slot));
            EXPECT_EQ(table, c.table);
        }
    }
}

}  // namespace
}  // namespace q32::test
