// bzip2: the member cut into its blocks, which decode with a decoder of our
// own (bzip2_block.h); with more than one core and the engine's worker
// pool, side by side (bzip2_blocks.h). Streams written one after another
// decode as one.
#include <algorithm>

#include "platform/zip/bzip2_blocks.h"
#include "platform/zip/method_decoders.h"
#include "platform/zip/worker_pool.h"

namespace q32::zip {

void decompressBzip2(CompressedInput& input, DecodedOutput& output) {
    WorkerPool* pool = output.pool();
    const unsigned threads = pool ? std::min(pool->size(), bzip2Threads()) : 1;
    decompressBzip2InBlocks(input, output, pool, threads);
}

}  // namespace q32::zip
