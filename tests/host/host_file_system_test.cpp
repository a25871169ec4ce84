#include "platform/host/host_file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/host/instance_lock.h"
#include "support/test_drive.h"

namespace q32::host {
namespace {

using test::TestDrive;

TEST(HostFileSystem, ExistenceTestsTellFilesFromFolders) {
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
}

TEST(HostFileSystem, ListingsAreSortedWithoutCaseAndFiltered) {
    TestDrive drive;
    for (const char* name : {"b.ZIP", "A.zip", "c.rar", "a.r00", ".hidden.zip", "tool.001"}) {
        drive.writeFile(std::string("c:\\dl\\") + name);
    }
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

TEST(HostFileSystem, ChangesFilesAndFolders) {
    TestDrive drive;
    auto& fs = drive.fs();
    EXPECT_TRUE(fs.makeFolder("c:\\Quil001"));
    EXPECT_FALSE(fs.makeFolder("c:\\quil001"));
    EXPECT_TRUE(fs.writeFileAtomic("c:\\quil001\\a.txt", "one"));
    EXPECT_TRUE(fs.writeFileAtomic("c:\\quil001\\a.txt", "two"));
    EXPECT_EQ(drive.readFile("c:\\Quil001\\a.txt"), "two");
    EXPECT_FALSE(std::filesystem::exists(drive.host("c:\\Quil001\\a.txt") + ".new~"));
    EXPECT_TRUE(fs.rename("c:\\quil001\\A.TXT", "c:\\quil001\\a.txt.bad"));
    EXPECT_FALSE(fs.fileExists("c:\\quil001\\a.txt"));
    drive.writeFile("c:\\Quil001\\b.txt");
    EXPECT_FALSE(fs.rename("c:\\quil001\\b.txt", "c:\\quil001\\a.txt.bad"));  // never over another file
    EXPECT_TRUE(fs.deleteFile("c:\\quil001\\a.txt.bad"));
    EXPECT_FALSE(fs.deleteFile("c:\\quil001"));  // folders are not files
    EXPECT_EQ(fs.readFile("c:\\quil001\\b.txt"), "x");
    EXPECT_EQ(fs.readHead("c:\\quil001\\b.txt", 100), "x");
    EXPECT_FALSE(fs.readFile("c:\\quil001\\none.txt"));
}

TEST(HostFileSystem, NormalAttributesMakeAReadOnlyFileWritable) {
    TestDrive drive;
    drive.writeFile("c:\\ro.nfo");
    ::chmod(drive.host("c:\\ro.nfo").c_str(), 0444);
    ASSERT_TRUE(drive.fs().setNormalAttributes("c:\\RO.NFO"));
    struct stat info {};
    ::stat(drive.host("c:\\ro.nfo").c_str(), &info);
    EXPECT_TRUE(info.st_mode & S_IWUSR);
}

TEST(HostFileSystem, FreeSpaceOfMappedDrivesOnly) {
    TestDrive drive;
    auto free = drive.fs().freeSpace('c');
    ASSERT_TRUE(free);
    EXPECT_GT(*free, 0);
    EXPECT_FALSE(drive.fs().freeSpace('q'));
    EXPECT_EQ(drive.fs().drives(), (std::vector<char>{'c', 'd'}));
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
    EXPECT_FALSE(std::filesystem::exists(drive.root() + "/Quillet32.lock"));
    EXPECT_NE(first.path().rfind(drive.root(), 0), 0u);
}

}  // namespace
}  // namespace q32::host
