#include "platform/zip/zip_archive_engine.h"

#include <thread>

#include "platform/zip/archive_file.h"
#include "platform/zip/archive_run.h"
#include "platform/zip/file_mask.h"
#include "platform/zip/member_selection.h"
#include "platform/zip/password_pass.h"
#include "platform/zip/status_reporter.h"
#include "platform/zip/worker_pool.h"
#include "platform/zip/zip_directory.h"

namespace q32::zip {

namespace {

// Makes the folder members under the destination; a folder that cannot be
// made counts as a member that could not be written.
void makeFolders(const Selection& selection, FolderCache& folders, ArchiveRun& run, StatusReporter& status) {
    for (const auto& folder : selection.folders) {
        if (folders.folder(folder.folder) < 0) run.recordFailure(folder.index, zipcode::CannotWrite);
        status.tick(0);
    }
}

// Folder times last: writing into a folder changes its time.
void setFolderTimes(const Selection& selection, FolderCache& folders) {
    for (const auto& member : selection.folders) {
        const FolderTable::Folder& folder = selection.folderTable[member.folder];
        const int parent = folders.folder(folder.parent);
        if (parent >= 0 && member.modified) setFolderTime(parent, folder.name, *member.modified);
    }
}

// The warning of an extraction whose members were all sound.
std::int16_t warningOf(const Selection& selection) {
    if (selection.unsafeSkipped) return zipcode::UnsafeNamesSkipped;
    return selection.largeSkipped ? zipcode::LargeMembersSkipped : zipcode::Success;
}

}  // namespace

ZipArchiveEngine::ZipArchiveEngine(const host::DriveTable& drives)
    : ZipArchiveEngine([&drives](const std::string& path) { return drives.toHost(path); }) {}

ZipArchiveEngine::ZipArchiveEngine(PathMapper toHost) : toHost_(std::move(toHost)) {}

ZipArchiveEngine::PathMapper ZipArchiveEngine::hostPaths() {
    return [](const std::string& path) -> std::optional<std::string> { return path; };
}

ZipArchiveEngine::~ZipArchiveEngine() = default;

void ZipArchiveEngine::setMemberSizeLimit(std::uint64_t bytes) { memberSizeLimit_ = bytes == 0 ? NoSizeLimit : bytes; }

std::int16_t ZipArchiveEngine::extract(std::int16_t) { return extractArchive(); }

std::int16_t ZipArchiveEngine::test() { return testArchives({archive_}).front(); }

std::int16_t ZipArchiveEngine::extractArchive() {
    abort_ = false;
    lastBytesDone_ = 0;
    StatusReporter status(onStatus);
    status.report(0);
    if (abort_) return zipcode::Aborted;
    ArchiveFile file;
    ZipDirectory directory;
    const std::int16_t read = openArchive(archive_, file, directory, keepGoing(status));
    if (read != zipcode::Success) return read;
    return extractMembers(file, directory, status);
}

// Opens the archive and reads its directory: CannotOpen, the directory's
// code, or Success.
std::int16_t ZipArchiveEngine::openArchive(const std::string& archive, ArchiveFile& file, ZipDirectory& directory,
                                           const std::function<bool()>& keepGoing) {
    const auto host = toHost_(archive);
    if (!host || !file.open(*host)) return zipcode::CannotOpen;
    return readZipDirectory(file, directory, keepGoing);
}

std::int16_t ZipArchiveEngine::extractMembers(const ArchiveFile& file, const ZipDirectory& directory,
                                              StatusReporter& status) {
    Selection selection = selectForExtraction(directory, FileMask(mask_), memberSizeLimit_);
    if (!selection.anySelected) return zipcode::NothingToDo;
    PasswordPass passwords(passwordProvider(), archive_, file, directory);
    const std::int16_t opened = passwords.open(selection.files, keepGoing(status));
    if (opened != zipcode::Success) return opened;
    OutputFolder destination;
    const auto host = toHost_(destination_);
    if (!host || !destination.open(*host)) return zipcode::CannotWrite;
    makePool();
    const WorkPlan plan = planWork(directory, std::move(selection.files), pool_->size());
    RunControl control{abort_};
    control.pool = pool_.get();
    ArchiveRun run(file, directory, plan, destination.descriptor(), control, passwords.keys());
    FolderCache folders;
    folders.reset(destination.descriptor(), &selection.folderTable);
    makeFolders(selection, folders, run, status);
    startWorkers(destination.descriptor(), &selection.folderTable);
    std::int16_t decoded = decodeAll(run, plan, plan.totalBytes, status);
    if (decoded == zipcode::Success) decoded = decodeUnauthentic(run, plan, passwords, directory, status);
    startWorkers(-1, nullptr);
    lastBytesDone_ = run.bytesDone();
    if (decoded == zipcode::Aborted) return decoded;
    setFolderTimes(selection, folders);
    status.report(100);
    if (decoded != zipcode::Success) return decoded;
    decoded = run.ranOutOfSpace() ? zipcode::CannotWrite : run.firstFailure();
    return decoded != zipcode::Success ? decoded : warningOf(selection);
}

KeepGoing ZipArchiveEngine::keepGoing(StatusReporter& status) {
    return [this, &status] {
        status.tick(0);
        return !abort_;
    };
}

// Runs the plan's jobs on the workers: Aborted or Success.
std::int16_t ZipArchiveEngine::decodeAll(ArchiveRun& run, const WorkPlan& plan, std::uint64_t totalBytes,
                                         StatusReporter& status) {
    const WorkerPool::Task task = [&](std::size_t job, unsigned worker) { run.runJob(job, *workers_[worker]); };
    run.usePlan(plan);
    pool_->run(plan.jobs.size(), task, StatusInterval, reportProgress(run, totalBytes, status));
    return abort_ ? zipcode::Aborted : zipcode::Success;
}

std::function<void()> ZipArchiveEngine::reportProgress(const ArchiveRun& run, std::uint64_t totalBytes,
                                                       StatusReporter& status) {
    return [this, &run, totalBytes, &status] {
        try {
            status.report(percentDone(run.bytesDone(), totalBytes));
        } catch (...) {
            abort_ = true;  // the workers stop before the exception leaves
            throw;
        }
    };
}

// AES members whose data did not match their authentication code: the
// password passed the verifier but was wrong (or the data is damaged). Each
// is asked for again and decoded anew until it opens or proves damaged.
std::int16_t ZipArchiveEngine::decodeUnauthentic(ArchiveRun& run, const WorkPlan& plan, PasswordPass& passwords,
                                                 const ZipDirectory& directory, StatusReporter& status) {
    PlannedMembers pending;
    for (const PlannedMember& member : plan.members) {
        if (run.result(member.index) == NotAuthentic) pending.push_back(member);
    }
    while (!pending.empty() && !run.ranOutOfSpace()) {
        PlannedMembers again;
        for (const PlannedMember& member : pending) {
            if (!run.needed(member.index)) continue;
            const std::int16_t code = passwords.reopen(member.index, keepGoing(status));
            if (code == zipcode::PasswordCancelled || code == zipcode::Aborted) return code;
            if (code == zipcode::Success) again.push_back(member);
            else run.recordFailure(member.index, code);
        }
        if (again.empty()) break;
        const WorkPlan retry = planWork(directory, std::move(again), pool_->size());
        const std::int16_t decoded = decodeAll(run, retry, plan.totalBytes, status);
        if (decoded != zipcode::Success) return decoded;
        pending.clear();
        for (const PlannedMember& member : retry.members) {
            if (run.result(member.index) == NotAuthentic) pending.push_back(member);
        }
    }
    return zipcode::Success;
}

void ZipArchiveEngine::makePool() {
    if (!pool_) pool_ = std::make_unique<WorkerPool>(std::max(1u, std::thread::hardware_concurrency()));
}

// Where the workers write: a test writes nowhere (-1, no folders).
void ZipArchiveEngine::startWorkers(int destination, const FolderTable* folders) {
    while (workers_.size() < pool_->size()) workers_.push_back(std::make_unique<WorkerState>());
    for (auto& worker : workers_) {
        worker->folders.reset(destination, folders);
    }
}

}  // namespace q32::zip
