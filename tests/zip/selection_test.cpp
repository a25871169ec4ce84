// Which members an extraction or a test works on: those the masks select,
// less those whose names or links would leave the destination.
#include <unistd.h>
#include <zip.h>

#include <filesystem>

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
    EXPECT_EQ(temp.listing(),
              (std::vector<std::string>{"out", "out/FILE_ID.DIZ", "out/info", "out/info/Readme.NFO", "pkg.zip"}));
}

TEST_F(Masks, StarDotStarAndTheEmptyMaskSelectEveryMember) {
    EXPECT_EQ(extract("pkg.zip", "all", "*.*\r"), zipcode::Success);
    EXPECT_EQ(extract("pkg.zip", "empty", ""), zipcode::Success);
    for (const char* folder : {"all", "empty"}) {
        const std::string base = std::string(folder) + "/";
        EXPECT_EQ(contents(base + "README"), "no dot");
        EXPECT_EQ(contents(base + "setup.exe"), "MZ");
        EXPECT_EQ(contents(base + "info/Readme.NFO"), "nfo art");
        EXPECT_TRUE(std::filesystem::is_directory(path(base + "art.diz")));
    }
}

TEST_F(Masks, AFileMaskNeverSelectsAFolderMember) {
    // Folders by a trailing slash, a trailing backslash and the DOS attribute alone.
    writeZip(path("dirs.zip"), {folder("file_id.diz/"), file("x.nfo\\", ""), file("old.diz", ""), file("a.nfo", "art")});
    patchNumber(path("dirs.zip"), centralHeaderOffset(path("dirs.zip"), "old.diz") + 4, 20, 2);  // made on DOS
    patchNumber(path("dirs.zip"), centralHeaderOffset(path("dirs.zip"), "old.diz") + 38, 0x10, 4);

    EXPECT_EQ(extract("dirs.zip", "out", "*.diz\r*.nfo"), zipcode::Success);
    EXPECT_EQ(temp.listing(), (std::vector<std::string>{"dirs.zip", "out", "out/a.nfo", "pkg.zip"}));
    EXPECT_EQ(extract("dirs.zip", "none", "*.diz"), zipcode::NothingToDo);
    EXPECT_EQ(test("dirs.zip", "*.diz"), zipcode::NothingToDo);
    EXPECT_FALSE(exists("none"));
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
    EXPECT_TRUE(mask.selectsFile("pkg/FILE_ID.DIZ"));
    EXPECT_TRUE(mask.selectsFile("a\\b\\x.NFO"));
    EXPECT_FALSE(mask.selectsFile("file_id.diz/other.txt"));
    EXPECT_FALSE(mask.selectsFile("nfo"));
    EXPECT_FALSE(mask.selectsFolders());
    for (const char* everything : {"", "\r", "*.*\r", "*.diz\r*"}) EXPECT_TRUE(FileMask(everything).selectsFolders());
}

class PathSafety : public ZipEngineTest {
protected:
    // A name in the root folder that an escaping member would reach.
    std::string rootName() const { return "q32-escape-" + std::to_string(::getpid()) + ".txt"; }
};

TEST_F(PathSafety, UnsafeNamesAndLinksAreSkippedWithAWarning) {
    std::filesystem::create_directories(path("outside"));
    writeZip(path("hostile.zip"), {file("../escaped.txt", "up one"), file("sub/../../deeper.txt", "up two"),
                                   file("/" + rootName(), "absolute"), file("\\" + rootName(), "absolute too"),
                                   file("c:\\drive.txt", "drive"), file("d:relative.txt", "drive relative"),
                                   link("link", path("outside")), link("sub/passwd", "/etc/passwd"),
                                   file("./sub/./safe.txt", "kept"), file("good.txt", "kept too")});

    EXPECT_EQ(test("hostile.zip"), zipcode::Success);  // testing checks the data, whatever the names
    EXPECT_EQ(extract("hostile.zip", "dest"), zipcode::UnsafeNamesSkipped);

    EXPECT_EQ(contents("dest/sub/safe.txt"), "kept");
    EXPECT_EQ(contents("dest/good.txt"), "kept too");
    EXPECT_EQ(temp.listing(), (std::vector<std::string>{"dest", "dest/good.txt", "dest/sub", "dest/sub/safe.txt",
                                                         "hostile.zip", "outside"}));
    EXPECT_FALSE(std::filesystem::exists("/" + rootName()));
}

TEST_F(PathSafety, ANamePartLongerThanAFileSystemTakesIsSkippedWithAWarning) {
    const std::string longest(255, 'n'), tooLong(256, 'n');
    writeZip(path("long.zip"), {file(tooLong, "file part"), file(tooLong + "/in.txt", "folder part"),
                                folder(tooLong + "/"), file("dir/" + longest, "longest"), file("good.txt", "kept")});

    EXPECT_EQ(test("long.zip"), zipcode::Success);
    EXPECT_EQ(extract("long.zip", "dest"), zipcode::UnsafeNamesSkipped);

    EXPECT_EQ(contents("dest/dir/" + longest), "longest");
    EXPECT_EQ(temp.listing(),
              (std::vector<std::string>{"dest", "dest/dir", "dest/dir/" + longest, "dest/good.txt", "long.zip"}));
}

TEST_F(PathSafety, ALinkInsideTheDestinationIsNeverFollowed) {
    std::filesystem::create_directories(path("outside"));
    std::filesystem::create_directories(path("dest"));
    std::filesystem::create_directory_symlink(path("outside"), path("dest/sub"));
    writeZip(path("tool.zip"), {file("sub/planted.txt", "must not leave dest"), file("fine.txt", "fine")});

    EXPECT_EQ(extract("tool.zip", "dest"), zipcode::CannotWrite);

    EXPECT_TRUE(std::filesystem::is_empty(path("outside")));
    EXPECT_EQ(contents("dest/fine.txt"), "fine");
}

TEST_F(PathSafety, AnArchiveLinkCannotRedirectALaterMember) {
    std::filesystem::create_directories(path("outside"));
    writeZip(path("tool.zip"), {link("sub", path("outside")), file("sub/planted.txt", "stays inside")});

    EXPECT_EQ(extract("tool.zip", "dest"), zipcode::UnsafeNamesSkipped);

    EXPECT_TRUE(std::filesystem::is_empty(path("outside")));
    EXPECT_EQ(contents("dest/sub/planted.txt"), "stays inside");
}

}  // namespace
}  // namespace q32::zip::test
