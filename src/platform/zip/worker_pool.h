// Threads that stay for the engine's lifetime, one per core. A run hands
// them numbered jobs; the calling thread waits and is called back at a
// steady interval meanwhile (to report status and watch the abort flag).
// Runs may be queued: a worker that finds no job left in the runs before
// takes one of the next run, so that a run's last long jobs do not leave
// the other cores idle.
// A job may share work of its own (a member's blocks): the workers that
// have no job left do it, piece by piece, while the job runs.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <cstdint>
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

    using RunId = std::uint64_t;

    // Runs task(job, worker) for every job in [0, jobs) and returns when all
    // are done. `waiting` runs on the calling thread every `interval` until
    // then; should it throw, the run still ends before the exception leaves.
    void run(std::size_t jobs, const Task& task, std::chrono::milliseconds interval,
             const std::function<void()>& waiting);

    // The same in two halves: start queues the run and returns at once (its
    // jobs are taken once those of the runs started before are all handed
    // out); finish waits for it as run does, or without a callback. `task`
    // must outlive the run. Every started run must be finished, in any order.
    RunId start(std::size_t jobs, const Task& task);
    void finish(RunId run, std::chrono::milliseconds interval, const std::function<void()>& waiting);
    void finish(RunId run);

    // While `work` is shared, idle workers call its helpOnce; offerWork tells
    // them that more is waiting. unshare returns once no worker is inside it.
    // Any thread may share work, a worker or not.
    void share(SharedWork& work);
    void offerWork();
    void unshare(SharedWork& work);

private:
    struct Queued {
        RunId id;
        const Task* task;
        std::size_t jobs;
        std::size_t nextJob = 0;
        std::size_t unfinished;  // jobs not yet done
    };
    struct Shared {
        SharedWork* work;
        unsigned inside = 0;
        bool withdrawn = false;
    };
    void work(unsigned worker);
    Queued* withJobLeft();
    void runJob(std::unique_lock<std::mutex>& lock, Queued& run, unsigned worker);
    bool helpOnce(std::unique_lock<std::mutex>& lock);
    std::list<Queued>::iterator find(RunId run);
    bool finished(RunId run);

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;  // a run's last job finished
    std::condition_variable left_;  // a worker left a shared work
    std::list<Shared> shared_;
    unsigned long offers_ = 0;
    std::list<Queued> runs_;  // started and not yet finished, oldest first
    RunId lastRun_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace q32::zip
