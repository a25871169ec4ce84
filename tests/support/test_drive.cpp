#include "support/test_drive.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace q32::test {

namespace fs = std::filesystem;

std::optional<std::int64_t> TestFileSystem::freeSpace(char driveLetter) {
    const char letter = static_cast<char>(driveLetter | 0x20);
    auto it = freeBytes.find(letter);
    if (it != freeBytes.end()) return it->second;
    return HostFileSystem::freeSpace(driveLetter);
}

TestDrive::TestDrive() {
    const std::string& root = folder_.path();
    fs::create_directories(root + "/c");
    fs::create_directories(root + "/d");
    const std::string drives = "c=" + root + "/c;d=" + root + "/d";
    fs_ = std::make_unique<TestFileSystem>(host::DriveTable::parse(drives));
    // Outside programs started by a test see the same drives and show no windows.
    ::setenv("QUILLET32_DRIVES", drives.c_str(), 1);
    ::setenv("QUILLET32_NO_ERROR_WINDOW", "1", 1);
}

std::string TestDrive::host(const std::string& virtualPath) const {
    auto path = fs_->driveTable().toHost(virtualPath);
    if (!path) throw std::runtime_error("not a path on the test drives: " + virtualPath);
    return *path;
}

void TestDrive::makeFolder(const std::string& virtualPath) const { fs::create_directories(host(virtualPath)); }

void TestDrive::writeFile(const std::string& virtualPath, const std::string& bytes) const {
    const fs::path path = host(virtualPath);
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string TestDrive::readFile(const std::string& virtualPath) const {
    std::ifstream in(host(virtualPath), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool TestDrive::exists(const std::string& virtualPath) const { return fs::exists(host(virtualPath)); }

}  // namespace q32::test
