#include "platform/zip/bzip2_pieces.h"

#include <algorithm>

#include "platform/zip/decode_failure.h"
#include "platform/zip_engine.h"

namespace q32::zip {

namespace {

constexpr std::uint64_t Mask48 = (std::uint64_t{1} << 48) - 1;
constexpr std::size_t ScanStep = 256 << 10;

// For each byte value, the shifts (bit k) at which a marker could end in the
// byte after it: a marker's last 8 to 15 bits hold that byte whole.
struct MarkerShifts {
    std::uint8_t after[256] = {};
    MarkerShifts() {
        for (const std::uint64_t marker : {Bzip2BlockMarker, Bzip2EndMarker}) {
            for (unsigned shift = 0; shift < 8; ++shift) after[((marker << shift) >> 8) & 0xFF] |= 1 << shift;
        }
    }
};
const MarkerShifts markerShifts;

[[noreturn]] void badData() { throw DecodeFailure{zipcode::BadData}; }

}  // namespace

std::uint64_t Bzip2Piece::read(std::uint64_t offset, unsigned count) const {
    std::uint64_t value = 0;
    for (std::uint64_t bit = firstBit + offset, end = bit + count; bit < end; ++bit) {
        value = value << 1 | ((bytes[bit >> 3] >> (7 - (bit & 7))) & 1);
    }
    return value;
}

void Bzip2Piece::append(const Bzip2Piece& next) {
    bytes.resize((firstBit + bits) >> 3);  // the byte `next` starts in is its own first byte
    bytes.insert(bytes.end(), next.bytes.begin(), next.bytes.end());
    bits += next.bits;
}

bool Bzip2Splitter::next(Bzip2Piece& piece) {
    for (;;) {
        if (nextFound_ < found_.size()) {
            const Marker marker = found_[nextFound_++];
            emit(piece, marker.at);
            kind_ = marker.kind;
            return true;
        }
        if (ended_) {
            if (done_) return false;
            done_ = true;
            emit(piece, bytesSeen_ * 8);
            return true;
        }
        scanSome();
    }
}

void Bzip2Splitter::scanSome() {
    found_.clear();
    nextFound_ = 0;
    if (!feed_.fill()) {
        ended_ = true;
        return;
    }
    const std::size_t length = std::min<std::size_t>(feed_.length(), ScanStep);
    const unsigned char* data = feed_.data();
    pending_.insert(pending_.end(), data, data + length);
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned shifts = markerShifts.after[window_ & 0xFF];
        window_ = window_ << 8 | data[i];
        ++bytesSeen_;
        if (shifts == 0 || bytesSeen_ < 6) continue;
        for (int shift = 7; shift >= 0; --shift) {
            if (!(shifts >> shift & 1)) continue;
            const std::uint64_t candidate = (window_ >> shift) & Mask48;
            if (candidate != Bzip2BlockMarker && candidate != Bzip2EndMarker) continue;
            if (bytesSeen_ * 8 < 48u + shift) continue;
            // Each place is seen once, in rising order: overlapping markers are all kept.
            const std::uint64_t at = bytesSeen_ * 8 - 48 - shift;
            found_.push_back({at, candidate == Bzip2BlockMarker ? Bzip2Piece::Kind::Block : Bzip2Piece::Kind::End});
        }
    }
    feed_.consume(length);
    if (found_.empty() && bytesSeen_ * 8 - pieceStart_ > Bzip2MaxPieceBits) badData();
}

void Bzip2Splitter::emit(Bzip2Piece& piece, std::uint64_t end) {
    if (end - pieceStart_ > Bzip2MaxPieceBits) badData();
    const std::uint64_t first = pieceStart_ >> 3, last = (end + 7) >> 3;
    piece.kind = kind_;
    piece.bytes.assign(pending_.begin() + (first - pendingStart_), pending_.begin() + (last - pendingStart_));
    piece.firstBit = static_cast<unsigned>(pieceStart_ & 7);
    piece.bits = end - pieceStart_;
    piece.start = pieceStart_;
    pending_.erase(pending_.begin(), pending_.begin() + ((end >> 3) - pendingStart_));
    pendingStart_ = end >> 3;
    pieceStart_ = end;
}

char bzip2LevelAt(const Bzip2Piece& piece, std::uint64_t offset) {
    if (piece.bits < offset + 32) return 0;
    const std::uint64_t header = piece.read(offset, 32);
    const auto digit = static_cast<char>(header & 0xFF);
    return (header >> 8) == 0x425A68 && digit >= '1' && digit <= '9' ? digit : 0;
}

std::uint64_t bzip2AfterEnd(const Bzip2Piece& piece) { return 80 + ((8 - (piece.start + 80) % 8) % 8); }

}  // namespace q32::zip
