// The inverse transform walked in segments, against a forward transform
// made here by sorting the rotations of the data.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

#include "platform/zip/bzip2_transform.h"
#include "zip_fixtures.h"

namespace q32::zip::test {
namespace {

// The last column of the data's sorted rotations (equal ones in the order
// of where they start) and the row of the data itself.
std::string forwardTransform(const std::string& data, Bzip2BlockData& block) {
    const std::size_t n = data.size();
    std::vector<std::uint32_t> rows(n);
    std::iota(rows.begin(), rows.end(), 0);
    std::stable_sort(rows.begin(), rows.end(), [&](std::uint32_t a, std::uint32_t b) {
        for (std::size_t k = 0; k < n; ++k) {
            const auto x = static_cast<unsigned char>(data[(a + k) % n]), y = static_cast<unsigned char>(data[(b + k) % n]);
            if (x != y) return x < y;
        }
        return false;
    });
    std::string last(n, '\0');
    std::fill(std::begin(block.counts), std::end(block.counts), 0);
    for (std::size_t r = 0; r < n; ++r) {
        last[r] = data[(rows[r] + n - 1) % n];
        ++block.counts[static_cast<unsigned char>(last[r])];
        if (rows[r] == 0) block.origin = static_cast<std::uint32_t>(r);
    }
    block.length = static_cast<std::uint32_t>(n);
    return last;
}

TEST(Bzip2Transform, SegmentsWalkedAtOnceGiveTheDataBack) {
    std::string periodic;
    for (int i = 0; i < 700; ++i) periodic += "ab";
    const struct {
        const char* label;
        std::string data;
    } cases[] = {
        {"text over many segments", sampleText(120000, 11)},
        {"noise", randomBytes(70000, 12)},
        {"shorter than a segment", "bzip2 block"},
        {"one byte", "q"},
        {"a repeated pair: the links form many cycles", periodic},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        Bzip2BlockData block;
        std::string bytes = forwardTransform(c.data, block);
        const auto capacity = static_cast<std::uint32_t>(bytes.size());
        std::vector<unsigned char> memory(bzip2TransformMemory(capacity));
        undoBzip2Transform(block, reinterpret_cast<unsigned char*>(bytes.data()), memory.data(), capacity);
        EXPECT_TRUE(bytes == c.data);
    }
}

}  // namespace
}  // namespace q32::zip::test
