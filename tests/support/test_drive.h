// A temporary folder tree mapped as drives for one test: drive c (and d)
// are fresh folders that vanish with the fixture, so no test touches
// anything outside it.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "platform/host/host_file_system.h"
#include "support/headless_controls.h"
#include "support/run_tool.h"

namespace q32::test {

// The host file system, with the free space of a drive set by the test
// where it wants one.
class TestFileSystem : public host::HostFileSystem {
public:
    using HostFileSystem::HostFileSystem;
    std::optional<std::int64_t> freeSpace(char driveLetter) override;
    std::map<char, std::optional<std::int64_t>> freeBytes;  // by lower-case letter
};

class TestDrive {
public:
    TestDrive();
    TestDrive(const TestDrive&) = delete;
    TestDrive& operator=(const TestDrive&) = delete;

    // Host path of a virtual one ("c:\games\a.zip").
    std::string host(const std::string& virtualPath) const;
    void makeFolder(const std::string& virtualPath) const;  // with its parents
    void writeFile(const std::string& virtualPath, const std::string& bytes = "x") const;
    std::string readFile(const std::string& virtualPath) const;
    bool exists(const std::string& virtualPath) const;

    const std::string& root() const { return folder_.path(); }
    TestFileSystem& fs() { return *fs_; }

private:
    TempFolder folder_;  // removed with everything a test left in it, read-only or not
    std::unique_ptr<TestFileSystem> fs_;
};

}  // namespace q32::test
