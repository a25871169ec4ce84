// What the workers of one extract or test share with the calling thread:
// the abort flag they watch, the count of uncompressed bytes done, and the
// pool they run on (a member's decoder may share its work with it).
#pragma once

#include <atomic>
#include <cstdint>

namespace q32::zip {

class WorkerPool;

struct RunControl {
    std::atomic<bool>& abort;
    std::atomic<std::uint64_t> bytesDone{0};
    WorkerPool* pool = nullptr;  // none: each member decodes on its worker alone
    // Set when a member could not be written for want of space: the
    // members after it would only fill the disk again, so all stop.
    std::atomic<bool> outOfSpace{false};

    bool stopped() const {
        return abort.load(std::memory_order_relaxed) || outOfSpace.load(std::memory_order_relaxed);
    }
    void addDone(std::uint64_t bytes) { bytesDone.fetch_add(bytes, std::memory_order_relaxed); }
};

// One worker's view of the run: counts its bytes done locally and adds them
// to the shared count now and then, so that workers decoding many small
// members do not contend for that count's cache line after every member.
class WorkerProgress {
public:
    explicit WorkerProgress(RunControl& control) : control_(control) {}
    ~WorkerProgress() { flush(); }
    WorkerProgress(const WorkerProgress&) = delete;
    WorkerProgress& operator=(const WorkerProgress&) = delete;

    bool stopped() const { return control_.stopped(); }
    WorkerPool* pool() const { return control_.pool; }
    void addDone(std::uint64_t bytes) {
        pending_ += bytes;
        if (pending_ >= FlushBytes) flush();
    }
    void flush() {
        control_.addDone(pending_);
        pending_ = 0;
    }

private:
    static constexpr std::uint64_t FlushBytes = 1 << 20;
    RunControl& control_;
    std::uint64_t pending_ = 0;
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
