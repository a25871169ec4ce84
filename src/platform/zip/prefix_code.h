// A table for decoding prefix codes read least significant bit first, as
// Deflate's Huffman codes and Implode's Shannon-Fano codes are: indexed by
// the next `bits` input bits, each entry gives the symbol and its length.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/zip/bit_input.h"
#include "platform/zip/decode_failure.h"
#include "platform/zip_engine.h"

namespace q32::zip {

class PrefixCode {
public:
    static constexpr unsigned MaxLength = 16;

    // `codes[s]` holds symbol s's code with its first bit lowest, `lengths[s]`
    // its length (0: unused). False when one code is the prefix of another.
    bool build(std::span<const std::uint16_t> codes, std::span<const std::uint8_t> lengths);
    // Canonical codes from lengths alone, as Deflate assigns them. False for an
    // over-full set of lengths; an incomplete one is accepted, and a missing
    // code fails when it is read.
    bool buildCanonical(std::span<const std::uint8_t> lengths);

    std::uint16_t decode(BitInput& input) const {
        input.need(bits_);
        const std::uint32_t entry = table_[input.peek(bits_)];
        const unsigned length = entry >> 16;
        if (length == 0) throw DecodeFailure{zipcode::BadData};
        input.drop(length);
        return static_cast<std::uint16_t>(entry);
    }

private:
    std::vector<std::uint32_t> table_;
    unsigned bits_ = 0;
};

// The low `length` bits of `code` in reverse order.
std::uint16_t reverseBits(std::uint16_t code, unsigned length);

}  // namespace q32::zip
