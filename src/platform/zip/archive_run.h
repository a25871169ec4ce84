// One extract or test of one archive, once its directory is read and its
// members are planned: runs the jobs on the workers and keeps each
// member's result in directory order. Encrypted members are decrypted with
// the keys the calling thread found for them beforehand.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/zip/archive_file.h"
#include "platform/zip/byte_buffer.h"
#include "platform/zip/local_header.h"
#include "platform/zip/member_decoder.h"
#include "platform/zip/member_keys.h"
#include "platform/zip/output_folder.h"
#include "platform/zip/run_control.h"
#include "platform/zip/work_plan.h"
#include "platform/zip/zip_directory.h"

namespace q32::zip {

// What each worker keeps between runs.
struct WorkerState {
    MemberDecoder decoder;
    FolderCache folders;
    ByteBuffer batch;
};

// What a worker decodes of one member: the entry as the decoder sees it, its
// bytes, and for an encrypted member its cipher.
struct MemberData {
    const MemberEntry& entry;
    CompressedInput& input;
    MemberCipher* cipher = nullptr;
};

class ArchiveRun {
public:
    // `destination` is -1 for a test. `plan` and `keys` must outlive the run.
    ArchiveRun(const ArchiveFile& file, const ZipDirectory& directory, const WorkPlan& plan, int destination,
               RunControl& control, const MemberKeyTable& keys);

    void runJob(std::size_t job, WorkerState& worker);
    // The jobs of the next runJob calls: members to decode again. Results
    // found so far stay.
    void usePlan(const WorkPlan& plan) { plan_ = &plan; }

    // A failure found before the run (a folder that cannot be made, say).
    void recordFailure(std::size_t index, std::int16_t code);
    // The code of the first failing member in directory order, or Success.
    std::int16_t firstFailure() const;
    std::int16_t result(std::size_t index) const { return results_[index]; }
    // False for a test once an earlier member failed: the result is known.
    bool needed(std::size_t index) const {
        return !testing() || index < firstFailing_.load(std::memory_order_relaxed);
    }
    std::uint64_t bytesDone() const { return control_.bytesDone.load(std::memory_order_relaxed); }
    // A member could not be written for want of space, and the run stopped there.
    bool ranOutOfSpace() const { return control_.outOfSpace.load(); }

private:
    std::int16_t processMember(const PlannedMember& member, const Job& job, WorkerState& worker,
                               WorkerProgress& progress);
    std::int16_t processEncrypted(const PlannedMember& member, std::uint64_t offset, const BatchView& batch,
                                  WorkerState& worker, WorkerProgress& progress);
    CompressedInput inputAt(std::uint64_t offset, std::uint64_t length, const BatchView& batch,
                            WorkerState& worker) const;
    std::int16_t decodeMember(const PlannedMember& member, const MemberData& data, WorkerState& worker,
                              WorkerProgress& progress);
    std::int16_t extractMember(const PlannedMember& member, const MemberData& data, WorkerState& worker,
                               WorkerProgress& progress);
    std::int16_t writeMember(const PlannedMember& member, int folder, const MemberData& data, OutputFile& output,
                             WorkerState& worker, WorkerProgress& progress);
    void record(std::size_t index, std::int16_t code);
    bool testing() const { return destination_ < 0; }

    const ArchiveFile& file_;
    const ZipDirectory& directory_;
    const WorkPlan* plan_;
    int destination_;
    RunControl& control_;
    const MemberKeyTable& keys_;
    std::vector<std::int16_t> results_;  // by directory index
    std::atomic<std::size_t> firstFailing_;
};

}  // namespace q32::zip
