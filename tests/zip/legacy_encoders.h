// Small encoders for the methods of PKZIP 0.9 and 1.x, so that the tests can
// make such members: they compress poorly but use every feature the
// decoders must handle (back-references, partial clearing, all factors,
// both windows, two and three trees).
#pragma once

#include <string>
#include <vector>

namespace q32::zip::test {

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

}  // namespace q32::zip::test
