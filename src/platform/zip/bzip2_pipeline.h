// The pieces of a bzip2 member read ahead of their turn, whose blocks the
// engine's idle workers decode meanwhile (WorkerPool::share): read and
// transformed back, the heavy part; their runs are undone in their turn,
// straight into the member's output.
//
// Decoding ahead pays only when another core takes the work and writing
// the output in its turn costs less than the work done ahead. Both are
// measured over a few blocks at a time: when either fails, the member's
// thread decodes the blocks itself in their turn, as one thread would, and
// tries sharing again some blocks later.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/zip/bzip2_block.h"
#include "platform/zip/bzip2_memory.h"
#include "platform/zip/decoded_output.h"
#include "platform/zip/worker_pool.h"

namespace q32::zip {

// What one window of blocks cost while they were shared.
struct SharingCosts {
    std::chrono::nanoseconds wall{};        // the window's length
    std::chrono::nanoseconds cpu{};         // used by the member's threads in it
    std::chrono::nanoseconds aheadCpu{};    // decoding blocks ahead of their turn
    std::chrono::nanoseconds handoffCpu{};  // writing their output in their turn
};

// True when sharing saved time in that window: the threads ran side by side
// (well over one core's time per second) and writing the output cost less
// than half of the decoding done ahead.
bool sharingPays(const SharingCosts& costs);

struct Bzip2Slot {
    Bzip2Piece piece;
    char level = '9';
    enum class State { Waiting, Running, Done } state = State::Done;
    std::unique_ptr<Bzip2Block> block;  // decoded ahead, when it is one block alone
};

class Bzip2Pipeline final : public SharedWork {
public:
    // `threads` decode at most, this one among them; no sharing without `pool`.
    Bzip2Pipeline(WorkerPool* pool, unsigned threads, const DecodedOutput& output);
    ~Bzip2Pipeline() override;

    std::size_t capacity() const { return 2 * threads_ + 1; }
    std::size_t size();
    void push(std::shared_ptr<Bzip2Slot> slot);
    std::shared_ptr<Bzip2Slot> front();
    // The front piece, taken out; a copy while a worker still decodes it.
    Bzip2Piece takeFront();

    // Waits for the slot's block decoded ahead, decoding later ones here
    // meanwhile. False when the slot was still waiting: it is then this
    // thread's to decode in its turn.
    bool settle(Bzip2Slot& slot);
    // A block's turn is over; `handoff` is what writing its output cost.
    void turnDone(std::chrono::nanoseconds handoff);

    // Pieces' buffers done with, kept for the next pieces: fresh pages cost
    // more than a small block.
    std::vector<unsigned char> spare();
    void recycle(std::vector<unsigned char>&& bytes);

    bool helpOnce() override;

private:
    std::shared_ptr<Bzip2Slot> firstWaiting();
    void decodeAhead(Bzip2Slot& slot, std::unique_lock<std::mutex>& lock, bool helper);
    void judge();
    void startWindow();

    Bzip2Memory memory_;  // outlives the slots' blocks
    WorkerPool* pool_;
    unsigned threads_;
    const DecodedOutput& output_;
    std::mutex mutex_;
    std::condition_variable done_;
    std::deque<std::shared_ptr<Bzip2Slot>> slots_;
    std::vector<std::vector<unsigned char>> spare_;
    bool sharing_;
    unsigned turns_ = 0;  // blocks in this window, or left until sharing is tried again
    SharingCosts window_;
    std::chrono::steady_clock::time_point windowStart_;
    std::chrono::nanoseconds ownerCpuStart_{};
    std::chrono::nanoseconds helperCpu_{};
};

// The CPU time this thread has used.
std::chrono::nanoseconds threadCpuTime();

}  // namespace q32::zip
