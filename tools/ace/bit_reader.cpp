#include "bit_reader.h"

#include "ace_error.h"

namespace q32::ace {
namespace {
constexpr unsigned kPaddingAllowed = 32;
}

// A last word that the data only partly fills is completed with zero
// bytes; words wholly past the data count as padding.
std::uint32_t BitReader::nextWord() {
    std::uint32_t word = 0;
    unsigned filled = 0;
    for (; filled < 4; ++filled) {
        if (bytePosition_ == byteCount_ && !inputEnded_) {
            byteCount_ = input_.read(bytes_.data(), bytes_.size());
            bytePosition_ = 0;
            inputEnded_ = byteCount_ == 0;
        }
        if (inputEnded_)
            break;
        word |= static_cast<std::uint32_t>(bytes_[bytePosition_++]) << (8 * filled);
    }
    if (filled == 0)
        paddingBits_ += 32;
    return word;
}

void BitReader::refill() {
    while (bitCount_ <= 32) {
        bits_ |= static_cast<std::uint64_t>(nextWord()) << (32 - bitCount_);
        bitCount_ += 32;
    }
}

std::uint32_t BitReader::peek(unsigned count) {
    if (count == 0)
        return 0;
    if (bitCount_ < count)
        refill();
    return static_cast<std::uint32_t>(bits_ >> (64 - count));
}

void BitReader::skip(unsigned count) {
    if (count == 0)
        return;
    if (bitCount_ < count)
        refill();
    bits_ <<= count;
    bitCount_ -= count;
    // Padding sits at the very end of what was taken in, so whatever part of
    // it is no longer in the buffer has been consumed.
    if (paddingBits_ > bitCount_ + kPaddingAllowed)
        throw AceError(AceResult::Damaged, "compressed data ends before the member does");
}

std::uint32_t BitReader::read(unsigned count) {
    const std::uint32_t value = peek(count);
    skip(count);
    return value;
}

}  // namespace q32::ace
