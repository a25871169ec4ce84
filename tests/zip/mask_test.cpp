#include <zip.h>

#include "platform/zip/file_mask.h"
#include "zip_test_base.h"

namespace q32::zip::test {
namespace {

class Masks : public ZipEngineTest {
protected:
    void SetUp() override {
        writeZip(path("pkg.zip"), {file("FILE_ID.DIZ", "description"), file("info/Readme.NFO", "nfo art"),
                                   file("setup.exe", "MZ"), file("README", "no dot"), folder("art.diz")});
    }
};

TEST_F(Masks, SeveralMasksSeparatedByCarriageReturnsMatchFileNamesWithoutCase) {
    EXPECT_EQ(extract("pkg.zip", "out", "*.diz\r*.nfo"), zipcode::Success);
    EXPECT_EQ(temp.listing(), (std::vector<std::string>{"out", "out/FILE_ID.DIZ", "out/art.diz", "out/info",
                                                         "out/info/Readme.NFO", "pkg.zip"}));
}

TEST_F(Masks, StarDotStarAndTheEmptyMaskSelectEveryMember) {
    EXPECT_EQ(extract("pkg.zip", "all", "*.*\r"), zipcode::Success);
    EXPECT_EQ(extract("pkg.zip", "empty", ""), zipcode::Success);
    for (const char* folder : {"all", "empty"}) {
        const std::string base = std::string(folder) + "/";
        EXPECT_EQ(contents(base + "README"), "no dot");
        EXPECT_EQ(contents(base + "setup.exe"), "MZ");
        EXPECT_EQ(contents(base + "info/Readme.NFO"), "nfo art");
    }
}

TEST_F(Masks, NoMatchingMemberIsNothingToDoAndWritesNothing) {
    EXPECT_EQ(extract("pkg.zip", "out", "*.txt"), zipcode::NothingToDo);
    EXPECT_FALSE(exists("out"));
    EXPECT_EQ(test("pkg.zip", "*.txt"), zipcode::NothingToDo);
}

TEST_F(Masks, TestChecksOnlyTheSelectedMembers) {
    writeZip(path("bad.zip"), {file("file_id.diz", "fine"), file("data.txt", "payload that gets damaged", ZIP_CM_STORE)});
    flipByte(path("bad.zip"), findBytes(path("bad.zip"), "payload"));

    EXPECT_EQ(test("bad.zip", "*.diz"), zipcode::Success);
    EXPECT_EQ(test("bad.zip", ""), zipcode::CrcMismatch);
}

TEST(FileMask, QuestionMarksAndFoldersInMemberNames) {
    const FileMask mask("file_id.??z\r\r*.nfo\r");
    EXPECT_TRUE(mask.selects("pkg/FILE_ID.DIZ"));
    EXPECT_TRUE(mask.selects("a\\b\\x.NFO"));
    EXPECT_FALSE(mask.selects("file_id.diz/other.txt"));
    EXPECT_FALSE(mask.selects("nfo"));
}

}  // namespace
}  // namespace q32::zip::test
