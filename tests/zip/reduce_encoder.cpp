// Reduce: back-references written as DLE sequences, then every byte coded
// against the follower set of the byte before it.
#include <algorithm>
#include <array>
#include <bit>
#include <vector>

#include "method_fixtures.h"
#include "zip_fixtures.h"

namespace q32::zip::test {
namespace {

constexpr unsigned char Dle = 144;

// The first stage: DLE, then a byte holding the length's low bits and the
// distance's high bits, an extra length byte when the low bits are all
// ones, and the distance's low byte. Matches are at least 4 bytes long, so
// that the byte after DLE is never the zero that stands for DLE itself.
std::string runLengthStage(const std::string& data, unsigned factor) {
    const unsigned lengthMask = 0xFFu >> factor;
    std::string out;
    for (const Match& match : greedyParse(data, std::size_t{256} << factor, 4, lengthMask + 255 + 3)) {
        if (match.length == 0) {
            out += data[match.at];
            if (static_cast<unsigned char>(data[match.at]) == Dle) out += '\0';
            continue;
        }
        const std::size_t low = std::min<std::size_t>(match.length - 3, lengthMask);
        out += static_cast<char>(Dle);
        out += static_cast<char>((((match.distance - 1) >> 8) << (8 - factor)) | low);
        if (low == lengthMask) out += static_cast<char>(match.length - 3 - lengthMask);
        out += static_cast<char>((match.distance - 1) & 0xFF);
    }
    return out;
}

}  // namespace

std::string reduce(const std::string& data, unsigned factor) {
    const std::string stage = runLengthStage(data, factor);
    // Each byte's followers in the order they first come, at most 1 to 32 of them, by the byte.
    std::array<std::vector<unsigned char>, 256> sets;
    unsigned char last = 0;
    for (const unsigned char c : stage) {
        auto& set = sets[last];
        if (set.size() <= last % 32 && std::find(set.begin(), set.end(), c) == set.end()) set.push_back(c);
        last = c;
    }
    BitWriter bits;
    for (std::size_t j = 256; j-- > 0;) {
        bits.bits(static_cast<std::uint32_t>(sets[j].size()), 6);
        for (const unsigned char c : sets[j]) bits.bits(c, 8);
    }
    last = 0;
    for (const unsigned char c : stage) {
        const auto& set = sets[last];
        const auto found = std::find(set.begin(), set.end(), c);
        if (!set.empty()) bits.bits(found == set.end() ? 1 : 0, 1);
        const auto index = static_cast<std::uint32_t>(found - set.begin());
        if (found == set.end()) bits.bits(c, 8);
        else bits.bits(index, std::max<int>(1, std::bit_width(set.size() - 1)));  // one bit for a single follower
        last = c;
    }
    return bits.finish();
}

}  // namespace q32::zip::test
