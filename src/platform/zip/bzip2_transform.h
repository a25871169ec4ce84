// The inverse Burrows-Wheeler transform of a bzip2 block. Each step of it
// reads an entry chosen by the step before, all over some 4 MB: the time
// goes into waiting for memory. The output is therefore walked from both
// ends at once, forwards from its first byte and backwards from its last,
// two chains whose waits overlap, meeting in the middle.
#pragma once

#include <cstdint>

#include "platform/zip/bzip2_block_reader.h"

namespace q32::zip {

// Turns the block's bytes, as read, into its output (still holding runs of
// four and a count), in place. `links` has room for 2 x block.length entries.
void undoBzip2Transform(const Bzip2BlockData& block, unsigned char* bytes, std::uint32_t* links);

}  // namespace q32::zip
