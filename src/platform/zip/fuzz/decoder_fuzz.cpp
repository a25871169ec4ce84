// libFuzzer target for one of the engine's own decoders, chosen at build
// time (Q32_FUZZED_DECODER: Shrink, Reduce, Implode, Deflate64 or Bzip2). Each
// input (method_input.h) is decoded from memory through the call the engine
// uses for these methods. Besides the sanitizers' findings, a decoder must
// never pass on more bytes than the member declares, must give one of the
// codes bad data can give, and a member it calls sound has its declared size.
#include <cstdint>
#include <cstdlib>

#include "platform/zip/fuzz/method_input.h"
#include "platform/zip/method_dispatch.h"
#include "platform/zip_engine.h"

namespace {

using namespace q32::zip;

class BoundedSink final : public ByteSink {
public:
    explicit BoundedSink(std::uint64_t declared) : declared_(declared) {}
    bool write(const unsigned char*, std::size_t length) override {
        written_ += length;
        if (written_ > declared_) std::abort();
        return true;
    }
    std::uint64_t written() const { return written_; }

private:
    std::uint64_t declared_;
    std::uint64_t written_ = 0;
};

bool expectedCode(std::int16_t code) {
    return code == q32::zipcode::Success || code == q32::zipcode::CrcMismatch || code == q32::zipcode::BadData;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::size_t dataStart = 0;
    const auto facts = fuzz::readMethodInput(fuzz::FuzzedDecoder::Q32_FUZZED_DECODER, data, size, dataStart);
    if (!facts) return -1;  // too short: not worth keeping in the corpus
    BoundedSink sink(facts->size);
    const std::int16_t code = decodeMethodBytes(*facts, data + dataStart, facts->compressedSize, sink);
    if (!expectedCode(code)) std::abort();
    if (code == q32::zipcode::Success && sink.written() != facts->size) std::abort();
    return 0;
}
