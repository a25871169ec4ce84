// XZ through liblzma, with a memory limit well above what xz's presets ask for.
#include <lzma.h>

#include "platform/zip/chunk_feed.h"
#include "platform/zip/lzma_stream.h"
#include "platform/zip/method_decoders.h"

namespace q32::zip {

namespace {

constexpr std::uint64_t MemoryLimit = std::uint64_t{1} << 30;

}  // namespace

void decompressXz(CompressedInput& input, DecodedOutput& output) {
    LzmaStream stream;
    stream.check(lzma_stream_decoder(&*stream, MemoryLimit, LZMA_CONCATENATED));
    ChunkFeed feed(input);
    runLzma(stream, feed, output);
}

}  // namespace q32::zip
