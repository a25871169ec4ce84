// Decodes one member's data into a sink and checks it: stored and deflated
// members here (ISA-L inflate with its CRC-32), other methods through libzip.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/zip/compressed_input.h"
#include "platform/zip/member_entry.h"
#include "platform/zip/run_control.h"

struct inflate_state;
typedef struct zip zip_t;

namespace q32::zip {

struct LibzipCalls;

// One worker's decoding state, kept between members and between runs.
class MemberDecoder {
public:
    MemberDecoder();
    ~MemberDecoder();
    MemberDecoder(const MemberDecoder&) = delete;
    MemberDecoder& operator=(const MemberDecoder&) = delete;

    // Forgets the archive of the previous run.
    void startArchive(const std::string& hostPath);

    // A result code for the member: Success, CrcMismatch, BadData,
    // Unsupported, Truncated, CannotOpen, CannotWrite, NotAZip or Aborted.
    std::int16_t decode(const MemberEntry& entry, std::size_t index, CompressedInput& input, ByteSink& sink,
                        WorkerProgress& control);

    ByteBuffer& readChunk() { return readChunk_; }

private:
    std::int16_t copyStored(const MemberEntry& entry, CompressedInput& input, ByteSink& sink, WorkerProgress& control);
    std::int16_t inflate(const MemberEntry& entry, CompressedInput& input, ByteSink& sink, WorkerProgress& control);
    std::int16_t decodeWithLibzip(const LibzipCalls& libzip, const MemberEntry& entry, std::size_t index,
                                  ByteSink& sink, WorkerProgress& control);

    std::unique_ptr<inflate_state> inflater_;
    ByteBuffer readChunk_;
    // Small members write only the start of it: ordinary heap memory, whose
    // pages are made present only where written.
    std::unique_ptr<unsigned char[]> output_;
    std::string archivePath_;
    zip_t* libzipArchive_ = nullptr;
    bool libzipFailed_ = false;
};

}  // namespace q32::zip
