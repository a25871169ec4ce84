#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zip.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "method_fixtures.h"
#include "zip_test_base.h"

namespace q32::zip::test {
namespace {

constexpr unsigned char ReservedBlockType = 0x07;  // last block, block type 3: never valid

class Damage : public ZipEngineTest {
protected:
    // tool.zip: a stored and a deflated member around one more.
    void SetUp() override {
        writeZip(path("tool.zip"), {file("stored.txt", "stored payload, checked by its CRC", ZIP_CM_STORE),
                                    file("packed.txt", sampleText(20000, 7)), file("other.txt", "fine")});
    }
};

TEST_F(Damage, AFlippedDataByteIsACrcErrorAndTheMemberIsNotLeftBehind) {
    flipByte(path("tool.zip"), findBytes(path("tool.zip"), "payload"));
    std::filesystem::create_directories(path("out"));
    writeBytes(path("out/stored.txt"), "the copy from before");

    EXPECT_EQ(test("tool.zip"), zipcode::CrcMismatch);
    EXPECT_EQ(extract("tool.zip", "out"), zipcode::CrcMismatch);

    EXPECT_EQ(contents("out/stored.txt"), "the copy from before");
    EXPECT_EQ(temp.listing(),
              (std::vector<std::string>{"out", "out/other.txt", "out/packed.txt", "out/stored.txt", "tool.zip"}));
}

// Harm done to a copy of tool.zip: testing and extracting it both give the
// harm's code, and extracting leaves the damaged member unwritten.
struct Harm {
    const char* what;
    std::int16_t code;
    const char* member;
    std::function<void(const std::string& archive)> apply;
};

TEST_F(Damage, EachHarmGivesItsCodeAndLeavesTheMemberUnwritten) {
    using Archive = const std::string&;
    const std::vector<Harm> harms{
        {"text", zipcode::NotAZip, "other.txt",
         [](Archive a) { writeBytes(a, "This is not an archive at all, just some text.\n"); }},
        {"empty", zipcode::NotAZip, "other.txt", [](Archive a) { writeBytes(a, ""); }},
        {"local signature", zipcode::NotAZip, "other.txt",
         [](Archive a) { patchByte(a, localHeaderOffset(a, "other.txt"), 'X'); }},
        {"central signature", zipcode::NotAZip, "other.txt",
         [](Archive a) { patchByte(a, centralHeaderOffset(a, "packed.txt"), 'X'); }},
        {"missing", zipcode::CannotOpen, "other.txt", [](Archive a) { std::filesystem::remove(a); }},
        {"a folder", zipcode::CannotOpen, "other.txt",
         [](Archive a) {
             std::filesystem::remove(a);
             std::filesystem::create_directory(a);
         }},
        {"reserved deflate block", zipcode::BadData, "packed.txt",
         [](Archive a) { patchByte(a, memberDataOffset(a, "packed.txt"), ReservedBlockType); }},
        {"unknown method (WavPack)", zipcode::Unsupported, "other.txt",
         [](Archive a) { patchNumber(a, centralHeaderOffset(a, "other.txt") + 10, 97, 2); }},
        {"encrypted", zipcode::Unsupported, "other.txt",
         [](Archive a) {
             patchNumber(a, centralHeaderOffset(a, "other.txt") + 8, 1, 2);
             patchNumber(a, localHeaderOffset(a, "other.txt") + 6, 1, 2);
         }},
        {"cut short", zipcode::Truncated, "packed.txt",
         [](Archive a) { cutTo(a, memberDataOffset(a, "packed.txt") + 1000); }},
        {"data beyond the end", zipcode::Truncated, "other.txt",
         [](Archive a) { patchNumber(a, centralHeaderOffset(a, "other.txt") + 20, 0x7FFFFFFF, 4); }},
    };
    for (const Harm& harm : harms) {
        SCOPED_TRACE(harm.what);
        std::filesystem::remove_all(path("out"));
        std::filesystem::remove_all(path("harmed.zip"));
        std::filesystem::copy_file(path("tool.zip"), path("harmed.zip"));
        harm.apply(path("harmed.zip"));
        EXPECT_EQ(test("harmed.zip"), harm.code);
        EXPECT_EQ(extract("harmed.zip", "out"), harm.code);
        EXPECT_FALSE(exists(std::string("out/") + harm.member));
    }
}

TEST_F(Damage, MembersThatCannotBeWrittenAreWriteErrors) {
    writeBytes(path("blocker"), "a file where a folder should go");
    EXPECT_EQ(extract("tool.zip", "blocker/out"), zipcode::CannotWrite);

    writeZip(path("docs.zip"), {file("docs/manual.txt", "manual"), file("readme.txt", "readme")});
    std::filesystem::create_directories(path("out"));
    writeBytes(path("out/docs"), "a file named like the folder");
    EXPECT_EQ(extract("docs.zip", "out"), zipcode::CannotWrite);
    EXPECT_EQ(contents("out/readme.txt"), "readme");
    EXPECT_EQ(contents("out/docs"), "a file named like the folder");
}

TEST_F(Damage, SeveralFailuresGiveTheCodeOfTheFirstInArchiveOrder) {
    // The first failure is found late (a CRC over 4 MB), the second at once.
    const std::vector<MemberSpec> members{file("ok.txt", "fine"), file("big.txt", sampleText(4 << 20, 9)),
                                          file("small.txt", sampleText(5000, 10))};
    writeZip(path("two.zip"), members);
    patchNumber(path("two.zip"), centralHeaderOffset(path("two.zip"), "big.txt") + 16, 0x12345678, 4);
    patchByte(path("two.zip"), memberDataOffset(path("two.zip"), "small.txt"), ReservedBlockType);
    for (int run = 0; run < 5; ++run) {
        EXPECT_EQ(test("two.zip"), zipcode::CrcMismatch);
        EXPECT_EQ(extract("two.zip", "out"), zipcode::CrcMismatch);
    }

    writeZip(path("reversed.zip"), {members[0], members[2], members[1]});
    patchNumber(path("reversed.zip"), centralHeaderOffset(path("reversed.zip"), "big.txt") + 16, 0x12345678, 4);
    patchByte(path("reversed.zip"), memberDataOffset(path("reversed.zip"), "small.txt"), ReservedBlockType);
    EXPECT_EQ(test("reversed.zip"), zipcode::BadData);
}

// Archives made to hurt the reader, and a disk that fills up.

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
    for (const auto& entry : temp.listing()) {
        EXPECT_TRUE(entry.starts_with("hostile") || entry.starts_with("out")) << entry;
    }
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
