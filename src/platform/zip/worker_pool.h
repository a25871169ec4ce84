// Threads that stay for the engine's lifetime, one per core. A run hands
// them numbered jobs; the calling thread waits and is called back at a
// steady interval meanwhile (to report status and watch the abort flag).
// A job may share work of its own (a member's blocks): the workers that
// have no job left do it, piece by piece, while the job runs.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <list>
#include <mutex>
#include <thread>
#include <vector>

namespace q32::zip {

// Work a job shares with the idle workers while it runs.
class SharedWork {
public:
    virtual ~SharedWork() = default;
    // Does one piece of the work if one is waiting; false when none was.
    virtual bool helpOnce() = 0;
};

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

    // While `work` is shared, idle workers call its helpOnce; offerWork tells
    // them that more is waiting. unshare returns once no worker is inside it.
    // Any thread may share work, a worker or not.
    void share(SharedWork& work);
    void offerWork();
    void unshare(SharedWork& work);

private:
    struct Shared {
        SharedWork* work;
        unsigned inside = 0;
        bool withdrawn = false;
    };
    void work(unsigned worker);
    void runJobs(std::unique_lock<std::mutex>& lock, unsigned worker);
    bool helpOnce(std::unique_lock<std::mutex>& lock);
    void waitUntilIdle();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::condition_variable left_;  // a worker left a shared work
    std::list<Shared> shared_;
    unsigned long offers_ = 0;
    const Task* task_ = nullptr;
    std::size_t jobs_ = 0;
    std::size_t nextJob_ = 0;
    unsigned busy_ = 0;
    unsigned long generation_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace q32::zip
