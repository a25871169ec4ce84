#include <zip.h>

#include <filesystem>

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
    std::size_t centralField(const std::string& member, std::size_t field) {
        return centralHeaderOffset(path("tool.zip"), member) + field;
    }
    std::size_t localHeader(const std::string& member) { return localHeaderOffset(path("tool.zip"), member); }
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

TEST_F(Damage, UndecodableDeflateDataIsBadData) {
    patchByte(path("tool.zip"), memberDataOffset(path("tool.zip"), "packed.txt"), ReservedBlockType);
    EXPECT_EQ(test("tool.zip"), zipcode::BadData);
    EXPECT_EQ(extract("tool.zip", "out"), zipcode::BadData);
    EXPECT_FALSE(exists("out/packed.txt"));
    EXPECT_EQ(contents("out/other.txt"), "fine");
}

TEST_F(Damage, NonArchivesAndDamagedHeadersAreStructureErrors) {
    writeBytes(path("text.zip"), "This is not an archive at all, just some text.\n");
    writeBytes(path("empty.zip"), "");
    EXPECT_EQ(test("text.zip"), zipcode::NotAZip);
    EXPECT_EQ(test("empty.zip"), zipcode::NotAZip);

    std::filesystem::copy_file(path("tool.zip"), path("local.zip"));
    patchByte(path("local.zip"), localHeaderOffset(path("local.zip"), "other.txt"), 'X');
    EXPECT_EQ(test("local.zip"), zipcode::NotAZip);

    patchByte(path("tool.zip"), centralField("packed.txt", 0), 'X');
    EXPECT_EQ(test("tool.zip"), zipcode::NotAZip);
    EXPECT_EQ(extract("tool.zip", "out"), zipcode::NotAZip);
}

TEST_F(Damage, MissingOrUnreadableArchivesCannotBeOpened) {
    EXPECT_EQ(test("missing.zip"), zipcode::CannotOpen);
    std::filesystem::create_directories(path("folder.zip"));
    EXPECT_EQ(test("folder.zip"), zipcode::CannotOpen);
    EXPECT_EQ(extract("missing.zip", "out"), zipcode::CannotOpen);
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

TEST_F(Damage, UnknownMethodsAndEncryptionAreUnsupported) {
    std::filesystem::copy_file(path("tool.zip"), path("method.zip"));
    const std::size_t central = centralHeaderOffset(path("method.zip"), "other.txt");
    patch16(path("method.zip"), central + 10, 97);  // WavPack
    EXPECT_EQ(test("method.zip"), zipcode::Unsupported);

    patch16(path("tool.zip"), centralField("other.txt", 8), 0x0001);  // encrypted
    patch16(path("tool.zip"), localHeader("other.txt") + 6, 0x0001);
    EXPECT_EQ(test("tool.zip"), zipcode::Unsupported);
    EXPECT_EQ(extract("tool.zip", "out"), zipcode::Unsupported);
    EXPECT_FALSE(exists("out/other.txt"));
}

TEST_F(Damage, AnArchiveCutShortIsTruncated) {
    writeZip(path("big.zip"), {file("first.txt", "whole"), file("big.txt", sampleText(400000, 8))});
    cutTo(path("big.zip"), memberDataOffset(path("big.zip"), "big.txt") + 1000);
    EXPECT_EQ(test("big.zip"), zipcode::Truncated);
    EXPECT_EQ(extract("big.zip", "out"), zipcode::Truncated);

    patch32(path("tool.zip"), centralField("other.txt", 20), 0x7FFFFFFF);  // data beyond the end
    EXPECT_EQ(test("tool.zip"), zipcode::Truncated);
}

TEST_F(Damage, SeveralFailuresGiveTheCodeOfTheFirstInArchiveOrder) {
    // The first failure is found late (a CRC over 4 MB), the second at once.
    const std::vector<MemberSpec> members{file("ok.txt", "fine"), file("big.txt", sampleText(4 << 20, 9)),
                                          file("small.txt", sampleText(5000, 10))};
    writeZip(path("two.zip"), members);
    patch32(path("two.zip"), centralHeaderOffset(path("two.zip"), "big.txt") + 16, 0x12345678);
    patchByte(path("two.zip"), memberDataOffset(path("two.zip"), "small.txt"), ReservedBlockType);
    for (int run = 0; run < 5; ++run) {
        EXPECT_EQ(test("two.zip"), zipcode::CrcMismatch);
        EXPECT_EQ(extract("two.zip", "out"), zipcode::CrcMismatch);
    }

    writeZip(path("reversed.zip"), {members[0], members[2], members[1]});
    patch32(path("reversed.zip"), centralHeaderOffset(path("reversed.zip"), "big.txt") + 16, 0x12345678);
    patchByte(path("reversed.zip"), memberDataOffset(path("reversed.zip"), "small.txt"), ReservedBlockType);
    EXPECT_EQ(test("reversed.zip"), zipcode::BadData);
}

}  // namespace
}  // namespace q32::zip::test
