#include "platform/zip/member_decoder.h"

#include <isa-l/crc.h>
#include <isa-l/igzip_lib.h>

#include "platform/zip/method_dispatch.h"
#include "platform/zip_engine.h"

namespace q32::zip {

namespace {

constexpr std::size_t ReadChunkSize = 1 << 20;
constexpr std::size_t OutputChunkSize = 256 << 10;
constexpr std::size_t PlainChunkSize = 256 << 10;

std::int16_t inputFailure(CompressedInput::Status status) {
    return status == CompressedInput::Status::ReadError ? zipcode::CannotOpen : zipcode::Truncated;
}

// Checks that a decoded member has the size and CRC its directory entry gives.
std::int16_t verify(const MemberEntry& entry, std::uint64_t produced, std::uint32_t crc) {
    if (produced != entry.size) return zipcode::BadData;
    return crc == entry.crc ? zipcode::Success : zipcode::CrcMismatch;
}

}  // namespace

MemberDecoder::MemberDecoder()
    : inflater_(std::make_unique<inflate_state>()),
      readChunk_(ReadChunkSize),
      output_(std::make_unique_for_overwrite<unsigned char[]>(OutputChunkSize)) {
    isal_inflate_init(inflater_.get());
}

MemberDecoder::~MemberDecoder() = default;

std::int16_t MemberDecoder::decode(const MemberEntry& entry, CompressedInput& input, ByteSink& sink,
                                   WorkerProgress& control, MemberCipher* cipher) {
    if (!cipher) return entry.encrypted() ? zipcode::Unsupported : decodePlain(entry, input, sink, control);
    if (plain_.size() == 0) plain_.resize(PlainChunkSize);
    input.decryptWith(*cipher, plain_);
    return cipher->conclude(decodePlain(entry, input, sink, control), input);
}

std::int16_t MemberDecoder::decodePlain(const MemberEntry& entry, CompressedInput& input, ByteSink& sink,
                                        WorkerProgress& control) {
    if (entry.method == method::Stored) return copyStored(entry, input, sink, control);
    if (entry.method == method::Deflated) return inflate(entry, input, sink, control);
    const MemberFacts facts{entry.method, entry.flags, entry.size, entry.compressedSize, entry.crc};
    return decodeMethod(facts, input, sink, control, methodOutput_);
}

std::int16_t MemberDecoder::copyStored(const MemberEntry& entry, CompressedInput& input, ByteSink& sink,
                                       WorkerProgress& control) {
    if (entry.compressedSize != entry.size) return zipcode::NotAZip;
    std::uint32_t crc = 0;
    std::uint64_t produced = 0;
    const unsigned char* data = nullptr;
    std::size_t length = 0;
    CompressedInput::Status status;
    while ((status = input.next(data, length)) == CompressedInput::Status::Data) {
        crc = crc32_gzip_refl(crc, data, length);
        if (!sink.write(data, length)) return zipcode::CannotWrite;
        produced += length;
        control.addDone(length);
        if (control.stopped()) return zipcode::Aborted;
    }
    if (status != CompressedInput::Status::End) return inputFailure(status);
    return verify(entry, produced, crc);
}

std::int16_t MemberDecoder::inflate(const MemberEntry& entry, CompressedInput& input, ByteSink& sink,
                                    WorkerProgress& control) {
    inflate_state& state = *inflater_;
    isal_inflate_init(&state);
    state.crc_flag = ISAL_GZIP_NO_HDR;
    std::uint64_t produced = 0;
    bool inputEnded = false;
    while (state.block_state != ISAL_BLOCK_FINISH) {
        if (state.avail_in == 0 && !inputEnded) {
            const unsigned char* data = nullptr;
            std::size_t length = 0;
            const auto status = input.next(data, length);
            if (status == CompressedInput::Status::End) inputEnded = true;
            else if (status != CompressedInput::Status::Data) return inputFailure(status);
            state.next_in = const_cast<unsigned char*>(data);
            state.avail_in = static_cast<std::uint32_t>(length);
        }
        state.next_out = output_.get();
        state.avail_out = static_cast<std::uint32_t>(OutputChunkSize);
        const std::uint32_t inputBefore = state.avail_in;
        if (isal_inflate(&state) < 0) return zipcode::BadData;
        const std::size_t got = OutputChunkSize - state.avail_out;
        const bool stuck = got == 0 && (inputEnded || state.avail_in == inputBefore);
        if (stuck && state.block_state != ISAL_BLOCK_FINISH) return zipcode::BadData;
        produced += got;
        if (produced > entry.size) return zipcode::BadData;
        if (got > 0 && !sink.write(output_.get(), got)) return zipcode::CannotWrite;
        control.addDone(got);
        if (control.stopped()) return zipcode::Aborted;
    }
    return verify(entry, produced, state.crc);
}

}  // namespace q32::zip
