#include "platform/zip/method_dispatch.h"

#include <atomic>

#include "platform/zip/decode_failure.h"
#include "platform/zip_engine.h"

namespace q32::zip {

namespace {

// How much output a method's decoder looks back at, and the most it copies at once.
struct OutputShape {
    std::size_t window = 0;
    std::size_t longestCopy = 0;
    bool zeroHistory = false;
};

enum class Decoder { None, Shrink, Reduce, Implode, Deflate64, Bzip2, Lzma, Xz, Zstd, Ppmd };

Decoder decoderFor(std::uint16_t method) {
    switch (method) {
    case 1: return Decoder::Shrink;
    case 2: case 3: case 4: case 5: return Decoder::Reduce;
    case 6: return Decoder::Implode;
    case 9: return Decoder::Deflate64;
    case 12: return Decoder::Bzip2;
    case 14: return Decoder::Lzma;
    case 20: case 93: return Decoder::Zstd;
    case 95: return Decoder::Xz;
    case 98: return Decoder::Ppmd;
    default: return Decoder::None;
    }
}

OutputShape shapeOf(Decoder decoder) {
    switch (decoder) {
    case Decoder::Reduce: return {4 << 10, 512, true};
    case Decoder::Implode: return {8 << 10, 512, true};
    case Decoder::Deflate64: return {64 << 10, 3 + 65535, false};
    default: return {};
    }
}

void run(Decoder decoder, const MemberFacts& member, CompressedInput& input, DecodedOutput& output) {
    switch (decoder) {
    case Decoder::Shrink: return unshrink(input, output);
    case Decoder::Reduce: return unreduce(input, output, member.method - 1u);
    case Decoder::Implode: return explode(input, output, (member.flags & 0x2) != 0, (member.flags & 0x4) != 0);
    case Decoder::Deflate64: return inflate64(input, output);
    case Decoder::Bzip2: return decompressBzip2(input, output);
    case Decoder::Lzma: return decompressLzma(input, output, member);
    case Decoder::Xz: return decompressXz(input, output);
    case Decoder::Zstd: return decompressZstd(input, output);
    case Decoder::Ppmd: return decompressPpmd(input, output, member);
    case Decoder::None: break;
    }
    throw DecodeFailure{zipcode::Unsupported};
}

}  // namespace

bool methodDecodable(std::uint16_t method) { return decoderFor(method) != Decoder::None; }

std::int16_t decodeMethod(const MemberFacts& member, CompressedInput& input, ByteSink& sink,
                          WorkerProgress& control, ByteBuffer& buffer) {
    const Decoder decoder = decoderFor(member.method);
    if (decoder == Decoder::None) return zipcode::Unsupported;
    const OutputShape shape = shapeOf(decoder);
    try {
        DecodedOutput output(buffer, shape.window, shape.longestCopy, shape.zeroHistory, member.size, sink, control);
        run(decoder, member, input, output);
        const std::uint32_t crc = output.finish();
        if (output.produced() != member.size) return zipcode::BadData;
        return crc == member.crc ? zipcode::Success : zipcode::CrcMismatch;
    } catch (const DecodeFailure& failure) {
        return failure.code;
    }
}

std::int16_t decodeMethodBytes(const MemberFacts& member, const unsigned char* data, std::size_t length,
                               ByteSink& sink) {
    std::atomic<bool> never{false};
    RunControl control{never};
    WorkerProgress progress(control);
    CompressedInput input(data, length);
    ByteBuffer buffer;
    return decodeMethod(member, input, sink, progress, buffer);
}

}  // namespace q32::zip
