// One bzip2 block decoded alone, from its piece: read and transformed back
// whole first (bzip2_block_reader.h, bzip2_transform.h), so that nothing is
// written unless the data is a sound block ending where the piece ends;
// then its runs are undone as room is given, and the block's CRC checked
// at its end. The decoding may
// stop when the room is full and go on later, on another thread: a block of
// long runs (up to 46 MB of output) is never decoded twice nor kept whole
// in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/zip/bzip2_library_block.h"
#include "platform/zip/bzip2_pieces.h"

namespace q32::zip {

class Bzip2Block {
public:
    // Does the block's heavy work. Throws DecodeFailure when the memory for
    // the block cannot be had.
    Bzip2Block(const Bzip2Piece& piece, char level);
    ~Bzip2Block();
    Bzip2Block(const Bzip2Block&) = delete;
    Bzip2Block& operator=(const Bzip2Block&) = delete;

    // False when the piece holds no sound block: decode then gives Bad.
    bool sound() const { return !bad_; }

    using Step = Bzip2Step;
    // Decodes into `room` (`size` bytes); `got` tells how many were written.
    // Full: the room is full and more may follow. Bad comes before the first
    // byte, unless the CRC at the end does not match.
    Step decode(unsigned char* room, std::size_t size, std::size_t& got);

private:
    bool readAndTransform(const Bzip2Piece& piece, char level);
    std::size_t undoRuns(unsigned char* room, std::size_t size);
    Step finish();
    void release();

    std::unique_ptr<Bzip2LibraryBlock> library_;  // for randomised data
    unsigned char* bytes_ = nullptr;  // the output with its runs of four and a count
    std::uint32_t capacity_ = 0;  // bytes a block of its level may hold
    std::uint32_t next_ = 0;    // into bytes_
    std::uint32_t length_ = 0;
    std::uint32_t repeat_ = 0;  // copies of last_ still to write
    unsigned same_ = 0;         // how many times last_ came in a row
    int last_ = -1;
    std::uint32_t storedCrc_ = 0;
    std::uint32_t crc_ = 0;
    bool bad_ = false;
};

}  // namespace q32::zip
