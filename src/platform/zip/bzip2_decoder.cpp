// bzip2: the member's blocks decoded by libbz2 on several cores
// (bzip2_blocks.h). Streams written one after another decode as one.
#include "platform/zip/bzip2_blocks.h"
#include "platform/zip/method_decoders.h"

namespace q32::zip {

void decompressBzip2(CompressedInput& input, DecodedOutput& output) {
    Bzip2Splitter splitter(input);
    decodeBzip2Pieces([&](Bzip2Piece& piece) { return splitter.next(piece); }, output, bzip2Threads());
}

}  // namespace q32::zip
