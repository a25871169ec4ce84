#include "lz77_decoder.h"

#include "ace_error.h"

#include <algorithm>
#include <cstring>

namespace q32::ace {
namespace {

constexpr std::uint32_t kWindowMask = Lz77Decoder::kWindowSize - 1;
constexpr std::uint32_t kFlushSize = 1u << 16;
constexpr std::uint32_t kLongestDistanceForLength2 = 255;
constexpr std::uint32_t kLongestDistanceForLength3 = 8191;

// A number whose top bit is known from its width: `width` 0 and 1 stand for
// themselves, wider ones send all but the top bit.
std::uint32_t readKnownWidth(BitReader& bits, unsigned width) {
    if (width < 2)
        return width;
    return bits.read(width - 1) + (1u << (width - 1));
}

}  // namespace

void Lz77Decoder::decodeMember(BitReader& bits, std::uint64_t size, const OutputFn& out) {
    recentDistances_.fill(0);
    symbolsLeftInBlock_ = 0;
    std::uint64_t left = size;
    while (left > 0) {
        while (symbolsLeftInBlock_ == 0)
            startBlock(bits);
        --symbolsLeftInBlock_;
        left -= decodeSymbol(bits, left);
        if (pending_ >= kFlushSize)
            flush(out);
    }
    flush(out);
}

void Lz77Decoder::passStored(const std::uint8_t* data, std::size_t size) {
    if (!windowFull()) {
        const std::size_t growth = std::min<std::size_t>(size, kWindowSize - window_.size());
        reserveWindow(growth);
        window_.insert(window_.end(), data, data + growth);
        position_ = static_cast<std::uint32_t>(window_.size()) & kWindowMask;
        data += growth;
        size -= growth;
    }
    while (size > 0) {
        const std::size_t piece = std::min<std::size_t>(size, kWindowSize - position_);
        std::memcpy(window_.data() + position_, data, piece);
        position_ = (position_ + static_cast<std::uint32_t>(piece)) & kWindowMask;
        data += piece;
        size -= piece;
    }
}

void Lz77Decoder::startBlock(BitReader& bits) {
    mainTable_.readFrom(bits, HuffmanTable::kMaxWidth, kMainSymbols);
    lengthTable_.readFrom(bits, HuffmanTable::kMaxWidth, kLengthSymbols);
    symbolsLeftInBlock_ = bits.read(15);
}

std::uint32_t Lz77Decoder::decodeSymbol(BitReader& bits, std::uint64_t bytesLeft) {
    const unsigned symbol = mainTable_.decode(bits);
    if (symbol < 256) {
        put(static_cast<std::uint8_t>(symbol));
        return 1;
    }
    if (symbol < 260)
        return copyAtRecentDistance(bits, symbol - 256, bytesLeft);
    if (symbol < kModeSwitchSymbol)
        return copyAtNewDistance(bits, symbol - 260, bytesLeft);
    if (symbol == kModeSwitchSymbol)
        throw AceError(AceResult::Damaged, "compressed data switches compression mode, which ACE 1.0 data never does");
    throw AceError(AceResult::Damaged, "compressed data holds an unknown symbol");
}

std::uint32_t Lz77Decoder::copyAtRecentDistance(BitReader& bits, unsigned which, std::uint64_t bytesLeft) {
    // `which` 0 is the most recent distance; using one moves it to the front.
    const std::size_t slot = recentDistances_.size() - 1 - which;
    const std::uint32_t distance = recentDistances_[slot];
    std::rotate(recentDistances_.begin() + static_cast<std::ptrdiff_t>(slot),
                recentDistances_.begin() + static_cast<std::ptrdiff_t>(slot) + 1, recentDistances_.end());
    const std::uint32_t length = lengthTable_.decode(bits) + (which > 1 ? 3 : 2);
    return copy(distance, length, bytesLeft);
}

std::uint32_t Lz77Decoder::copyAtNewDistance(BitReader& bits, unsigned distanceBits, std::uint64_t bytesLeft) {
    const std::uint32_t distance = readKnownWidth(bits, distanceBits);
    std::rotate(recentDistances_.begin(), recentDistances_.begin() + 1, recentDistances_.end());
    recentDistances_.back() = distance;
    std::uint32_t length = lengthTable_.decode(bits);
    if (distance <= kLongestDistanceForLength2)
        length += 2;
    else if (distance <= kLongestDistanceForLength3)
        length += 3;
    else
        length += 4;
    return copy(distance, length, bytesLeft);
}

// `distance` 0 means the byte just written.
std::uint32_t Lz77Decoder::copy(std::uint32_t distance, std::uint32_t length, std::uint64_t bytesLeft) {
    const auto count = static_cast<std::uint32_t>(std::min<std::uint64_t>(length, bytesLeft));
    const std::uint32_t back = distance + 1;
    for (std::uint32_t i = 0; i < count; ++i)
        put(byteBack(back));
    return count;
}

// The byte `back` places behind the next one; zero before the first byte.
std::uint8_t Lz77Decoder::byteBack(std::uint32_t back) const {
    if (windowFull())
        return window_[(position_ - back) & kWindowMask];
    return back <= window_.size() ? window_[window_.size() - back] : 0;
}

// Grows the window's storage by doubling, never past the window's size.
void Lz77Decoder::reserveWindow(std::size_t extra) {
    const std::size_t needed = window_.size() + extra;
    if (needed <= window_.capacity())
        return;
    const std::size_t doubled = std::max<std::size_t>(kFlushSize, 2 * window_.capacity());
    window_.reserve(std::min<std::size_t>(kWindowSize, std::max(needed, doubled)));
}

void Lz77Decoder::put(std::uint8_t byte) {
    if (windowFull()) {
        window_[position_] = byte;
    } else {
        reserveWindow(1);
        window_.push_back(byte);
    }
    position_ = (position_ + 1) & kWindowMask;
    ++pending_;
}

void Lz77Decoder::flush(const OutputFn& out) {
    if (pending_ == 0)
        return;
    const std::uint32_t start = (position_ - pending_) & kWindowMask;
    const std::uint32_t firstPiece = std::min(pending_, kWindowSize - start);
    out(window_.data() + start, firstPiece);
    if (pending_ > firstPiece)
        out(window_.data(), pending_ - firstPiece);
    pending_ = 0;
}

}  // namespace q32::ace
