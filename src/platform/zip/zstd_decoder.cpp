// Zstandard through libzstd; frames written one after another decode as one.
// libzstd's own window limit (128 MiB) bounds the memory a member may ask for.
#include <zstd.h>

#include <memory>

#include "platform/zip/chunk_feed.h"
#include "platform/zip/decode_failure.h"
#include "platform/zip/method_decoders.h"
#include "platform/zip_engine.h"

namespace q32::zip {

namespace {

struct FreeContext {
    void operator()(ZSTD_DCtx* context) const { ZSTD_freeDCtx(context); }
};

}  // namespace

void decompressZstd(CompressedInput& input, DecodedOutput& output) {
    const std::unique_ptr<ZSTD_DCtx, FreeContext> context(ZSTD_createDCtx());
    if (!context) throw DecodeFailure{zipcode::BadData};
    ChunkFeed feed(input);
    std::size_t pending = 1;  // 0 once a frame is complete
    for (;;) {
        const bool more = feed.fill();
        if (!more && pending == 0) return;
        ZSTD_inBuffer in{feed.data(), feed.length(), 0};
        ZSTD_outBuffer out{output.space(), output.spaceLeft(), 0};
        pending = ZSTD_decompressStream(context.get(), &out, &in);
        if (ZSTD_isError(pending)) throw DecodeFailure{zipcode::BadData};
        feed.consume(in.pos);
        output.commit(out.pos);
        if (!more && out.pos == 0 && pending != 0) throw DecodeFailure{zipcode::BadData};
    }
}

}  // namespace q32::zip
