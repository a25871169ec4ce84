#include "platform/host/drive_table.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "support/test_drive.h"

namespace q32::host {
namespace {

namespace fs = std::filesystem;

TEST(DriveTable, ParsesEnvironmentAndFileForms) {
    DriveTable table = DriveTable::parse("c=/tmp/x;D=/tmp/y/;bad;7=/q;e=relative");
    EXPECT_EQ(table.letters(), (std::vector<char>{'c', 'd'}));
    EXPECT_EQ(table.root('C'), "/tmp/x");
    EXPECT_EQ(table.root('d'), "/tmp/y");
    EXPECT_FALSE(table.root('e'));

    DriveTable fromFile = DriveTable::parse("c=/home/u\r\nz=/\n");
    EXPECT_EQ(fromFile.root('z'), "/");
    EXPECT_EQ(DriveTable::parse(fromFile.serialize()).serialize(), fromFile.serialize());
}

TEST(DriveTable, DefaultsMapHomeAndRoot) {
    DriveTable table = DriveTable::defaults("/home/someone/");
    EXPECT_EQ(table.root('c'), "/home/someone");
    EXPECT_EQ(table.root('z'), "/");
}

TEST(DriveTable, VirtualToHostResolvesLetterCase) {
    test::TestDrive drive;
    drive.makeFolder("c:\\Games\\New");
    const DriveTable& table = drive.fs().driveTable();
    const std::string c = drive.root() + "/c";
    EXPECT_EQ(table.toHost("c:\\"), c);
    EXPECT_EQ(table.toHost("C:"), c);
    EXPECT_EQ(table.toHost("c:\\GAMES\\new"), c + "/Games/New");
    // Components that do not exist yet are kept as written.
    EXPECT_EQ(table.toHost("c:\\games\\Later\\x.txt"), c + "/Games/Later/x.txt");
    EXPECT_FALSE(table.toHost("q:\\games"));
    EXPECT_FALSE(table.toHost("c:games"));
    EXPECT_FALSE(table.toHost("c:\\games\\..\\..\\etc"));
}

TEST(DriveTable, HostToVirtualPrefersTheMostSpecificDrive) {
    DriveTable table = DriveTable::parse("c=/home/u;z=/;d=/home/u/data");
    EXPECT_EQ(table.toVirtual("/home/u/games"), "c:\\games");
    EXPECT_EQ(table.toVirtual("/home/u"), "c:\\");
    EXPECT_EQ(table.toVirtual("/home/u/data/x/y.zip"), "d:\\x\\y.zip");
    EXPECT_EQ(table.toVirtual("/etc/passwd"), "z:\\etc\\passwd");
    EXPECT_EQ(table.toVirtual("/home/user2"), "z:\\home\\user2");  // not inside /home/u
    EXPECT_FALSE(DriveTable::parse("c=/home/u").toVirtual("/etc"));
}

TEST(DriveTable, LoadWritesDefaultsOnceAndHonoursTheEnvironment) {
    test::TestDrive drive;
    const std::string folder = drive.root() + "/prog";
    fs::create_directories(folder);
    ::unsetenv("QUILLET32_DRIVES");
    DriveTable first = loadDriveTable(folder);
    EXPECT_TRUE(fs::exists(folder + "/drives.txt"));
    EXPECT_EQ(first.root('z'), "/");

    std::ofstream(folder + "/drives.txt") << "c=/srv/c\n";
    EXPECT_EQ(loadDriveTable(folder).root('c'), "/srv/c");

    ::setenv("QUILLET32_DRIVES", "c=/tmp/e", 1);
    EXPECT_EQ(loadDriveTable(folder).root('c'), "/tmp/e");
    ::unsetenv("QUILLET32_DRIVES");
}

// drives.txt as a user may write it: blanks around "=", a typo, nothing readable.
TEST(DriveTable, UnreadableLinesAreNamedAndTheUsersFileIsKept) {
    test::TestDrive drive;
    const std::string file = drive.root() + "/drives.txt";
    ::unsetenv("QUILLET32_DRIVES");
    const std::string home = *DriveTable::defaults(std::getenv("HOME") ? std::getenv("HOME") : "/").root('c');
    const struct {
        const char* text;
        std::string rootC;     // c as loaded
        const char* named;     // in the problem text, "" for none
    } cases[] = {
        {"c = /srv/c\n\nz=/\n", "/srv/c", ""},
        {"c=/srv/c\nd = x\n", "/srv/c", "d = x"},
        {"\x01\xfe\x7f", home, "\x01\xfe\x7f"},
    };
    for (const auto& c : cases) {
        std::ofstream(file) << c.text;
        std::string problem;
        EXPECT_EQ(loadDriveTable(drive.root(), &problem).root('c'), c.rootC) << c.text;
        EXPECT_EQ(problem.find(std::string("  ") + c.named + "\n") != std::string::npos, *c.named != 0) << problem;
        std::ifstream in(file);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), c.text);
    }
}

// A name part too long for the host simply does not exist.
TEST(DriveTable, AnOverlongNameIsKeptAsWrittenWithoutThrowing) {
    test::TestDrive drive;
    const std::string longName(300, 'a');
    EXPECT_EQ(drive.fs().driveTable().toHost("c:\\" + longName + "\\x"), drive.root() + "/c/" + longName + "/x");
}

}  // namespace
}  // namespace q32::host
