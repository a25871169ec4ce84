#include "platform/zip/bzip2_pipeline.h"

#include <time.h>

#include "platform/zip/decode_failure.h"
#include "platform/zip_engine.h"

namespace q32::zip {

namespace {

constexpr unsigned JudgedBlocks = 8;     // blocks in a window of measuring
constexpr unsigned PausedBlocks = 64;    // blocks decoded alone before sharing is tried again

}  // namespace

std::chrono::nanoseconds threadCpuTime() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

bool sharingPays(const SharingCosts& costs) {
    const bool sideBySide = costs.cpu * 4 >= costs.wall * 5;
    return sideBySide && costs.handoffCpu * 2 < costs.aheadCpu;
}

Bzip2Pipeline::Bzip2Pipeline(WorkerPool* pool, unsigned threads, const DecodedOutput& output)
    : pool_(threads > 1 ? pool : nullptr), threads_(pool_ ? threads : 1), output_(output), sharing_(pool_) {
    if (pool_) pool_->share(*this);
    startWindow();
}

Bzip2Pipeline::~Bzip2Pipeline() {
    if (pool_) pool_->unshare(*this);
}

std::size_t Bzip2Pipeline::size() {
    std::lock_guard lock(mutex_);
    return slots_.size();
}

void Bzip2Pipeline::push(std::shared_ptr<Bzip2Slot> slot) {
    bool offer;
    {
        std::lock_guard lock(mutex_);
        offer = sharing_ && slot->state == Bzip2Slot::State::Waiting;
        slots_.push_back(std::move(slot));
    }
    if (offer) pool_->offerWork();
}

std::shared_ptr<Bzip2Slot> Bzip2Pipeline::front() {
    std::lock_guard lock(mutex_);
    return slots_.empty() ? nullptr : slots_.front();
}

Bzip2Piece Bzip2Pipeline::takeFront() {
    std::lock_guard lock(mutex_);
    std::shared_ptr<Bzip2Slot> slot = std::move(slots_.front());
    slots_.pop_front();
    if (slot->state == Bzip2Slot::State::Running) return slot->piece;
    slot->state = Bzip2Slot::State::Done;  // no worker takes it now
    return std::move(slot->piece);
}

bool Bzip2Pipeline::settle(Bzip2Slot& slot) {
    std::unique_lock lock(mutex_);
    while (slot.state != Bzip2Slot::State::Done) {
        if (slot.state == Bzip2Slot::State::Waiting) {
            slot.state = Bzip2Slot::State::Done;  // no worker takes it: this thread's, in its turn
            return false;
        }
        if (std::shared_ptr<Bzip2Slot> waiting = sharing_ ? firstWaiting() : nullptr) {
            decodeAhead(*waiting, lock, false);
            continue;
        }
        done_.wait_for(lock, std::chrono::milliseconds(20));
        if (output_.stopped()) throw DecodeFailure{zipcode::Aborted};
    }
    return true;
}

bool Bzip2Pipeline::helpOnce() {
    std::unique_lock lock(mutex_);
    if (!sharing_ || output_.stopped()) return false;
    std::shared_ptr<Bzip2Slot> slot = firstWaiting();
    if (!slot) return false;
    decodeAhead(*slot, lock, true);
    return true;
}

std::shared_ptr<Bzip2Slot> Bzip2Pipeline::firstWaiting() {
    for (auto& slot : slots_) {
        if (slot->state == Bzip2Slot::State::Waiting) return slot;
    }
    return nullptr;
}

// Decodes the slot's block into its output, with the lock let go meanwhile.
void Bzip2Pipeline::decodeAhead(Bzip2Slot& slot, std::unique_lock<std::mutex>& lock, bool helper) {
    slot.state = Bzip2Slot::State::Running;
    lock.unlock();
    const auto cpuBefore = threadCpuTime();
    try {
        auto block = std::make_unique<Bzip2Block>(slot.piece, slot.level);
        if (block->sound()) slot.block = std::move(block);
    } catch (...) {
        // decoded again in its turn, where a failure counts
    }
    const auto cpu = threadCpuTime() - cpuBefore;
    lock.lock();
    slot.state = Bzip2Slot::State::Done;
    window_.aheadCpu += cpu;
    if (helper) helperCpu_ += cpu;
    done_.notify_all();
}

void Bzip2Pipeline::turnDone(std::chrono::nanoseconds handoff) {
    std::lock_guard lock(mutex_);
    window_.handoffCpu += handoff;
    if (++turns_ < (sharing_ ? JudgedBlocks : PausedBlocks) || !pool_) return;
    if (sharing_) judge();
    else sharing_ = true;  // the offer comes with the next piece read
    startWindow();
}

void Bzip2Pipeline::judge() {
    window_.wall = std::chrono::steady_clock::now() - windowStart_;
    window_.cpu = threadCpuTime() - ownerCpuStart_ + helperCpu_;
    sharing_ = sharingPays(window_);
}

void Bzip2Pipeline::startWindow() {
    turns_ = 0;
    window_ = {};
    helperCpu_ = {};
    windowStart_ = std::chrono::steady_clock::now();
    ownerCpuStart_ = threadCpuTime();
}

std::vector<unsigned char> Bzip2Pipeline::spare() {
    std::lock_guard lock(mutex_);
    if (spare_.empty()) return {};
    std::vector<unsigned char> bytes = std::move(spare_.back());
    spare_.pop_back();
    return bytes;
}

void Bzip2Pipeline::recycle(std::vector<unsigned char>&& bytes) {
    std::lock_guard lock(mutex_);
    if (spare_.size() < capacity()) spare_.push_back(std::move(bytes));
}

}  // namespace q32::zip
