#include "ace_writer.h"
#include "volume_files.h"

#include <gtest/gtest.h>

namespace q32::ace::testing {
namespace {

TEST(VolumeNames, FollowTheFirstVolumeWithC00ToC99Then100Up) {
    EXPECT_EQ(volumeFileName("Set.ace", 0), "Set.ace");
    EXPECT_EQ(volumeFileName("Set.ace", 1), "Set.c00");
    EXPECT_EQ(volumeFileName("Set.ace", 2), "Set.c01");
    EXPECT_EQ(volumeFileName("Set.ace", 100), "Set.c99");
    EXPECT_EQ(volumeFileName("Set.ace", 101), "Set.100");
    EXPECT_EQ(volumeFileName("Set.ace", 1000), "Set.999");
    EXPECT_EQ(volumeFileName("Set.ace", 1001), std::nullopt);
    EXPECT_EQ(volumeFileName("my.set.ACE", 1), "my.set.c00");
    EXPECT_EQ(volumeFileName("noextension", 1), "noextension.c00");
}

TEST(VolumeNames, AreFoundWhateverTheirLetterCaseOnDisk) {
    TempFolder folder;
    writeBytes(folder / "SET.C00", "");
    writeBytes(folder / "set.c01", "");
    writeBytes(folder / "Set.C01", "");
    EXPECT_EQ(findNoCase(folder.path(), "set.c00"), "SET.C00");
    EXPECT_EQ(findNoCase(folder.path(), "set.c01"), "set.c01");  // the exact match wins
    EXPECT_EQ(findNoCase(folder.path(), "set.c02"), std::nullopt);
}

}  // namespace
}  // namespace q32::ace::testing
