// Implode: a sliding window of 4 or 8 KiB whose literals, lengths and
// distances are coded with Shannon-Fano trees stored at the start of the
// data. Without a literal tree, literals are plain bytes and the shortest
// match is 2 bytes instead of 3.
#include <algorithm>
#include <array>
#include <numeric>
#include <optional>
#include <vector>

#include "platform/zip/bit_input.h"
#include "platform/zip/method_decoders.h"
#include "platform/zip/prefix_code.h"

namespace q32::zip {

namespace {

constexpr unsigned LongLength = 63;  // this length symbol takes 8 more bits

void fail() { throw DecodeFailure{zipcode::BadData}; }

// The tree's bit lengths, kept as counts of equal lengths in a few bytes.
std::vector<std::uint8_t> readLengths(BitInput& input, std::size_t symbols) {
    std::vector<std::uint8_t> lengths;
    const unsigned bytes = input.take(8) + 1;
    for (unsigned i = 0; i < bytes; ++i) {
        const std::uint32_t byte = input.take(8);
        const std::size_t count = (byte >> 4) + 1;
        if (lengths.size() + count > symbols) fail();
        lengths.insert(lengths.end(), count, static_cast<std::uint8_t>((byte & 0x0F) + 1));
    }
    if (lengths.size() != symbols) fail();
    return lengths;
}

// Codes are handed out from the longest length to the shortest, counting up
// from zero at the top of a 16-bit word; among equal lengths the later
// symbol gets the smaller code.
PrefixCode readTree(BitInput& input, std::size_t symbols) {
    const std::vector<std::uint8_t> lengths = readLengths(input, symbols);
    std::vector<std::size_t> order(symbols);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return lengths[a] < lengths[b]; });
    std::vector<std::uint16_t> codes(symbols);
    std::uint32_t code = 0;
    std::uint32_t increment = 0;
    unsigned lastLength = 0;
    for (std::size_t i = symbols; i-- > 0;) {
        const std::size_t symbol = order[i];
        code += increment;
        if (code > 0xFFFF) fail();
        if (lengths[symbol] != lastLength) {
            lastLength = lengths[symbol];
            increment = 1u << (16 - lastLength);
        }
        codes[symbol] = reverseBits(static_cast<std::uint16_t>(code >> (16 - lastLength)), lastLength);
    }
    PrefixCode tree;
    if (!tree.build(codes, lengths)) fail();
    return tree;
}

}  // namespace

void explode(CompressedInput& compressed, DecodedOutput& output, bool largeWindow, bool literalTree) {
    BitInput input(compressed);
    std::optional<PrefixCode> literals;
    if (literalTree) literals = readTree(input, 256);
    const PrefixCode lengths = readTree(input, 64);
    const PrefixCode distances = readTree(input, 64);
    const unsigned lowDistanceBits = largeWindow ? 7 : 6;
    const unsigned shortestMatch = literalTree ? 3 : 2;
    while (output.remaining() > 0) {
        if (input.take(1) != 0) {
            output.put(static_cast<unsigned char>(literals ? literals->decode(input) : input.take(8)));
            continue;
        }
        const std::uint32_t low = input.take(lowDistanceBits);
        const std::size_t distance = ((std::size_t{distances.decode(input)} << lowDistanceBits) | low) + 1;
        const unsigned symbol = lengths.decode(input);
        std::size_t length = symbol + shortestMatch;
        if (symbol == LongLength) length += input.take(8);
        output.copy(distance, static_cast<std::size_t>(std::min<std::uint64_t>(length, output.remaining())));
    }
    if (!input.withinData()) fail();
}

}  // namespace q32::zip
