// Where this engine's decoders put a member's decoded bytes: a buffer that
// keeps the last `window` bytes for back-references and passes the rest on
// to the sink now and then, with the CRC-32, the progress count and a look
// at the abort flag. It stops the member (DecodeFailure) when the sink
// fails, the run is stopped, or the data decodes to more than the member's size.
#pragma once

#include <cstdint>
#include <cstring>

#include "platform/zip/byte_buffer.h"
#include "platform/zip/run_control.h"

namespace q32::zip {

class DecodedOutput {
public:
    // Before the first byte the window reads as zeros when `zeroHistory`;
    // otherwise a reference before the first byte is undecodable.
    DecodedOutput(ByteBuffer& buffer, std::size_t window, std::size_t longestCopy, bool zeroHistory,
                  std::uint64_t expectedSize, ByteSink& sink, WorkerProgress& control);

    void put(unsigned char byte) {
        buffer_[position_++] = byte;
        if (position_ >= flushAt_) slide();
    }
    // Copies `length` (at most longestCopy) bytes from `distance` bytes back.
    void copy(std::size_t distance, std::size_t length);

    // Free room to decode into directly, then how much of it was filled.
    unsigned char* space() { return buffer_ + position_; }
    std::size_t spaceLeft() const { return flushAt_ - position_; }
    void commit(std::size_t length);

    std::uint64_t produced() const { return passedOn_ + (position_ - unsent_); }
    bool stopped() const { return control_.stopped(); }
    WorkerPool* pool() const { return control_.pool(); }
    std::uint64_t remaining() const { return expectedSize_ - produced(); }
    // Passes on what is left; the CRC-32 of all the member's bytes.
    std::uint32_t finish();

private:
    void slide();
    void passOn();

    unsigned char* buffer_;
    std::size_t window_;
    std::size_t position_;
    std::size_t unsent_;  // the first byte not yet passed on
    std::size_t flushAt_;
    std::size_t historyStart_;
    std::uint64_t passedOn_ = 0;
    std::uint64_t expectedSize_;
    std::uint32_t crc_ = 0;
    ByteSink& sink_;
    WorkerProgress& control_;
};

}  // namespace q32::zip
