#include "platform/zip/worker_pool.h"

namespace q32::zip {

WorkerPool::WorkerPool(unsigned threads) {
    if (threads == 0) threads = 1;
    for (unsigned i = 0; i < threads; ++i) threads_.emplace_back([this, i] { work(i); });
}

WorkerPool::~WorkerPool() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (auto& thread : threads_) thread.join();
}

void WorkerPool::run(std::size_t jobs, const Task& task, std::chrono::milliseconds interval,
                     const std::function<void()>& waiting) {
    if (jobs == 0) return;
    {
        std::lock_guard lock(mutex_);
        task_ = &task;
        jobs_ = jobs;
        nextJob_ = 0;
        busy_ = size();
        ++generation_;
    }
    wake_.notify_all();
    try {
        std::unique_lock lock(mutex_);
        while (!idle_.wait_for(lock, interval, [this] { return busy_ == 0; })) {
            lock.unlock();
            waiting();
            lock.lock();
        }
    } catch (...) {
        waitUntilIdle();
        throw;
    }
}

void WorkerPool::waitUntilIdle() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return busy_ == 0; });
}

void WorkerPool::work(unsigned worker) {
    unsigned long seen = 0, offersSeen = 0;
    std::unique_lock lock(mutex_);
    while (true) {
        wake_.wait(lock, [&] { return stopping_ || generation_ != seen || offers_ != offersSeen; });
        if (stopping_) return;
        if (generation_ != seen) {
            seen = generation_;
            runJobs(lock, worker);
            continue;
        }
        // An offer made while helping is seen on the next round.
        do offersSeen = offers_;
        while (helpOnce(lock) && generation_ == seen && !stopping_);
    }
}

void WorkerPool::runJobs(std::unique_lock<std::mutex>& lock, unsigned worker) {
    while (nextJob_ < jobs_) {
        const std::size_t job = nextJob_++;
        lock.unlock();
        (*task_)(job, worker);
        lock.lock();
    }
    if (--busy_ == 0) idle_.notify_all();
}

bool WorkerPool::helpOnce(std::unique_lock<std::mutex>& lock) {
    for (Shared& shared : shared_) {
        if (shared.withdrawn) continue;
        ++shared.inside;  // keeps the entry in the list while the lock is let go
        lock.unlock();
        const bool helped = shared.work->helpOnce();
        lock.lock();
        if (--shared.inside == 0) left_.notify_all();
        if (helped) return true;
    }
    return false;
}

void WorkerPool::share(SharedWork& work) {
    std::lock_guard lock(mutex_);
    shared_.push_back({&work});
}

void WorkerPool::offerWork() {
    {
        std::lock_guard lock(mutex_);
        ++offers_;
    }
    wake_.notify_all();
}

void WorkerPool::unshare(SharedWork& work) {
    std::unique_lock lock(mutex_);
    for (auto it = shared_.begin(); it != shared_.end(); ++it) {
        if (it->work != &work) continue;
        it->withdrawn = true;
        left_.wait(lock, [&] { return it->inside == 0; });
        shared_.erase(it);
        return;
    }
}

}  // namespace q32::zip
