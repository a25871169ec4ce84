// One bzip2 block decoded alone by libbz2: its piece made into a stream of
// its own (header, block, end marker with the block's CRC as the stream's).
// Only sound blocks whose data was randomised (a trick of early bzip2
// versions against slow sorting) come here, from bzip2_block.h.
#pragma once

#include <bzlib.h>

#include <cstddef>
#include <vector>

#include "platform/zip/bzip2_pieces.h"

namespace q32::zip {

// How far a block's decoding got: its output room is full and more may
// follow, its output ended sound, or its data is bad.
enum class Bzip2Step { Full, End, Bad };

class Bzip2LibraryBlock {
public:
    // Throws DecodeFailure when libbz2 cannot start.
    Bzip2LibraryBlock(const Bzip2Piece& piece, char level);
    ~Bzip2LibraryBlock();
    Bzip2LibraryBlock(const Bzip2LibraryBlock&) = delete;
    Bzip2LibraryBlock& operator=(const Bzip2LibraryBlock&) = delete;

    using Step = Bzip2Step;
    // Decodes into `room` (`size` bytes); `got` tells how many were written.
    // Full: the room is full and more may follow. libbz2 writes nothing
    // before the block's data is read whole, but checks its CRC last.
    Step decode(unsigned char* room, std::size_t size, std::size_t& got);

private:
    std::vector<unsigned char> input_;
    bz_stream stream_{};
    bool started_ = false;
};

}  // namespace q32::zip
