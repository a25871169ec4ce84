// Testing a list of archives: while the workers decode the members of one
// archive, the calling thread opens, reads and plans the next ones and queues
// their jobs behind the current ones, so that a core freed by the current
// archive's last (long) members takes members of the next. Each archive still
// has its own turn on the calling thread, in order: its status, its result,
// its password questions. At most MaxAhead archives are prepared ahead, each
// an open file, its directory and its plan.
#include <algorithm>
#include <deque>

#include "platform/zip/file_mask.h"
#include "platform/zip/member_keys.h"
#include "platform/zip/member_selection.h"
#include "platform/zip/status_reporter.h"
#include "platform/zip/tested_archive.h"
#include "platform/zip/zip_archive_engine.h"

namespace q32::zip {

namespace {

constexpr std::size_t MaxAhead = 3;

bool anyDecryptable(const ZipDirectory& directory, const PlannedMembers& members) {
    return std::any_of(members.begin(), members.end(),
                       [&](const PlannedMember& member) { return decryptable(directory.members[member.index]); });
}

}  // namespace

std::vector<std::int16_t> ZipArchiveEngine::testArchives(const std::vector<std::string>& archives,
                                                          const ArchiveTested& tested) {
    abort_ = false;
    makePool();
    startWorkers(-1, nullptr);
    std::vector<std::int16_t> results(archives.size(), zipcode::Aborted);
    // Outside the try: the archives prepared ahead wait for their runs with the abort flag set.
    std::unique_ptr<TestedArchive> current;
    ArchivesAhead ahead;
    try {
        for (std::size_t index = 0; index < archives.size(); ++index) {
            if (index > 0 && abort_) break;  // stopped once the archive before had its result
            lastBytesDone_ = 0;
            StatusReporter status(onStatus);
            status.report(0);
            current.reset();
            if (!ahead.empty()) {
                current = std::move(ahead.front());
                ahead.pop_front();
            }
            results[index] = abort_ ? zipcode::Aborted : testTurn(archives, index, current, ahead, status);
            if (tested) tested(index, results[index]);
            if (results[index] == zipcode::Aborted) break;
        }
    } catch (...) {
        abort_ = true;  // the runs on the workers stop before the exception leaves
        throw;
    }
    return results;
}

// One archive's turn on the calling thread, as test() had it: prepared now
// unless prepared ahead, the password questions, its run (the next archives
// prepared meanwhile), and its result.
std::int16_t ZipArchiveEngine::testTurn(const std::vector<std::string>& archives, std::size_t index,
                                        std::unique_ptr<TestedArchive>& current, ArchivesAhead& ahead,
                                        StatusReporter& status) {
    if (!current) current = prepareTest(archives[index], keepGoing(status));
    TestedArchive& test = *current;
    if (test.early != zipcode::Success) return test.early;
    if (test.asksPasswords) {
        const std::int16_t opened = test.passwords->open(test.files, keepGoing(status));
        if (opened != zipcode::Success) return opened;
        planTest(test);
    }
    if (!test.pool) startTest(test);
    // An archive that asks for passwords runs alone: a member that does not
    // authenticate is asked for and decoded again at the end of its run.
    if (!test.asksPasswords) prepareAhead(archives, index + ahead.size() + 1, ahead, test, status);
    std::int16_t decoded = finishTest(test, status);
    if (decoded == zipcode::Success) {
        decoded = decodeUnauthentic(*test.run, test.plan, *test.passwords, test.directory, status);
    }
    lastBytesDone_ = test.run->bytesDone();
    if (decoded == zipcode::Aborted) return decoded;
    status.report(100);
    return decoded != zipcode::Success ? decoded : test.run->firstFailure();
}

// Opens, reads and selects; plans too unless passwords are to be asked first.
std::unique_ptr<TestedArchive> ZipArchiveEngine::prepareTest(const std::string& archive,
                                                             const std::function<bool()>& keepGoing) {
    auto test = std::make_unique<TestedArchive>(archive, abort_);
    test->early = openArchive(archive, test->file, test->directory, keepGoing);
    if (test->early != zipcode::Success) return test;
    Selection selection = selectForTest(test->directory, FileMask(mask_));
    if (!selection.anySelected) {
        test->early = zipcode::NothingToDo;
        return test;
    }
    test->files = std::move(selection.files);
    test->passwords = std::make_unique<PasswordPass>(passwordProvider(), archive, test->file, test->directory);
    test->asksPasswords = anyDecryptable(test->directory, test->files);
    if (!test->asksPasswords) planTest(*test);
    return test;
}

// Prepares the archives from `next` on while `running` is on the workers, the
// status going on with the running archive's percentage, and queues their
// jobs; up to one that asks for passwords, which must wait for its turn.
void ZipArchiveEngine::prepareAhead(const std::vector<std::string>& archives, std::size_t next, ArchivesAhead& ahead,
                                    const TestedArchive& running, StatusReporter& status) {
    const auto keepGoing = [this, &running, &status] {
        status.tick(percentDone(running.run->bytesDone(), running.plan.totalBytes));
        return !abort_;
    };
    for (; next < archives.size() && ahead.size() < MaxAhead && !abort_; ++next) {
        if (!ahead.empty() && ahead.back()->asksPasswords) return;
        ahead.push_back(prepareTest(archives[next], keepGoing));
        TestedArchive& test = *ahead.back();
        if (test.early == zipcode::Success && !test.asksPasswords) startTest(test);
    }
}

void ZipArchiveEngine::planTest(TestedArchive& test) {
    test.plan = planWork(test.directory, std::move(test.files), pool_->size());
    test.control.pool = pool_.get();
    test.run = std::make_unique<ArchiveRun>(test.file, test.directory, test.plan, -1, test.control,
                                            test.passwords->keys());
    test.task = [this, run = test.run.get()](std::size_t job, unsigned worker) { run->runJob(job, *workers_[worker]); };
}

void ZipArchiveEngine::startTest(TestedArchive& test) {
    test.started = pool_->start(test.plan.jobs.size(), test.task);
    test.pool = pool_.get();
}

// Waits for the archive's run, reporting its status: Aborted or Success.
std::int16_t ZipArchiveEngine::finishTest(TestedArchive& test, StatusReporter& status) {
    test.pool = nullptr;  // finished here, whatever happens
    pool_->finish(test.started, StatusInterval, reportProgress(*test.run, test.plan.totalBytes, status));
    return abort_ ? zipcode::Aborted : zipcode::Success;
}

}  // namespace q32::zip
