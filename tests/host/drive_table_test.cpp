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

}  // namespace
}  // namespace q32::host
