// The bit stream of a compressed member: 32-bit little-endian words whose
// bits are taken from the most significant end. After the last word the
// stream reads as zero bits for one more word (the archiver's own reader
// pads it so); a decoder that reads further than that is looking at damaged
// data, and the reader stops it.
#pragma once

#include "byte_input.h"

#include <array>
#include <cstdint>

namespace q32::ace {

class BitReader {
public:
    explicit BitReader(ByteInput& input) : input_(input) {}

    // The next `count` bits (0 to 32) without consuming them.
    std::uint32_t peek(unsigned count);
    // Consumes `count` bits (0 to 32); throws AceError when that goes past
    // the end of the data and its one word of padding.
    void skip(unsigned count);
    std::uint32_t read(unsigned count);

private:
    void refill();
    std::uint32_t nextWord();

    ByteInput& input_;
    std::uint64_t bits_ = 0;      // unread bits, the next one in the top bit
    unsigned bitCount_ = 0;       // how many bits of bits_ are valid
    std::uint64_t paddingBits_ = 0;  // zero bits added after the data ended
    std::array<std::uint8_t, 16384> bytes_{};
    std::size_t byteCount_ = 0;
    std::size_t bytePosition_ = 0;
    bool inputEnded_ = false;
};

}  // namespace q32::ace
