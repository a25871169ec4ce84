// bzip2 through libbz2: with more than one core and the engine's worker
// pool, the member's blocks decode side by side (bzip2_blocks.h); on one
// core, as one stream, which saves cutting the data and setting libbz2 up
// for each block. Streams written one after another decode as one.
#include <bzlib.h>

#include <algorithm>

#include "platform/zip/bzip2_blocks.h"
#include "platform/zip/decode_failure.h"
#include "platform/zip/method_decoders.h"
#include "platform/zip/worker_pool.h"
#include "platform/zip_engine.h"

namespace q32::zip {

namespace {

class Bzip2Stream {
public:
    Bzip2Stream() { start(); }
    ~Bzip2Stream() { BZ2_bzDecompressEnd(&stream_); }
    Bzip2Stream(const Bzip2Stream&) = delete;
    Bzip2Stream& operator=(const Bzip2Stream&) = delete;

    void restart() {
        BZ2_bzDecompressEnd(&stream_);
        start();
    }
    bz_stream& operator*() { return stream_; }

private:
    void start() {
        stream_ = bz_stream{};
        if (BZ2_bzDecompressInit(&stream_, 0, 0) != BZ_OK) throw DecodeFailure{zipcode::BadData};
    }
    bz_stream stream_{};
};

}  // namespace

void decompressBzip2Serially(CompressedInput& input, DecodedOutput& output) {
    ChunkFeed feed(input);
    Bzip2Stream bzip2;
    bz_stream& stream = *bzip2;
    for (;;) {
        const bool more = feed.fill();
        stream.next_in = const_cast<char*>(reinterpret_cast<const char*>(feed.data()));
        stream.avail_in = feed.length();
        const unsigned room = static_cast<unsigned>(output.spaceLeft());
        stream.next_out = reinterpret_cast<char*>(output.space());
        stream.avail_out = room;
        const int result = BZ2_bzDecompress(&stream);
        const unsigned used = feed.length() - stream.avail_in;
        feed.consume(used);
        output.commit(room - stream.avail_out);
        if (result == BZ_STREAM_END) {
            if (!feed.fill()) return;
            bzip2.restart();
            continue;
        }
        if (result != BZ_OK) throw DecodeFailure{zipcode::BadData};
        if (!more && room == stream.avail_out) throw DecodeFailure{zipcode::BadData};
    }
}

void decompressBzip2(CompressedInput& input, DecodedOutput& output) {
    WorkerPool* pool = output.pool();
    const unsigned threads = pool ? std::min(pool->size(), bzip2Threads()) : 1;
    if (threads <= 1) return decompressBzip2Serially(input, output);
    decompressBzip2InBlocks(input, output, pool, threads);
}

}  // namespace q32::zip
