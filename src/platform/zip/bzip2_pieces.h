// A bzip2 member cut into pieces that decode on several cores. Blocks start
// with a 48-bit marker at any bit position and streams end with another;
// the splitter cuts the data at every place either pattern occurs. Such a
// pattern may also occur by chance inside a block: the assembler
// (bzip2_blocks.h) then finds that the piece does not decode alone and
// joins it with the next.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/zip/chunk_feed.h"

namespace q32::zip {

inline constexpr std::uint64_t Bzip2BlockMarker = 0x314159265359;
inline constexpr std::uint64_t Bzip2EndMarker = 0x177245385090;

struct Bzip2Piece {
    // Head: the data before the first marker; Block and End: from such a marker.
    enum class Kind { Head, Block, End };
    Kind kind = Kind::Head;
    std::vector<unsigned char> bytes;  // holding the bits, the first at `firstBit` (from the top) of bytes[0]
    unsigned firstBit = 0;
    std::uint64_t bits = 0;
    std::uint64_t start = 0;  // the bit position of the piece in the member's data

    // `count` (at most 64) bits from `offset` bits into the piece.
    std::uint64_t read(std::uint64_t offset, unsigned count) const;
    // This piece followed by `next`, the piece after it in the data.
    void append(const Bzip2Piece& next);
};

// No block of a sound stream takes more compressed bits than this (900,000
// symbols of at most 20 bits, with their tables), nor any piece worth joining.
inline constexpr std::uint64_t Bzip2MaxPieceBits = std::uint64_t{4} << 23;

// Cuts a member's compressed data into pieces, reading it a chunk at a time.
class Bzip2Splitter {
public:
    explicit Bzip2Splitter(CompressedInput& input) : feed_(input) {}
    // The next piece; false after the last. Throws BadData for a piece too
    // long to be part of a sound stream.
    bool next(Bzip2Piece& piece);

private:
    void scanSome();
    void emit(Bzip2Piece& piece, std::uint64_t end);

    struct Marker {
        std::uint64_t at;
        Bzip2Piece::Kind kind;
    };
    ChunkFeed feed_;
    std::vector<unsigned char> pending_;  // the data from byte pendingStart_ on
    std::uint64_t pendingStart_ = 0;
    std::uint64_t bytesSeen_ = 0;
    std::uint64_t window_ = 0;
    std::uint64_t pieceStart_ = 0;
    Bzip2Piece::Kind kind_ = Bzip2Piece::Kind::Head;
    std::vector<Marker> found_;
    std::size_t nextFound_ = 0;
    bool ended_ = false;
    bool done_ = false;
};

// The digit of a stream header "BZh1".."BZh9" at `offset` bits into the piece, or 0.
char bzip2LevelAt(const Bzip2Piece& piece, std::uint64_t offset);

// Where an End piece's next stream header would start: after the marker,
// the CRC and the padding to a byte.
std::uint64_t bzip2AfterEnd(const Bzip2Piece& piece);

}  // namespace q32::zip
