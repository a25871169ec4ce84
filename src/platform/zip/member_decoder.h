// Decodes one member's data into a sink and checks it: stored and deflated
// members here (ISA-L inflate with its CRC-32), other methods through
// method_dispatch.h.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/zip/compressed_input.h"
#include "platform/zip/member_entry.h"
#include "platform/zip/member_keys.h"
#include "platform/zip/run_control.h"

struct inflate_state;

namespace q32::zip {

// One worker's decoding state, kept between members and between runs.
class MemberDecoder {
public:
    MemberDecoder();
    ~MemberDecoder();
    MemberDecoder(const MemberDecoder&) = delete;
    MemberDecoder& operator=(const MemberDecoder&) = delete;

    // A result code for the member: Success, CrcMismatch, BadData,
    // Unsupported, Truncated, CannotOpen, CannotWrite, NotAZip or Aborted.
    // An encrypted member needs its `cipher`; `entry` and `input` are then
    // those of the encrypted data alone (real method, size without the
    // cipher's header and trailer), and NotAuthentic is a result too.
    std::int16_t decode(const MemberEntry& entry, CompressedInput& input, ByteSink& sink, WorkerProgress& control,
                        MemberCipher* cipher = nullptr);

    ByteBuffer& readChunk() { return readChunk_; }

private:
    std::int16_t decodePlain(const MemberEntry& entry, CompressedInput& input, ByteSink& sink,
                             WorkerProgress& control);
    std::int16_t copyStored(const MemberEntry& entry, CompressedInput& input, ByteSink& sink, WorkerProgress& control);
    std::int16_t inflate(const MemberEntry& entry, CompressedInput& input, ByteSink& sink, WorkerProgress& control);

    std::unique_ptr<inflate_state> inflater_;
    ByteBuffer readChunk_;
    // Small members write only the start of it: ordinary heap memory, whose
    // pages are made present only where written.
    std::unique_ptr<unsigned char[]> output_;
    ByteBuffer methodOutput_;  // for the other methods' decoders
    ByteBuffer plain_;         // decrypted input
};

}  // namespace q32::zip
