// The zip engine over Linux: ZIP archives read with our own directory reader
// and ISA-L inflate, members decoded on a pool of worker threads in bounded
// memory. Virtual paths ("c:\Quil001") are translated to host paths by a
// mapping given at construction.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/host/drive_table.h"
#include "platform/zip_engine.h"

namespace q32::zip {

class WorkerPool;
struct WorkerState;
class ArchiveFile;
struct ZipDirectory;
class ArchiveRun;
class StatusReporter;
class FolderTable;
class PasswordPass;
struct WorkPlan;
struct TestedArchive;

class ZipArchiveEngine final : public ZipEngine {
public:
    using PathMapper = std::function<std::optional<std::string>(const std::string&)>;

    // Virtual paths through the program's drive table, which must outlive the engine.
    explicit ZipArchiveEngine(const host::DriveTable& drives);
    explicit ZipArchiveEngine(host::DriveTable&&) = delete;
    // Paths through any mapping; hostPaths() takes them as they are.
    explicit ZipArchiveEngine(PathMapper toHost);
    static PathMapper hostPaths();
    ~ZipArchiveEngine() override;

    void setFileMask(const std::string& mask) override { mask_ = mask; }
    void setDestinationFolder(const std::string& folder) override { destination_ = folder; }
    void setArchiveName(const std::string& archive) override { archive_ = archive; }
    void setOption10(bool) override {}
    void setMemberSizeLimit(std::uint64_t bytes) override;
    void setAbort(bool abort) override { abort_ = abort; }

    std::int16_t extract(std::int16_t argument) override;
    // The archive set by setArchiveName, as testArchives tests a list of one.
    std::int16_t test() override;

    // Called on the calling thread as each archive of testArchives gets its
    // result, in the list's order; lastBytesDone() is then that archive's.
    // It may set the abort flag, and must not call extract or test: the
    // next archives' members are being decoded meanwhile.
    using ArchiveTested = std::function<void(std::size_t index, std::int16_t code)>;
    // Tests the archives in turn, each as test() would with the same mask and
    // password provider: the same result, password questions in the same
    // order, and status from 0 (and 100 when its members were decoded) for
    // each archive in turn. Meanwhile the next archives (a few) are opened,
    // read and planned, and the workers take their members once the current
    // archive's are all handed out. The abort flag is cleared once, at the start: set
    // during an archive's turn, that archive gives Aborted and the call ends;
    // set after its result (in its last status or in `tested`), the call ends
    // before the next archive's turn. The archives not reached keep Aborted
    // in the result and are not reported to `tested`.
    std::vector<std::int16_t> testArchives(const std::vector<std::string>& archives, const ArchiveTested& tested = {});

    // Uncompressed bytes that the last extract or test went through.
    std::uint64_t lastBytesDone() const { return lastBytesDone_; }

private:
    static constexpr std::uint64_t NoSizeLimit = std::numeric_limits<std::uint64_t>::max();

    std::int16_t extractArchive();
    std::int16_t openArchive(const std::string& archive, ArchiveFile& file, ZipDirectory& directory,
                             const std::function<bool()>& keepGoing);
    std::int16_t extractMembers(const ArchiveFile& file, const ZipDirectory& directory, StatusReporter& status);
    std::int16_t decodeAll(ArchiveRun& run, const WorkPlan& plan, std::uint64_t totalBytes, StatusReporter& status);
    std::int16_t decodeUnauthentic(ArchiveRun& run, const WorkPlan& plan, PasswordPass& passwords,
                                   const ZipDirectory& directory, StatusReporter& status);
    // Reports status now and then; false once the abort flag is set.
    std::function<bool()> keepGoing(StatusReporter& status);
    // Reports the run's percentage done; an exception from the report sets the abort flag on its way out.
    std::function<void()> reportProgress(const ArchiveRun& run, std::uint64_t totalBytes, StatusReporter& status);
    void makePool();
    void startWorkers(int destination, const FolderTable* folders);

    // testArchives, in zip_archive_list.cpp.
    using ArchivesAhead = std::deque<std::unique_ptr<TestedArchive>>;
    std::int16_t testTurn(const std::vector<std::string>& archives, std::size_t index,
                          std::unique_ptr<TestedArchive>& current, ArchivesAhead& ahead, StatusReporter& status);
    std::unique_ptr<TestedArchive> prepareTest(const std::string& archive, const std::function<bool()>& keepGoing);
    void prepareAhead(const std::vector<std::string>& archives, std::size_t next, ArchivesAhead& ahead,
                      const TestedArchive& running, StatusReporter& status);
    void planTest(TestedArchive& test);
    void startTest(TestedArchive& test);
    std::int16_t finishTest(TestedArchive& test, StatusReporter& status);

    PathMapper toHost_;
    std::string mask_;
    std::string destination_;
    std::string archive_;
    std::uint64_t memberSizeLimit_ = NoSizeLimit;
    std::atomic<bool> abort_{false};
    std::uint64_t lastBytesDone_ = 0;
    std::unique_ptr<WorkerPool> pool_;
    std::vector<std::unique_ptr<WorkerState>> workers_;
};

}  // namespace q32::zip
