// Deflate64: Deflate with a 64 KiB window, length code 285 taking 16 extra
// bits on a base of 3, and distance codes 30 and 31 (14 extra bits each).
#include <array>

#include "platform/zip/bit_input.h"
#include "platform/zip/method_decoders.h"
#include "platform/zip/prefix_code.h"

namespace q32::zip {

namespace {

constexpr unsigned EndOfBlock = 256;

constexpr std::array<std::uint16_t, 29> LengthBase{3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                                   31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 3};
constexpr std::array<std::uint8_t, 29> LengthExtra{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                   2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 16};
constexpr std::array<std::uint16_t, 32> DistanceBase{
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,   193,
    257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577, 32769, 49153};
constexpr std::array<std::uint8_t, 32> DistanceExtra{0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,  6,
                                                     7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13, 14, 14};
constexpr std::array<std::uint8_t, 19> LengthCodeOrder{16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

struct BlockCodes {
    PrefixCode literals;
    PrefixCode distances;
};

void fail() { throw DecodeFailure{zipcode::BadData}; }

void copyStoredBlock(BitInput& input, DecodedOutput& output) {
    input.alignToByte();
    const std::uint32_t length = input.take(16);
    if ((input.take(16) ^ 0xFFFF) != length) fail();
    for (std::uint32_t i = 0; i < length; ++i) output.put(static_cast<unsigned char>(input.take(8)));
}

void useFixedCodes(BlockCodes& codes) {
    std::array<std::uint8_t, 288> literals{};
    for (std::size_t i = 0; i < literals.size(); ++i) literals[i] = i < 144 ? 8 : i < 256 ? 9 : i < 280 ? 7 : 8;
    std::array<std::uint8_t, 32> distances;
    distances.fill(5);
    if (!codes.literals.buildCanonical(literals) || !codes.distances.buildCanonical(distances)) fail();
}

// Reads the run-length coded code lengths of a dynamic block.
void readLengths(BitInput& input, const PrefixCode& lengthCode, std::span<std::uint8_t> lengths) {
    std::size_t i = 0;
    while (i < lengths.size()) {
        const std::uint16_t symbol = lengthCode.decode(input);
        if (symbol < 16) {
            lengths[i++] = static_cast<std::uint8_t>(symbol);
            continue;
        }
        if (symbol == 16 && i == 0) fail();
        const std::uint8_t value = symbol == 16 ? lengths[i - 1] : 0;
        const std::size_t repeat = symbol == 16 ? 3 + input.take(2) : symbol == 17 ? 3 + input.take(3) : 11 + input.take(7);
        if (i + repeat > lengths.size()) fail();
        for (std::size_t k = 0; k < repeat; ++k) lengths[i++] = value;
    }
}

void readDynamicCodes(BitInput& input, BlockCodes& codes) {
    const std::size_t literalCount = 257 + input.take(5);
    const std::size_t distanceCount = 1 + input.take(5);
    const std::size_t lengthCodeCount = 4 + input.take(4);
    if (literalCount > 286) fail();
    std::array<std::uint8_t, 19> lengthCodeLengths{};
    for (std::size_t i = 0; i < lengthCodeCount; ++i) lengthCodeLengths[LengthCodeOrder[i]] = static_cast<std::uint8_t>(input.take(3));
    PrefixCode lengthCode;
    if (!lengthCode.buildCanonical(lengthCodeLengths)) fail();
    std::array<std::uint8_t, 286 + 32> lengths{};
    readLengths(input, lengthCode, std::span(lengths).first(literalCount + distanceCount));
    if (lengths[EndOfBlock] == 0) fail();
    const auto all = std::span<const std::uint8_t>(lengths);
    if (!codes.literals.buildCanonical(all.first(literalCount)) ||
        !codes.distances.buildCanonical(all.subspan(literalCount, distanceCount))) {
        fail();
    }
}

void decodeBlock(BitInput& input, DecodedOutput& output, const BlockCodes& codes) {
    for (;;) {
        const std::uint16_t symbol = codes.literals.decode(input);
        if (symbol < 256) {
            output.put(static_cast<unsigned char>(symbol));
            continue;
        }
        if (symbol == EndOfBlock) return;
        const std::size_t lengthCode = symbol - 257u;
        if (lengthCode >= LengthBase.size()) fail();
        const std::size_t length = LengthBase[lengthCode] + input.take(LengthExtra[lengthCode]);
        const std::uint16_t distanceCode = codes.distances.decode(input);
        const std::size_t distance = DistanceBase[distanceCode] + input.take(DistanceExtra[distanceCode]);
        output.copy(distance, length);
    }
}

}  // namespace

void inflate64(CompressedInput& compressed, DecodedOutput& output) {
    BitInput input(compressed);
    BlockCodes codes;
    bool last = false;
    while (!last) {
        last = input.take(1) != 0;
        switch (input.take(2)) {
        case 0: copyStoredBlock(input, output); break;
        case 1: useFixedCodes(codes); decodeBlock(input, output, codes); break;
        case 2: readDynamicCodes(input, codes); decodeBlock(input, output, codes); break;
        default: fail();
        }
    }
    if (!input.withinData()) fail();
}


}  // namespace q32::zip
