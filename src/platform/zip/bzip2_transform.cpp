#include "platform/zip/bzip2_transform.h"

namespace q32::zip {

namespace {

// Row i of the sorted rotations ends with bytes[i]; the rows that start
// with a byte are those that end with it, in the same order. So each row
// is linked to the row that follows it in the data (forward) and to the
// one before (backward); an entry holds that row's index (above the low 8
// bits) and the byte the walk writes for it.
void linkRows(const Bzip2BlockData& block, const unsigned char* bytes, std::uint32_t* forward,
              std::uint32_t* backward) {
    std::uint32_t next[256];
    std::uint32_t sum = 0;
    for (unsigned byte = 0; byte < 256; ++byte) {
        next[byte] = sum;
        sum += block.counts[byte];
    }
    for (std::uint32_t row = 0; row < block.length; ++row) {
        const unsigned char byte = bytes[row];
        const std::uint32_t starting = next[byte]++;
        forward[starting] = row << 8 | byte;
        backward[row] = starting << 8 | byte;
    }
}

}  // namespace

void undoBzip2Transform(const Bzip2BlockData& block, unsigned char* bytes, std::uint32_t* links) {
    const std::uint32_t length = block.length;
    std::uint32_t* forward = links;
    std::uint32_t* backward = links + length;
    linkRows(block, bytes, forward, backward);
    // The data's own row ends with its last byte; the row after it starts the data.
    const std::uint32_t half = length / 2;
    std::uint32_t ahead = block.origin;
    std::uint32_t behind = block.origin;
    for (std::uint32_t k = 0; k < half; ++k) {
        const std::uint32_t front = forward[ahead];
        const std::uint32_t back = backward[behind];
        bytes[k] = static_cast<unsigned char>(front);
        bytes[length - 1 - k] = static_cast<unsigned char>(back);
        ahead = front >> 8;
        behind = back >> 8;
    }
    if (length % 2 == 1) {
        const std::uint32_t back = backward[behind];
        bytes[half] = static_cast<unsigned char>(back);
        behind = back >> 8;
    }
    if (ahead == behind) return;
    // The links do not form one cycle (damaged data): the forward walk
    // alone says what the block holds, and its CRC will judge it.
    for (std::uint32_t k = half; k < length; ++k) {
        const std::uint32_t front = forward[ahead];
        bytes[k] = static_cast<unsigned char>(front);
        ahead = front >> 8;
    }
}

}  // namespace q32::zip
