#include "platform/zip/decoded_output.h"

#include <isa-l/crc.h>

#include "platform/zip/decode_failure.h"
#include "platform/zip_engine.h"

namespace q32::zip {

namespace {

// Decoded bytes are passed on in pieces of about this size.
constexpr std::size_t PassOnSize = 256 << 10;

}  // namespace

DecodedOutput::DecodedOutput(ByteBuffer& buffer, std::size_t window, std::size_t longestCopy, bool zeroHistory,
                             std::uint64_t expectedSize, ByteSink& sink, WorkerProgress& control)
    : window_(window),
      position_(window),
      unsent_(window),
      flushAt_(window + PassOnSize),
      historyStart_(zeroHistory ? 0 : window),
      expectedSize_(expectedSize),
      sink_(sink),
      control_(control) {
    buffer.resize(window + PassOnSize + longestCopy);
    buffer_ = buffer.data();
    if (zeroHistory) std::memset(buffer_, 0, window);
}

void DecodedOutput::copy(std::size_t distance, std::size_t length) {
    if (distance == 0 || distance > position_ - historyStart_) throw DecodeFailure{zipcode::BadData};
    unsigned char* to = buffer_ + position_;
    const unsigned char* from = to - distance;
    if (distance >= length) {
        std::memcpy(to, from, length);
    } else {
        for (std::size_t i = 0; i < length; ++i) to[i] = from[i];
    }
    position_ += length;
    if (position_ >= flushAt_) slide();
}

void DecodedOutput::commit(std::size_t length) {
    position_ += length;
    if (position_ >= flushAt_) slide();
}

void DecodedOutput::passOn() {
    const std::size_t length = position_ - unsent_;
    if (length == 0) return;
    passedOn_ += length;
    if (passedOn_ > expectedSize_) throw DecodeFailure{zipcode::BadData};
    crc_ = crc32_gzip_refl(crc_, buffer_ + unsent_, length);
    if (!sink_.write(buffer_ + unsent_, length)) throw DecodeFailure{zipcode::CannotWrite};
    unsent_ = position_;
    control_.addDone(length);
    if (control_.stopped()) throw DecodeFailure{zipcode::Aborted};
}

void DecodedOutput::slide() {
    passOn();
    std::memmove(buffer_, buffer_ + position_ - window_, window_);
    position_ = unsent_ = window_;
    historyStart_ = 0;
}

std::uint32_t DecodedOutput::finish() {
    passOn();
    return crc_;
}

}  // namespace q32::zip
