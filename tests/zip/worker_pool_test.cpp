// Work a job shares with the pool's idle workers, and runs queued behind each other.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <set>
#include <string>
#include <thread>

#include "platform/zip/worker_pool.h"

namespace q32::zip::test {
namespace {

// Pieces of work, each recording the thread that did it.
class Pieces final : public SharedWork {
public:
    explicit Pieces(int count) : left_(count) {}
    bool helpOnce() override {
        std::lock_guard lock(mutex_);
        if (left_ == 0) return false;
        --left_;
        threads_.insert(std::this_thread::get_id());
        done_.notify_all();
        return true;
    }
    // False when the pieces were not all done within a long while.
    bool waitUntilDone() {
        std::unique_lock lock(mutex_);
        return done_.wait_for(lock, std::chrono::seconds(20), [this] { return left_ == 0; });
    }
    std::set<std::thread::id> threads() {
        std::lock_guard lock(mutex_);
        return threads_;
    }
    void add(int count) {
        std::lock_guard lock(mutex_);
        left_ += count;
    }

private:
    std::mutex mutex_;
    std::condition_variable done_;
    int left_;
    std::set<std::thread::id> threads_;
};

TEST(WorkerPool, AJobsSharedWorkIsDoneByTheWorkersWithNoJobLeft) {
    WorkerPool pool(3);
    Pieces pieces(40);
    bool allDone = false;
    std::set<std::thread::id> jobThread;
    pool.run(
        1,
        [&](std::size_t, unsigned) {
            jobThread.insert(std::this_thread::get_id());
            pool.share(pieces);
            pool.offerWork();
            allDone = pieces.waitUntilDone();  // the job itself does none of them
            pool.unshare(pieces);
        },
        std::chrono::milliseconds(10), [] {});
    EXPECT_TRUE(allDone);
    const auto helpers = pieces.threads();
    EXPECT_FALSE(helpers.empty());
    EXPECT_EQ(helpers.count(*jobThread.begin()), 0u);
    EXPECT_EQ(helpers.count(std::this_thread::get_id()), 0u);
}

TEST(WorkerPool, WorkNoLongerSharedIsLeftAlone) {
    WorkerPool pool(2);
    Pieces pieces(5);
    pool.share(pieces);
    pool.offerWork();
    ASSERT_TRUE(pieces.waitUntilDone());
    pool.unshare(pieces);
    pieces.add(3);
    pool.offerWork();
    // Jobs run after it; none of the workers touches the unshared pieces.
    pool.run(4, [](std::size_t, unsigned) {}, std::chrono::milliseconds(10), [] {});
    EXPECT_EQ(pieces.helpOnce(), true);  // three are still left
    EXPECT_EQ(pieces.helpOnce(), true);
    EXPECT_EQ(pieces.helpOnce(), true);
    EXPECT_EQ(pieces.helpOnce(), false);
}

TEST(WorkerPool, TheNextRunsJobsStartWhileTheCurrentRunsLastJobStillRuns) {
    WorkerPool pool(2);
    std::mutex mutex;
    std::condition_variable changed;
    bool nextStarted = false;
    bool sawNextStart = false;
    const WorkerPool::Task last = [&](std::size_t, unsigned) {
        std::unique_lock lock(mutex);
        sawNextStart = changed.wait_for(lock, std::chrono::seconds(20), [&] { return nextStarted; });
    };
    const WorkerPool::Task next = [&](std::size_t, unsigned) {
        std::lock_guard lock(mutex);
        nextStarted = true;
        changed.notify_all();
    };
    const WorkerPool::RunId current = pool.start(1, last);
    const WorkerPool::RunId queued = pool.start(3, next);
    pool.finish(current, std::chrono::milliseconds(10), [] {});
    EXPECT_TRUE(sawNextStart);
    pool.finish(queued);
}

TEST(WorkerPool, RunsHandOutTheirJobsInTheOrderTheyStarted) {
    WorkerPool pool(1);
    std::vector<std::string> order;  // one worker: no lock needed
    const auto recorder = [&](const std::string& run) {
        return [&order, run](std::size_t job, unsigned) { order.push_back(run + " " + std::to_string(job)); };
    };
    const WorkerPool::Task first = recorder("first");
    const WorkerPool::Task second = recorder("second");
    std::mutex gate;
    std::unique_lock held(gate);
    const WorkerPool::Task wait = [&](std::size_t, unsigned) { std::lock_guard lock(gate); };
    const WorkerPool::RunId blocker = pool.start(1, wait);  // keeps the worker until both runs are queued
    const WorkerPool::RunId one = pool.start(2, first);
    const WorkerPool::RunId two = pool.start(2, second);
    held.unlock();
    pool.finish(two);
    pool.finish(one);
    pool.finish(blocker);
    EXPECT_EQ(order, (std::vector<std::string>{"first 0", "first 1", "second 0", "second 1"}));
}

}  // namespace
}  // namespace q32::zip::test
