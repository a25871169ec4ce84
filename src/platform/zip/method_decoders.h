// The decoders of the methods other than stored and deflated, each a
// function from a member's compressed bytes to its decoded bytes. They stop
// a member by throwing DecodeFailure with its result code; the caller checks
// the size and CRC-32 of what they produced.
#pragma once

#include <cstdint>

#include "platform/zip/compressed_input.h"
#include "platform/zip/decoded_output.h"

namespace q32::zip {

// What a decoder may need to know of its member besides the bytes.
struct MemberFacts {
    std::uint16_t method = 0;
    std::uint16_t flags = 0;
    std::uint64_t size = 0;
    std::uint64_t compressedSize = 0;
    std::uint32_t crc = 0;
};

void unshrink(CompressedInput& input, DecodedOutput& output);
void unreduce(CompressedInput& input, DecodedOutput& output, unsigned factor);
void explode(CompressedInput& input, DecodedOutput& output, bool largeWindow, bool literalTree);
void inflate64(CompressedInput& input, DecodedOutput& output);
void decompressBzip2(CompressedInput& input, DecodedOutput& output);
void decompressLzma(CompressedInput& input, DecodedOutput& output, const MemberFacts& member);
void decompressXz(CompressedInput& input, DecodedOutput& output);
void decompressZstd(CompressedInput& input, DecodedOutput& output);
void decompressPpmd(CompressedInput& input, DecodedOutput& output, const MemberFacts& member);

}  // namespace q32::zip
