// Reduce: back-references written as DLE sequences, then every byte coded
// against the follower set of the byte before it.
#include <algorithm>
#include <array>
#include <vector>

#include "legacy_encoders.h"
#include "zip_fixtures.h"

namespace q32::zip::test {
namespace {

constexpr unsigned char Dle = 144;
constexpr std::array<int, 33> IndexBits{0, 1, 1, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 4, 4, 4, 4,
                                        5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5};

// The first stage: DLE, then a byte holding the length's low bits and the
// distance's high bits, an extra length byte when the low bits are all
// ones, and the distance's low byte.
std::string runLengthStage(const std::string& data, unsigned factor) {
    const unsigned lengthMask = 0xFFu >> factor;
    std::string out;
    for (const Match& match : greedyParse(data, std::size_t{256} << factor, 3, lengthMask + 255 + 3)) {
        const std::size_t high = match.length == 0 ? 0 : (match.distance - 1) >> 8;
        const std::size_t low = match.length == 0 ? 0 : std::min<std::size_t>(match.length - 3, lengthMask);
        if (high == 0 && low == 0) {  // no match, or one a zero byte would code: that byte after DLE means DLE
            for (std::size_t i = 0; i < std::max<std::size_t>(match.length, 1); ++i) {
                out += data[match.at + i];
                if (static_cast<unsigned char>(data[match.at + i]) == Dle) out += '\0';
            }
            continue;
        }
        out += static_cast<char>(Dle);
        out += static_cast<char>((high << (8 - factor)) | low);
        if (low == lengthMask) out += static_cast<char>(match.length - 3 - lengthMask);
        out += static_cast<char>((match.distance - 1) & 0xFF);
    }
    return out;
}

using Followers = std::array<std::vector<unsigned char>, 256>;

// Each byte's most frequent followers, at most 32 and fewer for some bytes.
Followers followerSets(const std::string& bytes) {
    std::vector<std::array<unsigned, 256>> counts(256, std::array<unsigned, 256>{});
    unsigned char last = 0;
    for (const char c : bytes) {
        ++counts[last][static_cast<unsigned char>(c)];
        last = static_cast<unsigned char>(c);
    }
    Followers sets;
    for (unsigned j = 0; j < 256; ++j) {
        std::vector<unsigned char> seen;
        for (unsigned k = 0; k < 256; ++k) {
            if (counts[j][k] > 0) seen.push_back(static_cast<unsigned char>(k));
        }
        std::stable_sort(seen.begin(), seen.end(), [&](unsigned char a, unsigned char b) { return counts[j][a] > counts[j][b]; });
        seen.resize(std::min<std::size_t>(seen.size(), 1 + j % 32));
        sets[j] = seen;
    }
    return sets;
}

}  // namespace

std::string reduce(const std::string& data, unsigned factor) {
    const std::string stage = runLengthStage(data, factor);
    const Followers sets = followerSets(stage);
    BitWriter bits;
    for (std::size_t j = 256; j-- > 0;) {
        bits.bits(static_cast<std::uint32_t>(sets[j].size()), 6);
        for (const unsigned char c : sets[j]) bits.bits(c, 8);
    }
    unsigned char last = 0;
    for (const char c : stage) {
        const auto& set = sets[last];
        const auto found = std::find(set.begin(), set.end(), static_cast<unsigned char>(c));
        if (!set.empty()) bits.bits(found == set.end() ? 1 : 0, 1);
        if (set.empty() || found == set.end()) bits.bits(static_cast<unsigned char>(c), 8);
        else bits.bits(static_cast<std::uint32_t>(found - set.begin()), IndexBits[set.size()]);
        last = static_cast<unsigned char>(c);
    }
    return bits.finish();
}

}  // namespace q32::zip::test
