#include "platform/zip/worker_pool.h"

#include <algorithm>

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
    finish(start(jobs, task), interval, waiting);
}

WorkerPool::RunId WorkerPool::start(std::size_t jobs, const Task& task) {
    RunId id = 0;
    {
        std::lock_guard lock(mutex_);
        id = ++lastRun_;
        if (jobs == 0) return id;  // nothing to queue: finished already
        runs_.push_back(Queued{id, &task, jobs, 0, jobs});
    }
    wake_.notify_all();
    return id;
}

void WorkerPool::finish(RunId run, std::chrono::milliseconds interval, const std::function<void()>& waiting) {
    try {
        std::unique_lock lock(mutex_);
        while (!done_.wait_for(lock, interval, [&] { return finished(run); })) {
            lock.unlock();
            waiting();
            lock.lock();
        }
        if (const auto it = find(run); it != runs_.end()) runs_.erase(it);
    } catch (...) {
        finish(run);
        throw;
    }
}

void WorkerPool::finish(RunId run) {
    std::unique_lock lock(mutex_);
    done_.wait(lock, [&] { return finished(run); });
    if (const auto it = find(run); it != runs_.end()) runs_.erase(it);
}

std::list<WorkerPool::Queued>::iterator WorkerPool::find(RunId run) {
    return std::find_if(runs_.begin(), runs_.end(), [run](const Queued& queued) { return queued.id == run; });
}

bool WorkerPool::finished(RunId run) {
    const auto it = find(run);
    return it == runs_.end() || it->unfinished == 0;
}

void WorkerPool::work(unsigned worker) {
    unsigned long offersSeen = 0;
    std::unique_lock lock(mutex_);
    while (true) {
        wake_.wait(lock, [&] { return stopping_ || withJobLeft() || offers_ != offersSeen; });
        if (stopping_) return;
        if (Queued* run = withJobLeft()) {
            runJob(lock, *run, worker);
            continue;
        }
        // An offer made while helping is seen on the next round.
        do offersSeen = offers_;
        while (helpOnce(lock) && !withJobLeft() && !stopping_);
    }
}

// The oldest run with a job not yet handed out.
WorkerPool::Queued* WorkerPool::withJobLeft() {
    for (Queued& run : runs_) {
        if (run.nextJob < run.jobs) return &run;
    }
    return nullptr;
}

void WorkerPool::runJob(std::unique_lock<std::mutex>& lock, Queued& run, unsigned worker) {
    const std::size_t job = run.nextJob++;
    lock.unlock();
    (*run.task)(job, worker);
    lock.lock();
    if (--run.unfinished == 0) done_.notify_all();  // `run` may be gone once the lock is let go
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
