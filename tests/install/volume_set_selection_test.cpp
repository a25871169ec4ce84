// Set selection: which files of the shown folder are proved by their heads,
// selected for the user to see, and left in the selection in set order.
#include <gtest/gtest.h>

#include <string>

#include "common/text.h"
#include "install/volume_set_selection.h"
#include "support/test_drive.h"

namespace q32::test {
namespace {

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

// The list shows the kind's files of the folder, as its kind button leaves it.
TEST(VolumeSetSelection, CandidatesAreProvedSelectedAndPutInSetOrder) {
    for (const char* folder : {"c:\\Sets", "d:\\"}) {
        for (const Case& c : kCases) {
            SCOPED_TRACE(std::string(c.what) + " in " + folder);
            TestDrive drive;
            drive.makeFolder(folder);
            for (const auto& [name, bytes] : c.files) drive.writeFile(joinPath(folder, name), bytes);
            HeadlessFolderTree tree(drive.fs());
            HeadlessFileList list(drive.fs());
            HeadlessDesktop screen;
            Selection selection;
            tree.setPath(folder);
            list.setPath(folder);
            list.setPattern(kindInfo(c.kind).toolbarFilter);
            VolumeSetSelection sets({tree, list, screen, drive.fs(), selection});

            EXPECT_EQ(sets.selectSetOf(c.kind), c.found);
            EXPECT_EQ(sets.setFound().any(), c.found);
            EXPECT_EQ(list.selectedItems(), c.selected);
            if (!c.found) continue;
            EXPECT_EQ(selection.names(), c.table);
        }
    }
}

}  // namespace
}  // namespace q32::test
