// The host layer's files: the drive table between virtual and host paths, the
// file system over it, the instance lock, the per-user program folder.
#include "platform/host/host_file_system.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>

#include "platform/host/drive_table.h"
#include "platform/host/instance_lock.h"
#include "platform/host/program_folder.h"
#include "support/test_drive.h"

namespace q32::host {
namespace {

namespace fs = std::filesystem;
using test::TestDrive;

TEST(DriveTable, ParsesEnvironmentAndFileFormsAndHasDefaults) {
    DriveTable table = DriveTable::parse("c=/tmp/x;D=/tmp/y/;bad;7=/q;e=relative");
    EXPECT_EQ(table.letters(), (std::vector<char>{'c', 'd'}));
    EXPECT_EQ(table.root('C'), "/tmp/x");
    EXPECT_EQ(table.root('d'), "/tmp/y");
    EXPECT_FALSE(table.root('e'));

    DriveTable fromFile = DriveTable::parse("c=/home/u\r\nz=/\n");
    EXPECT_EQ(fromFile.root('z'), "/");
    EXPECT_EQ(DriveTable::parse(fromFile.serialize()).serialize(), fromFile.serialize());

    // The defaults map home and the root.
    EXPECT_EQ(DriveTable::defaults("/home/someone/").root('c'), "/home/someone");
    EXPECT_EQ(DriveTable::defaults("/home/someone/").root('z'), "/");
}

TEST(DriveTable, VirtualToHostResolvesLetterCase) {
    TestDrive drive;
    drive.makeFolder("c:\\Games\\New");
    const DriveTable& table = drive.fs().driveTable();
    const std::string c = drive.root() + "/c";
    // Components that do not exist yet, or are too long for the host to hold, are kept as written.
    const std::string longName(300, 'a');
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"c:\\", c}, {"C:", c}, {"c:\\GAMES\\new", c + "/Games/New"},
        {"c:\\games\\Later\\x.txt", c + "/Games/Later/x.txt"}, {"c:\\" + longName + "\\x", c + "/" + longName + "/x"},
        {"q:\\games", std::nullopt}, {"c:games", std::nullopt}, {"c:\\games\\..\\..\\etc", std::nullopt}};
    for (const auto& [path, host] : cases) EXPECT_EQ(table.toHost(path), host) << path;
}

TEST(DriveTable, HostToVirtualPrefersTheMostSpecificDrive) {
    DriveTable table = DriveTable::parse("c=/home/u;z=/;d=/home/u/data");
    const std::pair<const char*, const char*> cases[] = {
        {"/home/u/games", "c:\\games"}, {"/home/u", "c:\\"}, {"/home/u/data/x/y.zip", "d:\\x\\y.zip"},
        {"/etc/passwd", "z:\\etc\\passwd"}, {"/home/user2", "z:\\home\\user2"}};  // the last not inside /home/u
    for (const auto& [host, path] : cases) EXPECT_EQ(table.toVirtual(host), path) << host;
    EXPECT_FALSE(DriveTable::parse("c=/home/u").toVirtual("/etc"));
}

// drives.txt: written with the defaults where there is none; as a user may
// write it (blanks around "=", a typo, nothing readable) it is read, problems
// are named and the file is kept; the environment comes first.
TEST(DriveTable, LoadReadsOrWritesTheDrivesFileAndHonoursTheEnvironment) {
    TestDrive drive;
    const std::string file = drive.root() + "/drives.txt";
    ::unsetenv("QUILLET32_DRIVES");
    EXPECT_EQ(loadDriveTable(drive.root()).root('z'), "/");
    EXPECT_TRUE(fs::exists(file));
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
        EXPECT_EQ(test::readBytes(file), c.text);
    }
    ::setenv("QUILLET32_DRIVES", "c=/tmp/e", 1);
    EXPECT_EQ(loadDriveTable(drive.root()).root('c'), "/tmp/e");
    ::unsetenv("QUILLET32_DRIVES");
}

TEST(HostFileSystem, ExistenceTestsTellFilesFromFoldersOnMappedDrives) {
    TestDrive drive;
    drive.writeFile("c:\\Games\\Tool.zip", "12345");
    auto& fs = drive.fs();
    EXPECT_TRUE(fs.exists("c:\\games\\tool.zip"));
    EXPECT_TRUE(fs.fileExists("C:\\GAMES\\TOOL.ZIP"));
    EXPECT_FALSE(fs.folderExists("c:\\games\\tool.zip"));
    EXPECT_TRUE(fs.folderExists("c:\\games"));
    EXPECT_TRUE(fs.folderExists("c:\\"));
    EXPECT_FALSE(fs.fileExists("c:\\games"));
    EXPECT_FALSE(fs.exists("q:\\games"));
    EXPECT_EQ(fs.fileLength("c:\\games\\tool.zip"), 5u);
    EXPECT_FALSE(fs.fileLength("c:\\games"));
    // Free space of mapped drives only.
    EXPECT_GT(fs.freeSpace('c').value_or(0), 0);
    EXPECT_FALSE(fs.freeSpace('q'));
    EXPECT_EQ(fs.drives(), (std::vector<char>{'c', 'd'}));
}

TEST(HostFileSystem, ListingsAreSortedWithoutCaseAndFiltered) {
    TestDrive drive;
    for (const char* name : {"b.ZIP", "A.zip", "c.rar", "a.r00", ".hidden.zip", "tool.001"})
        drive.writeFile(std::string("c:\\dl\\") + name);
    drive.makeFolder("c:\\dl\\sub.zip");
    auto& fs = drive.fs();
    EXPECT_EQ(fs.listFiles("c:\\dl", "*.zip"), (std::vector<std::string>{"A.zip", "b.ZIP"}));
    EXPECT_EQ(fs.listFiles("c:\\DL", "*.R??;*.0??"), (std::vector<std::string>{"a.r00", "c.rar", "tool.001"}));
    EXPECT_EQ(fs.listFolders("c:\\dl"), (std::vector<std::string>{"sub.zip"}));
    EXPECT_FALSE(fs.listFiles("c:\\missing", "*.*"));
    EXPECT_EQ(fs.firstFile("c:\\dl\\*.ZIP"), "A.zip");
    EXPECT_FALSE(fs.firstFile("c:\\dl\\*.nfo"));
    EXPECT_EQ(fs.firstFolder("c:\\dl\\sub*"), "sub.zip");
}

// Normal attributes make a read-only file writable.
TEST(HostFileSystem, ChangesFilesAndFolders) {
    TestDrive drive;
    auto& fs = drive.fs();
    EXPECT_TRUE(fs.makeFolder("c:\\Quil001"));
    EXPECT_FALSE(fs.makeFolder("c:\\quil001"));
    EXPECT_TRUE(fs.writeFileAtomic("c:\\quil001\\a.txt", "one"));
    EXPECT_TRUE(fs.writeFileAtomic("c:\\quil001\\a.txt", "two"));
    EXPECT_EQ(drive.readFile("c:\\Quil001\\a.txt"), "two");
    EXPECT_EQ(std::distance(fs::directory_iterator(drive.host("c:\\Quil001")), fs::directory_iterator()), 1);
    EXPECT_FALSE(fs.rename("c:\\quil001\\A.TXT", "c:\\quil001\\a.txt.bad"));  // renames the name as listed
    EXPECT_TRUE(fs.rename("c:\\QUIL001\\a.txt", "c:\\quil001\\a.txt.bad"));
    EXPECT_FALSE(fs.fileExists("c:\\quil001\\a.txt"));
    drive.writeFile("c:\\Quil001\\b.txt");
    EXPECT_FALSE(fs.rename("c:\\quil001\\b.txt", "c:\\quil001\\a.txt.bad"));  // never over another file
    EXPECT_TRUE(fs.deleteFile("c:\\quil001\\a.txt.bad"));
    EXPECT_FALSE(fs.deleteFile("c:\\quil001"));  // folders are not files
    EXPECT_EQ(fs.readFile("c:\\quil001\\b.txt"), "x");
    EXPECT_EQ(fs.readHead("c:\\quil001\\b.txt", 100), "x");
    EXPECT_FALSE(fs.readFile("c:\\quil001\\none.txt"));
    fs::permissions(drive.host("c:\\Quil001\\b.txt"), fs::perms::owner_read | fs::perms::others_read);
    ASSERT_TRUE(fs.setNormalAttributes("c:\\quil001\\b.txt"));
    EXPECT_NE(fs::status(drive.host("c:\\Quil001\\b.txt")).permissions() & fs::perms::owner_write, fs::perms::none);
}

// Two names that differ only in letter case are two files: a name from
// outside that matches both addresses neither, and a listed name is changed
// exactly as listed.
TEST(HostFileSystem, NamesDifferingInCaseStayApart) {
    TestDrive drive;
    drive.writeFile("c:\\Case.zip.bad", "upper");
    drive.writeFile("c:\\case.zip", "lower");
    auto& fs = drive.fs();
    EXPECT_FALSE(fs.deleteFile("c:\\case.zip.bad"));
    std::ofstream(drive.root() + "/c/case.zip.bad") << "older";
    EXPECT_FALSE(fs.fileExists("c:\\CASE.ZIP.BAD"));
    EXPECT_FALSE(fs.readFile("c:\\CASE.ZIP.BAD"));
    EXPECT_TRUE(fs.deleteFile("c:\\case.zip.bad"));
    EXPECT_TRUE(fs.rename("c:\\case.zip", "c:\\case.zip.bad"));
    EXPECT_EQ(drive.readFile("c:\\Case.zip.bad"), "upper");
    EXPECT_EQ(fs.readFile("c:\\CASE.ZIP.BAD"), std::nullopt);
    EXPECT_EQ(drive.readFile("c:\\case.zip.bad"), "lower");
}

// Links in the program's way are changed or replaced themselves; what they
// point at, outside, is never written, made writable or deleted.
TEST(HostFileSystem, LinksAreNeverWrittenThrough) {
    TestDrive drive;
    auto& fs = drive.fs();
    const std::string outside = drive.root() + "/d/outside.txt";
    drive.writeFile("d:\\outside.txt", "theirs");
    fs::permissions(outside, fs::perms::owner_read);
    drive.makeFolder("c:\\Prog");
    drive.makeFolder("c:\\Real");
    for (const char* name : {"errors.txt", "errors.txt.new~", "tool.zip.bad", "Quil001"})
        fs::create_symlink(outside, drive.host("c:\\Prog") + "/" + name);
    fs::create_symlink(drive.root() + "/nowhere", drive.host("c:\\Prog") + "/Quil002");
    fs::create_symlink(drive.host("c:\\Real"), drive.host("c:\\Prog") + "/Quil003");

    EXPECT_TRUE(fs.writeFileAtomic("c:\\Prog\\errors.txt", "report"));
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(drive.host("c:\\Prog\\errors.txt"))));
    EXPECT_EQ(drive.readFile("c:\\Prog\\errors.txt"), "report");
    EXPECT_TRUE(fs.setNormalAttributes("c:\\Prog\\tool.zip.bad"));
    EXPECT_TRUE(fs.deleteFile("c:\\Prog\\tool.zip.bad"));
    EXPECT_FALSE(fs::exists(fs::symlink_status(drive.host("c:\\Prog\\tool.zip.bad"))));
    EXPECT_EQ(fs::status(outside).permissions(), fs::perms::owner_read);
    EXPECT_EQ(drive.readFile("d:\\outside.txt"), "theirs");
    // Any entry is a name in use; only a folder itself is a real folder.
    EXPECT_TRUE(fs.exists("c:\\Prog\\Quil002"));
    EXPECT_FALSE(fs.isRealFolder("c:\\Prog\\Quil003"));
    EXPECT_TRUE(fs.isRealFolder("c:\\Real"));
}

TEST(InstanceLock, SecondCopyInTheSameFolderIsRefused) {
    TestDrive drive;
    InstanceLock first(drive.root());
    InstanceLock second(drive.root());
    EXPECT_TRUE(first.acquired());
    EXPECT_FALSE(second.acquired());
    EXPECT_EQ(first.socketName(), second.socketName());
    InstanceLock elsewhere(drive.root() + "/c");
    EXPECT_TRUE(elsewhere.acquired());
    EXPECT_NE(elsewhere.socketName(), first.socketName());
    // The lock lives with the user, never in the program folder.
    EXPECT_FALSE(fs::exists(drive.root() + "/Quillet32.lock"));
    EXPECT_NE(first.path().rfind(drive.root(), 0), 0u);
}

// The per-user program folder of an install that cannot be written gets the
// files the program reads, never the programs.
TEST(ProgramFolder, PerUserCopyTakesTheHelpAndSoundsOnly) {
    TestDrive drive;
    const fs::path installed = drive.host("c:\\lib"), user = drive.host("c:\\user");
    auto write = [](const fs::path& path, const std::string& text, fs::perms perms = fs::perms::owner_read) {
        std::ofstream(path) << text;
        fs::permissions(path, perms);
    };
    for (const fs::path& folder : {installed, user, installed / "help"}) fs::create_directories(folder);
    write(installed / "Quil32.HLP", "help");
    write(installed / "thunder.wav", "new thunder");
    write(installed / "quillet32-standin", "program", fs::perms::owner_all);
    fs::create_symlink("quillet32-standin", installed / "winhelp.exe");
    write(user / "thunder.wav", "kept");

    copyProgramFiles(installed, user);

    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(user)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Quil32.HLP", "thunder.wav"}));
    EXPECT_EQ(drive.readFile("c:\\user\\thunder.wav"), "kept");
}

// An install under /usr belongs to the package manager: the program keeps its
// files per user there, even when root could write the folder.
TEST(ProgramFolder, SystemProgramFoldersAreThoseUnderUsr) {
    const std::vector<std::pair<std::string, bool>> cases = {
        {"/usr/lib/quillet32", true},      {"/usr/local/lib/quillet32", true}, {"/usr", true},
        {"/usrlocal/lib/quillet32", false}, {"/home/me/.local/lib/quillet32", false},
        {"/opt/quillet32/usr", false},      {"build/bin", false},
    };
    for (const auto& [folder, system] : cases) EXPECT_EQ(isSystemProgramFolder(folder), system) << folder;
}

}  // namespace
}  // namespace q32::host
