// Threads that stay for the engine's lifetime, one per core. A run hands
// them numbered jobs; the calling thread waits and is called back at a
// steady interval meanwhile (to report status and watch the abort flag).
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace q32::zip {

class WorkerPool {
public:
    using Task = std::function<void(std::size_t job, unsigned worker)>;

    explicit WorkerPool(unsigned threads);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    unsigned size() const { return static_cast<unsigned>(threads_.size()); }

    // Runs task(job, worker) for every job in [0, jobs) and returns when all
    // are done. `waiting` runs on the calling thread every `interval` until
    // then; should it throw, the run still ends before the exception leaves.
    void run(std::size_t jobs, const Task& task, std::chrono::milliseconds interval,
             const std::function<void()>& waiting);

private:
    void work(unsigned worker);
    void waitUntilIdle();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    const Task* task_ = nullptr;
    std::size_t jobs_ = 0;
    std::size_t nextJob_ = 0;
    unsigned busy_ = 0;
    unsigned long generation_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace q32::zip
