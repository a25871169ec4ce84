// A bzip2 member decoded block by block, the blocks shared with the
// engine's idle workers (bzip2_pipeline.h). The block CRCs (bzip2_block.h), each
// stream's combined CRC (here) and the member's CRC-32 (the caller) guard
// the result.
#pragma once

#include <functional>

#include "platform/zip/bzip2_pieces.h"
#include "platform/zip/decoded_output.h"

namespace q32::zip {

class WorkerPool;

// Decodes the pieces `next` gives, in order, into `output`: blocks on up to
// `threads` threads, this one and `pool`'s idle workers. Throws DecodeFailure.
void decodeBzip2Pieces(const std::function<bool(Bzip2Piece&)>& next, DecodedOutput& output, WorkerPool* pool,
                       unsigned threads);

// A bzip2 member cut into blocks, shared with `pool` when `threads` > 1.
void decompressBzip2InBlocks(CompressedInput& input, DecodedOutput& output, WorkerPool* pool, unsigned threads);

// How many threads a bzip2 member may decode on: the cores this process may use.
unsigned bzip2Threads();

}  // namespace q32::zip
