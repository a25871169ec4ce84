// The listing the RAR stand-in checks unar's work against, read from
// `lsar -json` output recorded from the samples (each entry cut down to the
// fields the reader looks at): files are listed with their sizes, folders
// and links are not, and a listing with an error is no listing.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "lsar_listing.h"

namespace q32::test {
namespace {

using Files = std::vector<std::pair<std::string, std::uintmax_t>>;

std::optional<Files> filesIn(const std::string& json) {
    const auto listed = standin::parseLsarListing(json);
    if (!listed) return std::nullopt;
    Files files;
    for (const standin::ListedFile& file : *listed) files.emplace_back(file.name, file.size);
    return files;
}

// lsar -json rar/Rar.rar
const char* const kRar =
    R"({"lsarFormatVersion":2,"lsarFormatName":"RAR","lsarContents":[{"XADFileName":"тест.txt","XADFileSize":15498},)"
    R"({"XADFileName":"exe/test.exe","XADFileSize":45056},{"XADFileName":"jpg/test.jpg","XADFileSize":40372},)"
    R"({"XADFileSize":0,"XADFileName":"Empty","XADIsDirectory":1},{"XADFileSize":0,"XADFileName":"exe",)"
    R"("XADIsDirectory":1},{"XADFileSize":0,"XADFileName":"jpg","XADIsDirectory":1}]})";
// lsar -json rar/Rar2.multi.rar: the set lists its folders first.
const char* const kRarSet =
    R"({"lsarFormatVersion":2,"lsarFormatName":"RAR","lsarContents":[{"XADFileSize":0,"XADFileName":"exe",)"
    R"("XADIsDirectory":1},{"XADFileSize":0,"XADFileName":"jpg","XADIsDirectory":1},{"XADFileName":"exe/test.exe",)"
    R"("XADFileSize":45056},{"XADFileName":"jpg/test.jpg","XADFileSize":40372},{"XADFileName":"тест.txt",)"
    R"("XADFileSize":15498}]})";
// A ZIP archive made with `zip -y` holding a folder, a file and a link to it.
const char* const kLinks =
    R"({"lsarFormatVersion":2,"lsarFormatName":"Zip","lsarContents":[{"XADFileSize":0,"XADFileName":"docs",)"
    R"("XADIsDirectory":1},{"XADFileSize":3,"XADFileName":"docs/read.me"},{"XADIsLink":1,"XADFileSize":12,)"
    R"("XADFileName":"link.txt"}]})";
// The first 60 bytes of Rar.rar, and a text file named .rar (lsar then exits 1).
const char* const kCut = R"({"lsarFormatVersion":2,"lsarContents":[],"lsarError":2,"lsarFormatName":"RAR"})";
const char* const kNotAnArchive = R"({"lsarFormatVersion": 2, "lsarError": 0})";

TEST(LsarListing, ListsFilesWithTheirSizesButNoFoldersOrLinks) {
    const Files rar{{"тест.txt", 15498}, {"exe/test.exe", 45056}, {"jpg/test.jpg", 40372}};
    const Files set{{"exe/test.exe", 45056}, {"jpg/test.jpg", 40372}, {"тест.txt", 15498}};
    const std::pair<const char*, std::optional<Files>> cases[] = {
        {kRar, rar},
        {kRarSet, set},
        {kLinks, Files{{"docs/read.me", 3}}},
        {kCut, std::nullopt},
        {kNotAnArchive, std::nullopt},
        {"Rar.rar: RAR\n  0. -----  15498  82.5%  Nr29  2011-06-23 21:35  x.txt", std::nullopt},
        {R"({"lsarContents":[{"XADFileName":"size.unknown"}]})", std::nullopt},
    };
    for (const auto& [json, expected] : cases) EXPECT_EQ(filesIn(json), expected) << json;
}

}  // namespace
}  // namespace q32::test
