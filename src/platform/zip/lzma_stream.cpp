#include "platform/zip/lzma_stream.h"

#include "platform/zip/decode_failure.h"
#include "platform/zip_engine.h"

namespace q32::zip {

void LzmaStream::check(lzma_ret result) {
    if (result != LZMA_OK) throw DecodeFailure{zipcode::BadData};
}

void runLzma(LzmaStream& lzma, ChunkFeed& feed, DecodedOutput& output) {
    lzma_stream& stream = *lzma;
    for (;;) {
        const bool more = feed.fill();
        stream.next_in = feed.data();
        stream.avail_in = feed.length();
        stream.next_out = output.space();
        stream.avail_out = output.spaceLeft();
        const lzma_ret result = lzma_code(&stream, more ? LZMA_RUN : LZMA_FINISH);
        feed.consume(feed.length() - stream.avail_in);
        output.commit(output.spaceLeft() - stream.avail_out);
        if (result == LZMA_STREAM_END) return;
        LzmaStream::check(result);
    }
}

}  // namespace q32::zip
