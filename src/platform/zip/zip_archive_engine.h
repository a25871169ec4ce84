// The zip engine over Linux: ZIP archives read with our own directory reader
// and ISA-L inflate, members decoded on a pool of worker threads in bounded
// memory. Virtual paths ("c:\Quil001") are translated to host paths by a
// mapping given at construction.
#pragma once

#include <atomic>
#include <cstdint>
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
    std::int16_t test() override;

    // Uncompressed bytes that the last extract or test went through.
    std::uint64_t lastBytesDone() const { return lastBytesDone_; }

private:
    enum class Mode { Test, Extract };
    static constexpr std::uint64_t NoSizeLimit = std::numeric_limits<std::uint64_t>::max();

    std::int16_t run(Mode mode);
    std::int16_t runMembers(Mode mode, const ArchiveFile& file, const ZipDirectory& directory,
                            StatusReporter& status);
    std::int16_t decodeAll(ArchiveRun& run, const WorkPlan& plan, std::uint64_t totalBytes, StatusReporter& status);
    std::int16_t decodeUnauthentic(ArchiveRun& run, const WorkPlan& plan, PasswordPass& passwords,
                                   const ZipDirectory& directory, StatusReporter& status);
    // Reports status now and then; false once the abort flag is set.
    std::function<bool()> keepGoing(StatusReporter& status);
    void startWorkers(int destination, const FolderTable& folders);

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
