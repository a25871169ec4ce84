// A liblzma decoding stream, shared by the LZMA and XZ decoders.
#pragma once

#include <lzma.h>

#include "platform/zip/chunk_feed.h"
#include "platform/zip/decoded_output.h"

namespace q32::zip {

class LzmaStream {
public:
    LzmaStream() = default;
    ~LzmaStream() { lzma_end(&stream_); }
    LzmaStream(const LzmaStream&) = delete;
    LzmaStream& operator=(const LzmaStream&) = delete;

    lzma_stream& operator*() { return stream_; }
    // Stops the member as undecodable unless liblzma said LZMA_OK.
    static void check(lzma_ret result);

private:
    lzma_stream stream_ = LZMA_STREAM_INIT;
};

// Decodes the rest of `feed` to the end of the stream.
void runLzma(LzmaStream& stream, ChunkFeed& feed, DecodedOutput& output);

}  // namespace q32::zip
