// A member's compressed bits, least significant bit of each byte first, read
// from its CompressedInput a chunk at a time. Past the end of the data it
// gives zero bits for a little while (decoders look ahead), then stops the
// member as undecodable.
#pragma once

#include <cstdint>

#include "platform/zip/compressed_input.h"

namespace q32::zip {

class BitInput {
public:
    explicit BitInput(CompressedInput& input) : input_(input) {}

    static constexpr unsigned MaxNeed = 56;

    // Makes at least `count` (at most MaxNeed) bits available.
    void need(unsigned count) {
        if (available_ < count) refill();
    }
    std::uint32_t peek(unsigned count) const {
        return static_cast<std::uint32_t>(bits_ & ((std::uint64_t{1} << count) - 1));
    }
    void drop(unsigned count) {
        bits_ >>= count;
        available_ -= count;
    }
    std::uint32_t take(unsigned count) {
        need(count);
        const std::uint32_t value = peek(count);
        drop(count);
        return value;
    }
    // Skips to the next byte boundary.
    void alignToByte() { drop(available_ % 8); }

    // False when the decoder used bits beyond the end of the data.
    bool withinData() const { return padding_ * 8 <= available_; }

private:
    void refill();
    void nextChunk();

    CompressedInput& input_;
    const unsigned char* next_ = nullptr;
    const unsigned char* end_ = nullptr;
    std::uint64_t bits_ = 0;
    unsigned available_ = 0;
    unsigned padding_ = 0;  // zero bytes given after the end of the data
    bool ended_ = false;
};

// The next piece of a member's compressed bytes for the library decoders;
// false at the end of the data. Throws the code of a short or unreadable archive.
bool nextCompressed(CompressedInput& input, const unsigned char*& data, std::size_t& length);

}  // namespace q32::zip
