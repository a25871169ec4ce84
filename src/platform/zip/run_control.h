// What the workers of one extract or test share with the calling thread:
// the abort flag they watch and the count of uncompressed bytes done.
#pragma once

#include <atomic>
#include <cstdint>

namespace q32::zip {

struct RunControl {
    std::atomic<bool>& abort;
    std::atomic<std::uint64_t> bytesDone{0};

    bool stopped() const { return abort.load(std::memory_order_relaxed); }
    void addDone(std::uint64_t bytes) { bytesDone.fetch_add(bytes, std::memory_order_relaxed); }
};

// Where a member's decoded bytes go: a file being written, or nowhere (test).
class ByteSink {
public:
    virtual ~ByteSink() = default;
    // False when the bytes cannot be written.
    virtual bool write(const unsigned char* data, std::size_t length) = 0;
};

class DiscardSink final : public ByteSink {
public:
    bool write(const unsigned char*, std::size_t) override { return true; }
};

}  // namespace q32::zip
