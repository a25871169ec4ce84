// Members of every method the engine reads, made by the tests: by 7-Zip
// (`7zz a -tzip -mm=...`), by small writers over liblzma and libzstd, and by
// the test encoders of the methods of PKZIP 0.9 and 1.x below; and hostile
// archives, made to hurt the reader.
#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <optional>
#include <string>
#include <vector>

namespace q32::zip::test {

struct MethodCase {
    std::string label;
    std::uint16_t method = 0;
    // Our own encoders' output that 7-Zip reads too, a check of both against an independent reader.
    bool crossCheck = false;
    // Writes an archive holding one member `name` with `data`; false when the
    // tool it needs is missing.
    std::function<bool(const std::string& archive, const std::string& name, const std::string& data)> write;
};

// Test names and messages show the label.
inline void PrintTo(const MethodCase& method, std::ostream* out) { *out << method.label; }

// `size` bytes and 75 KB more, with short and long repeats, near and far (50 KiB back), and every byte value.
std::string methodSampleData(std::size_t size);

const std::vector<MethodCase>& methodCases();

// 7-Zip's verdict on an archive: true when `7zz t` finds it sound; nullopt without 7zz.
std::optional<bool> sevenZipAccepts(const std::string& archive);

// Small encoders for the methods of PKZIP 0.9 and 1.x, so that the tests can
// make such members: they compress poorly but use every feature the
// decoders must handle (back-references, partial clearing, all factors,
// both windows, two and three trees).

// Method 1. `clearEvery`: a partial clearing after that many codes, besides
// the one when the code table is full.
std::string shrink(const std::string& data, unsigned clearEvery);
// Methods 2 to 5, factor 1 to 4.
std::string reduce(const std::string& data, unsigned factor);
// Method 6; the general-purpose flags tell the decoder the choice.
std::string implode(const std::string& data, bool largeWindow, bool literalTree);

// The greedy parse of Reduce and Implode: at each place the longest match, up
// to `longest` bytes, with the last earlier place that began with the same
// `shortest` bytes, if no farther back than `window`; else the byte itself.
struct Match {
    std::size_t at = 0;
    std::size_t length = 0;  // 0 for the byte at `at`
    std::size_t distance = 0;
};
std::vector<Match> greedyParse(const std::string& data, std::size_t window, std::size_t shortest, std::size_t longest);

// Archives made to hurt the zip engine's reader, each with the result codes
// it must give: lying sizes, members that share their data, names too deep
// or too long to make. The tests run them all, and they seed the fuzzer.
struct HostileInput {
    std::string file;
    std::int16_t testCode;
    std::int16_t extractCode;
};

// Writes every hostile archive into `folder`, which must exist.
std::vector<HostileInput> writeHostileCorpus(const std::string& folder);

}  // namespace q32::zip::test
