#include <zip.h>

#include <algorithm>

#include "method_fixtures.h"
#include "platform/host/drive_table.h"
#include "zip_test_base.h"

namespace q32::zip::test {
namespace {

std::string allByteValues() {
    std::string bytes;
    for (int i = 0; i < 4096; ++i) bytes += static_cast<char>(i * 7 % 256);
    return bytes;
}

class Extract : public ZipEngineTest {};

TEST_F(Extract, RecreatesMemberFoldersInADestinationItCreates) {
    writeZip(path("tool.zip"), {file("readme.txt", "Read me first\r\n"),
                                file("docs/manual.txt", sampleText(5000, 1), ZIP_CM_STORE),
                                file("docs/deep/data.bin", allByteValues()),
                                folder("empty"),
                                file("zero.dat", "")});

    EXPECT_EQ(test("tool.zip"), zipcode::Success);
    EXPECT_EQ(extract("tool.zip", "out/nested"), zipcode::Success);

    EXPECT_EQ(contents("out/nested/readme.txt"), "Read me first\r\n");
    EXPECT_EQ(contents("out/nested/docs/manual.txt"), sampleText(5000, 1));
    EXPECT_EQ(contents("out/nested/docs/deep/data.bin"), allByteValues());
    EXPECT_EQ(contents("out/nested/zero.dat"), "");
    EXPECT_TRUE(S_ISDIR(info("out/nested/empty").st_mode));
    EXPECT_EQ(temp.listing(), (std::vector<std::string>{"out", "out/nested", "out/nested/docs", "out/nested/docs/deep",
                                                         "out/nested/docs/deep/data.bin", "out/nested/docs/manual.txt",
                                                         "out/nested/empty", "out/nested/readme.txt",
                                                         "out/nested/zero.dat", "tool.zip"}));
}

// Names reach the disk as UTF-8: code page 437 without the UTF-8 flag, the
// flag's UTF-8 when it is valid, an Info-ZIP Unicode Path field when its check
// matches the stored name; the safety rules apply to the decoded name.
TEST_F(Extract, NamesAreDecodedIntoUtf8) {
    // The field of a name whose stored form has the CRC-32 `crc`.
    const auto unicodePath = [](const std::string& utf8, std::uint32_t crc) {
        return littleEndian({{0x7075, 2}, {5 + utf8.size(), 2}, {1, 1}, {crc, 4}}) + utf8;
    };
    const std::string legacy = "%U00D6lf%U00E4sser.txt";
    const struct {
        std::string stored;
        std::uint16_t flags;
        std::string extra;
        std::string onDisk;  // "" when the member is passed over
    } cases[] = {
        {"\x8ERGER.TXT", 0, "", "\u00C4RGER.TXT"},
        {"\x84\\\x81.txt", 0, "", "\u00E4/\u00FC.txt"},
        {"\u00E9t\u00E9.txt", 0x0800, "", "\u00E9t\u00E9.txt"},
        {"bad\x84.txt", 0x0800, "", "bad\u00E4.txt"},  // not UTF-8 under the flag: code page 437
        {legacy, 0, unicodePath("\u00D6lf\u00E4sser.txt", crcOf(legacy)), "\u00D6lf\u00E4sser.txt"},
        {"old.txt", 0, unicodePath("new.txt", crcOf("other")), "old.txt"},  // the check fails
        {"safe.txt", 0, unicodePath("../evil.txt", crcOf("safe.txt")), ""},
    };
    std::string body;
    std::vector<HeaderFields> entries;
    for (const auto& c : cases) {
        HeaderFields fields{.name = c.stored, .flags = c.flags, .crc = crcOf("x"), .compressed = 1, .size = 1,
                            .extra = c.extra, .offset = static_cast<std::uint32_t>(body.size())};
        body += localHeader(fields) + "x";
        entries.push_back(fields);
    }
    writeBytes(path("names.zip"), withDirectory(body, entries));
    EXPECT_EQ(extract("names.zip", "out"), zipcode::UnsafeNamesSkipped);
    for (const auto& c : cases) {
        if (!c.onDisk.empty()) {
            EXPECT_EQ(contents("out/" + c.onDisk), "x") << c.onDisk;
        }
    }
    EXPECT_FALSE(exists("evil.txt"));
    EXPECT_EQ(temp.listing().size(), 9u);  // names.zip, out, out/ä and the six files
}

TEST_F(Extract, OverwritesExistingFilesAndLeavesOthersAlone) {
    writeZip(path("tool.zip"), {file("readme.txt", "new text"), file("locked.txt", "replaced")});
    std::filesystem::create_directories(path("out"));
    writeBytes(path("out/readme.txt"), "old text that was longer");
    writeBytes(path("out/locked.txt"), "read-only");
    ::chmod(path("out/locked.txt").c_str(), 0444);
    writeBytes(path("out/keep.txt"), "mine");

    EXPECT_EQ(extract("tool.zip", "out"), zipcode::Success);

    EXPECT_EQ(contents("out/readme.txt"), "new text");
    EXPECT_EQ(contents("out/locked.txt"), "replaced");
    EXPECT_EQ(contents("out/keep.txt"), "mine");
}

TEST_F(Extract, SetsTimesAndPermissionsButNeverSetUserIdBits) {
    const std::time_t when = 1000000000;  // an even second, as DOS times are
    const std::time_t later = when + 3600 * 24 * 180;  // the other side of a daylight saving change
    writeZip(path("tool.zip"), {{.name = "bin/run.sh", .data = "#!/bin/sh\n", .unixMode = 0755, .modified = when},
                                {.name = "bin/su", .data = "binary", .unixMode = 06755},
                                {.name = "old.txt", .data = "from the past", .modified = later},
                                {.name = "docs", .kind = MemberSpec::Kind::Folder, .modified = when},
                                file("docs/a.txt", "a")});

    const mode_t oldMask = ::umask(0022);
    const std::int16_t code = extract("tool.zip", "out");
    ::umask(oldMask);
    ASSERT_EQ(code, zipcode::Success);

    EXPECT_EQ(info("out/bin/run.sh").st_mtime, when);
    EXPECT_EQ(info("out/bin/run.sh").st_mode & 0777, 0755u & ~0022u);
    EXPECT_EQ(info("out/bin/su").st_mode & 07000, 0u);
    EXPECT_EQ(info("out/old.txt").st_mtime, later);
    EXPECT_EQ(info("out/docs").st_mtime, when);
}

TEST_F(Extract, ALaterMemberForTheSamePlaceReplacesAnEarlierOne) {
    // The same places spelled differently, their folders visited in turns.
    writeZip(path("tool.zip"), {file("docs/a.txt", "first a"), file("src/b.txt", "first b"), file("docs/c.txt", "c"),
                                file("./docs//a.txt", "second a"), file("docs\\d.txt", "d"),
                                file("src/./b.txt", "second b", ZIP_CM_STORE)});

    EXPECT_EQ(extract("tool.zip", "out"), zipcode::Success);

    EXPECT_EQ(contents("out/docs/a.txt"), "second a");
    EXPECT_EQ(contents("out/src/b.txt"), "second b");
    EXPECT_EQ(contents("out/docs/c.txt"), "c");
    EXPECT_EQ(contents("out/docs/d.txt"), "d");
    EXPECT_EQ(temp.listing(), (std::vector<std::string>{"out", "out/docs", "out/docs/a.txt", "out/docs/c.txt",
                                                         "out/docs/d.txt", "out/src", "out/src/b.txt", "tool.zip"}));
}

TEST_F(Extract, LargeMembersStreamAndSmallOnesBatchAlike) {
    const std::string big = sampleText(6 << 20, 4);
    const std::string stored = sampleText(3 << 20, 5);
    std::vector<MemberSpec> members{file("big.txt", big), file("stored.txt", stored, ZIP_CM_STORE)};
    for (int i = 0; i < 300; ++i) members.push_back(file("small/" + std::to_string(i) + ".txt", sampleText(i * 13, i)));
    writeZip(path("tool.zip"), members);

    EXPECT_EQ(test("tool.zip"), zipcode::Success);
    ASSERT_EQ(extract("tool.zip", "out"), zipcode::Success);

    EXPECT_EQ(contents("out/big.txt"), big);
    EXPECT_EQ(contents("out/stored.txt"), stored);
    for (int i = 0; i < 300; ++i) EXPECT_EQ(contents("out/small/" + std::to_string(i) + ".txt"), sampleText(i * 13, i));
}

TEST_F(Extract, ArchivesWithAStubBeforeThemAreRead) {
    writeZip(path("plain.zip"), {file("readme.txt", "inside a self-extractor")});
    writeBytes(path("sfx.zip"), std::string(5000, 'M') + readBytes(path("plain.zip")));

    EXPECT_EQ(test("sfx.zip"), zipcode::Success);
    EXPECT_EQ(extract("sfx.zip", "out"), zipcode::Success);
    EXPECT_EQ(contents("out/readme.txt"), "inside a self-extractor");
}

TEST_F(Extract, VirtualPathsGoThroughTheDriveTable) {
    const host::DriveTable drives = host::DriveTable::parse("c=" + temp.path());
    ZipArchiveEngine virtualEngine(drives);
    std::filesystem::create_directories(path("Downloads"));
    writeZip(path("Downloads/Tool.zip"), {file("setup.exe", "MZ")});

    virtualEngine.setFileMask("*.*\r");
    virtualEngine.setDestinationFolder("c:\\Quil001");
    virtualEngine.setArchiveName("c:\\downloads\\tool.zip");
    EXPECT_EQ(virtualEngine.extract(0), zipcode::Success);
    EXPECT_EQ(contents("Quil001/setup.exe"), "MZ");

    virtualEngine.setArchiveName("q:\\tool.zip");
    EXPECT_EQ(virtualEngine.extract(0), zipcode::CannotOpen);
}

// The size limit of callers that extract small description files.
class SizeLimit : public ZipEngineTest {
protected:
    static constexpr std::uint64_t Limit = 64 << 10;
};

TEST_F(SizeLimit, AMemberOverTheLimitIsPassedOverWithAWarning) {
    const std::string big = sampleText(3 << 20, 2);
    writeZip(path("tool.zip"), {file("file_id.diz", "small"), file("huge.nfo", big),
                                file("edge.nfo", std::string(Limit, 'x'))});
    engine.setMemberSizeLimit(Limit);

    EXPECT_EQ(extract("tool.zip", "out", "*.diz\r*.nfo"), zipcode::LargeMembersSkipped);
    EXPECT_EQ(temp.listing(), (std::vector<std::string>{"out", "out/edge.nfo", "out/file_id.diz", "tool.zip"}));
    EXPECT_LE(engine.lastBytesDone(), Limit + 5);  // the large member was never decoded
    EXPECT_EQ(test("tool.zip"), zipcode::Success);
    EXPECT_EQ(engine.lastBytesDone(), big.size() + Limit + 5);

    engine.setMemberSizeLimit(0);
    EXPECT_EQ(extract("tool.zip", "all"), zipcode::Success);
    EXPECT_EQ(contents("all/huge.nfo"), big);
}

TEST_F(SizeLimit, AMemberThatDecodesPastItsDeclaredSizeIsStoppedThereAsBadData) {
    // 4 MB of zeros deflated, and an XZ member, both declaring 1000 bytes.
    writeZerosZip(path("deflated.zip"), "liar.nfo", 4 << 20);
    const MethodCase& xz = *std::find_if(methodCases().begin(), methodCases().end(),
                                         [](const MethodCase& method) { return method.label == "xz"; });
    ASSERT_TRUE(xz.write(path("xz.zip"), "liar.nfo", sampleText(3 << 20, 3)));
    engine.setMemberSizeLimit(Limit);
    for (const std::string archive : {"deflated.zip", "xz.zip"}) {
        SCOPED_TRACE(archive);
        patchNumber(path(archive), centralHeaderOffset(path(archive), "liar.nfo") + 24, 1000, 4);
        patchNumber(path(archive), localHeaderOffset(path(archive), "liar.nfo") + 22, 1000, 4);
        EXPECT_EQ(extract(archive, "out"), zipcode::BadData);
        EXPECT_FALSE(exists("out/liar.nfo"));
        EXPECT_LE(engine.lastBytesDone(), 1000u);
    }
}

class Zip64 : public ZipEngineTest {};

TEST_F(Zip64, SizesAndOffsetsInZip64FieldsAreRead) {
    writeZip64Stored(path("z64.zip"), {file("one.txt", "first member"), file("dir/two.txt", sampleText(3000, 11))});
    ASSERT_NE(readBytes(path("z64.zip")).find("PK\6\6"), std::string::npos);

    EXPECT_EQ(test("z64.zip"), zipcode::Success);
    EXPECT_EQ(extract("z64.zip", "out"), zipcode::Success);
    EXPECT_EQ(contents("out/one.txt"), "first member");
    EXPECT_EQ(contents("out/dir/two.txt"), sampleText(3000, 11));

    flipByte(path("z64.zip"), findBytes(path("z64.zip"), "first member"));
    EXPECT_EQ(test("z64.zip"), zipcode::CrcMismatch);
}

TEST_F(Zip64, LibzipWritesZip64EndRecordsForManyMembers) {
    std::vector<MemberSpec> members;
    for (int i = 0; i < 70000; ++i) members.push_back(file("m/" + std::to_string(i), std::to_string(i), ZIP_CM_STORE));
    writeZip(path("many.zip"), members);
    ASSERT_NE(readBytes(path("many.zip")).find("PK\6\6"), std::string::npos);

    EXPECT_EQ(test("many.zip"), zipcode::Success);
    EXPECT_EQ(extract("many.zip", "out", "69999"), zipcode::Success);
    EXPECT_EQ(temp.listing(), (std::vector<std::string>{"many.zip", "out", "out/m", "out/m/69999"}));
}

}  // namespace
}  // namespace q32::zip::test
