// A member's compressed bytes for the library decoders: the current piece,
// refilled from the CompressedInput when used up.
#pragma once

#include <algorithm>
#include <climits>
#include <cstring>

#include "platform/zip/bit_input.h"

namespace q32::zip {

class ChunkFeed {
public:
    explicit ChunkFeed(CompressedInput& input) : input_(input) {}

    // Makes some bytes available; false at the end of the data.
    bool fill() {
        if (length_ == 0 && !ended_) ended_ = !nextCompressed(input_, data_, length_);
        return length_ > 0;
    }
    const unsigned char* data() const { return data_; }
    // At most what a library's 32-bit count can take.
    unsigned length() const { return static_cast<unsigned>(std::min<std::size_t>(length_, UINT_MAX)); }
    void consume(std::size_t count) {
        data_ += count;
        length_ -= count;
    }
    // Copies the next `count` bytes out; false when the data ends first.
    bool read(unsigned char* to, std::size_t count) {
        while (count > 0) {
            if (!fill()) return false;
            const std::size_t part = std::min(count, length_);
            std::memcpy(to, data_, part);
            consume(part);
            to += part;
            count -= part;
        }
        return true;
    }

private:
    CompressedInput& input_;
    const unsigned char* data_ = nullptr;
    std::size_t length_ = 0;
    bool ended_ = false;
};

}  // namespace q32::zip
