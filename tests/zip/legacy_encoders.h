// Small encoders for the methods of PKZIP 0.9 and 1.x, so that the tests can
// make such members: they compress poorly but use every feature the
// decoders must handle (back-references, partial clearing, all factors,
// both windows, two and three trees).
#pragma once

#include <string>

namespace q32::zip::test {

// Method 1. `clearEvery`: a partial clearing after that many codes, besides
// the one when the code table is full.
std::string shrink(const std::string& data, unsigned clearEvery);
// Methods 2 to 5, factor 1 to 4.
std::string reduce(const std::string& data, unsigned factor);
// Method 6; the general-purpose flags tell the decoder the choice.
std::string implode(const std::string& data, bool largeWindow, bool literalTree);

}  // namespace q32::zip::test
