#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "hostile_inputs.h"
#include "zip_test_base.h"

namespace q32::zip::test {
namespace {

constexpr int NoSmallDisk = 255;

bool writeProcFile(const std::string& path, const std::string& text) {
    std::ofstream out(path);
    return static_cast<bool>(out << text << std::flush);
}

// In a new user and mount namespace (this process only), a 64 KiB file
// system mounted on `folder`.
bool mountSmallDisk(const std::string& folder) {
    const std::string uid = std::to_string(::getuid()), gid = std::to_string(::getgid());
    return ::unshare(CLONE_NEWUSER | CLONE_NEWNS) == 0 && writeProcFile("/proc/self/setgroups", "deny") &&
           writeProcFile("/proc/self/uid_map", "0 " + uid + " 1") &&
           writeProcFile("/proc/self/gid_map", "0 " + gid + " 1") &&
           ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") == 0;
}

// `body`'s result from a child process that sees a small disk at `folder`,
// or NoSmallDisk where namespaces are not allowed.
int withSmallDisk(const std::string& folder, const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(mountSmallDisk(folder) ? body() : NoSmallDisk);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class Hostile : public ZipEngineTest {};

TEST_F(Hostile, EachHostileArchiveGivesItsCodeAndWritesNothingWhenRefused) {
    std::filesystem::create_directories(path("hostile"));
    for (const auto& input : writeHostileCorpus(path("hostile"))) {
        SCOPED_TRACE(input.file);
        EXPECT_EQ(test("hostile/" + input.file), input.testCode);
        EXPECT_EQ(extract("hostile/" + input.file, "out/" + input.file), input.extractCode);
        EXPECT_EQ(exists("out/" + input.file), input.extractCode < zipcode::CrcMismatch);
    }
    for (const auto& entry : temp.listing()) EXPECT_TRUE(entry.starts_with("hostile") || entry.starts_with("out")) << entry;
}

TEST_F(Hostile, AFullDiskStopsTheWholeExtraction) {
    writeZip(path("full.zip"), {file("big.bin", std::string(1 << 20, 'x')), file("small.txt", "fits easily")});
    std::filesystem::create_directories(path("disk"));
    const int result = withSmallDisk(path("disk"), [&] {
        const std::int16_t code = extract("full.zip", "disk");
        return exists("disk/small.txt") || exists("disk/big.bin") ? 1 : code;
    });
    if (result == NoSmallDisk) GTEST_SKIP() << "no namespaces here to mount a small disk";
    EXPECT_EQ(result, zipcode::CannotWrite);
}

}  // namespace
}  // namespace q32::zip::test
