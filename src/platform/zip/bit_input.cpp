#include "platform/zip/bit_input.h"

#include <cstring>

#include "platform/zip/decode_failure.h"
#include "platform/zip_engine.h"

namespace q32::zip {

namespace {

// More zero bytes than the bit buffer holds: the decoder has gone past the end.
constexpr unsigned MaxPadding = 16;

}  // namespace

bool nextCompressed(CompressedInput& input, const unsigned char*& data, std::size_t& length) {
    switch (input.next(data, length)) {
    case CompressedInput::Status::Data: return true;
    case CompressedInput::Status::End: return false;
    case CompressedInput::Status::ReadError: throw DecodeFailure{zipcode::CannotOpen};
    case CompressedInput::Status::Truncated: break;
    }
    throw DecodeFailure{zipcode::Truncated};
}

void BitInput::refill() {
    if (end_ - next_ >= 8) {
        std::uint64_t word;
        std::memcpy(&word, next_, sizeof word);  // little-endian machines only, as the rest of the reader
        bits_ |= word << available_;
        next_ += (63 - available_) >> 3;
        available_ |= 56;
        return;
    }
    while (available_ <= MaxNeed) {
        if (next_ == end_) nextChunk();
        const std::uint64_t byte = next_ == end_ ? 0 : *next_++;
        bits_ |= byte << available_;
        available_ += 8;
    }
}

void BitInput::nextChunk() {
    std::size_t length = 0;
    if (!ended_) ended_ = !nextCompressed(input_, next_, length);
    if (!ended_) {
        end_ = next_ + length;
        return;
    }
    next_ = end_ = nullptr;
    if (++padding_ > MaxPadding) throw DecodeFailure{zipcode::BadData};
}

}  // namespace q32::zip
