// The real archives made by the ACE archiver itself.
#include "ace_writer.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace q32::ace::testing {
namespace {

struct SampleCase {
    std::vector<std::pair<std::string, std::string>> copies;  // sample, name of the copy; the first is given
    AceResult result;
    std::string manifest;              // what an extraction that succeeds matches
    std::vector<std::string> leftOver;  // the manifest lines of what a failed one leaves
    std::string errorMentions;
};

const std::string kSplit = "Ace.store.split";

const SampleCase kCases[] = {
    {{{"Ace.method1.ace", "a.ace"}}, AceResult::Ok, "Ace.method1", {}, ""},
    {{{"Ace.store.ace", "s.ace"}}, AceResult::Ok, "Ace.store", {}, ""},
    {{{kSplit + ".ace", "v.ace"}, {kSplit + ".c00", "v.c00"}}, AceResult::Ok, kSplit, {}, ""},
    {{{kSplit + ".ace", "V.ACE"}, {kSplit + ".c00", "V.C00"}}, AceResult::Ok, kSplit, {}, ""},
    {{{kSplit + ".ace", "v.ace"}}, AceResult::MissingVolume, "", {"8557928804f57ecc 45056 exe/test.exe"}, "v.c00"},
    {{{kSplit + ".c00", "v.c00"}, {kSplit + ".ace", "v.ace"}}, AceResult::NotFirstVolume, "", {}, ""},
    {{{"Ace.method2.ace", "two.ace"}}, AceResult::Unsupported, "", {}, "ACE 2.0"},
};

TEST(Samples, ExtractAsTheirManifestsSayOrFailWithoutPartialFiles) {
    const std::filesystem::path samples = std::string(Q32_SAMPLES_DIR) + "/ace";
    if (!std::filesystem::is_directory(samples))
        GTEST_SKIP() << "no sample archives at " << samples;
    for (const SampleCase& sample : kCases) {
        SCOPED_TRACE(sample.copies[0].second);
        TempFolder work;
        std::filesystem::create_directory(work / "out");
        for (const auto& [name, copy] : sample.copies)
            std::filesystem::copy_file(samples / name, work / copy);
        const Extraction done = extract(work / sample.copies[0].second, work / "out");
        ASSERT_EQ(done.result, sample.result) << done.error;
        EXPECT_NE(done.error.find(sample.errorMentions), std::string::npos) << done.error;
        const std::string manifest = (samples / ".." / sample.manifest).string() + ".manifest";
        EXPECT_EQ(manifestOf(work / "out"), sample.result == AceResult::Ok ? readManifest(manifest) : sample.leftOver);
    }
}

}  // namespace
}  // namespace q32::ace::testing
