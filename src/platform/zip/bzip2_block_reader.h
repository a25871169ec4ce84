// The first half of decoding a bzip2 block: its header, the tables of its
// prefix codes and its symbols, with the zero runs and the move-to-front
// undone. What comes out is the block's bytes as the Burrows-Wheeler
// transform left them (the last column of the sorted rotations), for
// bzip2_transform.h.
#pragma once

#include <cstdint>

#include "platform/zip/bzip2_pieces.h"

namespace q32::zip {

struct Bzip2BlockData {
    std::uint32_t length = 0;   // bytes
    std::uint32_t origin = 0;   // the row of the sorted rotations that is the data itself
    std::uint32_t counts[256];  // how many times each byte occurs
    std::uint32_t crc = 0;      // of the block's output, as stored
    bool randomised = false;    // by early bzip2 versions, against slow sorting
};

// Entries a block of this level ('1'..'9') may hold.
inline std::uint32_t bzip2BlockCapacity(char level) { return static_cast<std::uint32_t>(level - '0') * 100000; }

// Reads the block `piece` holds (from its marker) into `bytes`, room for
// bzip2BlockCapacity(level). False unless the data is a sound block that
// ends exactly where the piece does.
bool readBzip2Block(const Bzip2Piece& piece, char level, unsigned char* bytes, Bzip2BlockData& block);

}  // namespace q32::zip
