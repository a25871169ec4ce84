#include <unistd.h>

#include <filesystem>

#include "zip_test_base.h"

namespace q32::zip::test {
namespace {

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
