// One bzip2 block decoded alone by libbz2: its piece made into a stream of
// its own (header, block, end marker with the block's CRC as the stream's).
// The decoding may stop when the room for its output is full and go on
// later, on another thread: a block of long runs (up to 46 MB of output)
// is never decoded twice nor kept whole in memory.
#pragma once

#include <bzlib.h>

#include <cstddef>
#include <vector>

#include "platform/zip/bzip2_pieces.h"

namespace q32::zip {

// While one lives, libbz2's memory freed by a block is kept for the next
// (fresh pages cost more than decoding a small block); after the last, it
// is given back.
class Bzip2Memory {
public:
    Bzip2Memory();
    ~Bzip2Memory();
    Bzip2Memory(const Bzip2Memory&) = delete;
    Bzip2Memory& operator=(const Bzip2Memory&) = delete;
};

class Bzip2Block {
public:
    // Throws DecodeFailure when libbz2 cannot start.
    Bzip2Block(const Bzip2Piece& piece, char level);
    ~Bzip2Block();
    Bzip2Block(const Bzip2Block&) = delete;
    Bzip2Block& operator=(const Bzip2Block&) = delete;

    enum class Step { Full, End, Bad };
    // Decodes into `room` (`size` bytes); `got` tells how many were written.
    // Full: the room is full and more may follow. libbz2 writes nothing
    // before the block's data is read whole, but checks its CRC last.
    Step decode(unsigned char* room, std::size_t size, std::size_t& got);

private:
    std::vector<unsigned char> input_;
    bz_stream stream_{};
    bool started_ = false;
};

// The digit of a stream header "BZh1".."BZh9" at `offset` bits into the piece, or 0.
char bzip2LevelAt(const Bzip2Piece& piece, std::uint64_t offset);

// Where an End piece's next stream header would start: after the marker,
// the CRC and the padding to a byte.
std::uint64_t bzip2AfterEnd(const Bzip2Piece& piece);

}  // namespace q32::zip
