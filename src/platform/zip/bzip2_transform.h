// The inverse Burrows-Wheeler transform of a bzip2 block. Each step of it
// reads an entry chosen by the step before, all over some 4 MB: the time
// goes into waiting for memory. So the block's rows are cut into segments
// at rows chosen beforehand, and several segments are walked at once, their
// waits overlapping; each segment's output goes to chunks of its own, and
// the chunks are put in order at the end.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/zip/bzip2_block_reader.h"

namespace q32::zip {

// How much memory undoBzip2Transform needs beside the bytes of a block of
// up to `capacity` bytes.
std::size_t bzip2TransformMemory(std::uint32_t capacity);

// Turns the block's bytes, as read, into its output (still holding runs of
// four and a count), in place; `memory` holds bzip2TransformMemory bytes.
void undoBzip2Transform(const Bzip2BlockData& block, unsigned char* bytes, void* memory, std::uint32_t capacity);

}  // namespace q32::zip
