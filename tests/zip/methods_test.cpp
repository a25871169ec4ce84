#include <gmock/gmock.h>

#include <filesystem>

#include "method_fixtures.h"
#include "platform/zip/method_dispatch.h"
#include "support/run_tool.h"
#include "zip_test_base.h"

namespace q32::zip::test {
namespace {

namespace fs = std::filesystem;

constexpr char Member[] = "member.bin";

// Archives made by PKZIP itself, checked against their manifests.
class LegacySample : public ZipEngineTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(LegacySample, ExtractsAndTestsToItsManifest) {
    const fs::path sample = fs::path(Q32_SAMPLES_DIR) / "zip" / GetParam();
    if (!fs::exists(sample.string() + ".zip")) GTEST_SKIP() << "missing sample " << sample;
    fs::copy_file(sample.string() + ".zip", path("sample.zip"));
    EXPECT_EQ(test("sample.zip"), zipcode::Success);
    ASSERT_EQ(extract("sample.zip", "out"), zipcode::Success);
    EXPECT_EQ(q32::test::manifestOf(path("out")), q32::test::readManifest(sample.string() + ".manifest"));
}

INSTANTIATE_TEST_SUITE_P(Pkzip, LegacySample, ::testing::Values("legacy_shrink", "legacy_reduce", "legacy_implode"));

class MethodMember : public ZipEngineTest, public ::testing::WithParamInterface<MethodCase> {
protected:
    void SetUp() override {
        data = methodSampleData(250000);  // more than one piece of output: see the abort test
        if (!GetParam().write(path("m.zip"), Member, data)) GTEST_SKIP() << "no tool to write " << GetParam().label;
    }
    // A copy of the archive, damaged by `damage`, fails with one of `codes`
    // and leaves no member file behind.
    void expectFailure(const std::function<void(const std::string&)>& damage, std::vector<std::int16_t> codes) {
        fs::copy_file(path("m.zip"), path("bad.zip"), fs::copy_options::overwrite_existing);
        damage(path("bad.zip"));
        EXPECT_THAT(test("bad.zip"), ::testing::AnyOfArray(codes));
        EXPECT_THAT(extract("bad.zip", "out"), ::testing::AnyOfArray(codes));
        EXPECT_FALSE(exists(std::string("out/") + Member));
    }
    std::size_t dataStart() { return memberDataOffset(path("m.zip"), Member); }
    std::size_t dataSize() { return centralHeaderOffset(path("m.zip"), Member) - dataStart(); }
    std::string data;
};

TEST_P(MethodMember, DecodesByteExact) {
    EXPECT_EQ(readNumber(readBytes(path("m.zip")), centralHeaderOffset(path("m.zip"), Member) + 10, 2),
              GetParam().method);
    EXPECT_EQ(test("m.zip"), zipcode::Success);
    ASSERT_EQ(extract("m.zip", "out"), zipcode::Success);
    EXPECT_TRUE(contents(std::string("out/") + Member) == data);
    if (GetParam().crossCheck) {
        EXPECT_NE(sevenZipAccepts(path("m.zip")), std::optional<bool>(false));
    }
}

TEST_P(MethodMember, DamagedDataFailsAndLeavesNothingBehind) {
    const std::size_t start = dataStart(), size = dataSize();
    for (const std::size_t at : {start + size / 10, start + size / 2, start + size * 9 / 10}) {
        SCOPED_TRACE(at);
        expectFailure([&](const std::string& archive) { flipByte(archive, at); },
                      {zipcode::CrcMismatch, zipcode::BadData});
    }
    expectFailure([&](const std::string& archive) { cutTo(archive, start + size / 2); }, {zipcode::Truncated});
    const auto shorten = [&](const std::string& archive) {
        const auto shorter = static_cast<std::uint32_t>(size / 2);
        patchNumber(archive, localHeaderOffset(archive, Member) + 18, shorter, 4);
        patchNumber(archive, centralHeaderOffset(archive, Member) + 20, shorter, 4);
    };
    expectFailure(shorten, {zipcode::CrcMismatch, zipcode::BadData});
}

// Counts what reaches it.
class CountingSink final : public ByteSink {
public:
    bool write(const unsigned char*, std::size_t length) override {
        written += length;
        return true;
    }
    std::size_t written = 0;
};

TEST_P(MethodMember, TheAbortFlagStopsTheDecoderInsideTheMember) {
    const std::string archive = readBytes(path("m.zip"));
    const std::size_t central = centralHeaderOffset(path("m.zip"), Member);
    const auto field = [&](std::size_t at, int bytes) {
        return static_cast<std::uint32_t>(readNumber(archive, central + at, bytes));
    };
    const MemberFacts member{static_cast<std::uint16_t>(field(10, 2)), static_cast<std::uint16_t>(field(8, 2)),
                             field(24, 4), field(20, 4), field(16, 4)};
    std::atomic<bool> abort{true};
    RunControl control{abort};
    WorkerProgress progress(control);
    CompressedInput input(reinterpret_cast<const unsigned char*>(archive.data()) + dataStart(), member.compressedSize);
    CountingSink sink;
    ByteBuffer buffer;
    EXPECT_EQ(decodeMethod(member, input, sink, progress, buffer), zipcode::Aborted);
    EXPECT_LT(sink.written, data.size());
}

INSTANTIATE_TEST_SUITE_P(Methods, MethodMember, ::testing::ValuesIn(methodCases()),
                         [](const auto& info) { return info.param.label; });

}  // namespace
}  // namespace q32::zip::test
