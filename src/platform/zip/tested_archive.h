// One archive of a test of several: what is read and planned of it (while
// the archive before it is still being tested, when it can be) and its run
// on the workers. It stays in one place: its run points into it.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/zip/archive_file.h"
#include "platform/zip/archive_run.h"
#include "platform/zip/password_pass.h"
#include "platform/zip/run_control.h"
#include "platform/zip/work_plan.h"
#include "platform/zip/worker_pool.h"
#include "platform/zip/zip_directory.h"
#include "platform/zip_engine.h"

namespace q32::zip {

struct TestedArchive {
    TestedArchive(std::string archive, std::atomic<bool>& abort) : name(std::move(archive)), control{abort} {}
    // A run started on the workers ends before what it reads goes.
    ~TestedArchive() {
        if (pool) pool->finish(started);
    }
    TestedArchive(const TestedArchive&) = delete;
    TestedArchive& operator=(const TestedArchive&) = delete;

    std::string name;  // as the caller named it
    // The result when it is known before any member is decoded: the file
    // cannot be opened, its directory is damaged, the mask selects nothing.
    std::int16_t early = zipcode::Success;
    // Encrypted members are selected: the password questions come on the
    // calling thread in the archive's turn, so nothing is done ahead.
    bool asksPasswords = false;
    ArchiveFile file;
    ZipDirectory directory;
    PlannedMembers files;  // selected, until planned
    std::unique_ptr<PasswordPass> passwords;
    WorkPlan plan;
    RunControl control;
    std::unique_ptr<ArchiveRun> run;  // once planned
    WorkerPool::Task task;
    WorkerPool* pool = nullptr;  // set while its run is on the workers
    WorkerPool::RunId started = 0;
};

}  // namespace q32::zip
