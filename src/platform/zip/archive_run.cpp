#include "platform/zip/archive_run.h"

#include <algorithm>

#include "platform/zip/local_header.h"
#include "platform/zip_engine.h"

namespace q32::zip {

namespace {

constexpr unsigned DefaultPermissions = 0666;

}  // namespace

ArchiveRun::ArchiveRun(const ArchiveFile& file, const ZipDirectory& directory, const WorkPlan& plan,
                       int destination, RunControl& control)
    : file_(file),
      directory_(directory),
      plan_(plan),
      destination_(destination),
      control_(control),
      results_(directory.members.size(), zipcode::Success),
      firstFailing_(directory.members.size()) {}

void ArchiveRun::runJob(std::size_t jobNumber, WorkerState& worker) {
    const Job& job = plan_.jobs[jobNumber];
    if (job.readWhole) {
        worker.batch.resize(job.end - job.start);
        const std::int64_t got = file_.readAt(job.start, worker.batch.data(), worker.batch.size());
        worker.batch.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    }
    WorkerProgress progress(control_);
    for (std::size_t i = job.first; i < job.first + job.count; ++i) {
        if (progress.stopped()) return;
        const PlannedMember& member = plan_.members[i];
        // A test stops at the first failure: members after it cannot change the result.
        if (testing() && member.index > firstFailing_.load(std::memory_order_relaxed)) continue;
        record(member.index, processMember(member, job, worker, progress));
    }
}

std::int16_t ArchiveRun::processMember(const PlannedMember& member, const Job& job, WorkerState& worker,
                                       WorkerProgress& progress) {
    const MemberEntry& entry = directory_.members[member.index];
    const BatchView batch{job.readWhole ? worker.batch.data() : nullptr, job.start, worker.batch.size()};
    const LocatedData data = locateMemberData(file_, entry, batch);
    if (data.code != zipcode::Success) return data.code;
    const std::uint64_t inBatch = data.offset - job.start;
    const bool inMemory = batch.bytes && data.offset >= job.start && inBatch + entry.compressedSize <= batch.length;
    CompressedInput input = inMemory ? CompressedInput(batch.bytes + inBatch, entry.compressedSize)
                                     : CompressedInput(file_, data.offset, entry.compressedSize, worker.decoder.readChunk());
    if (!testing()) return extractMember(member, input, worker, progress);
    DiscardSink nowhere;
    return worker.decoder.decode(entry, input, nowhere, progress);
}

std::int16_t ArchiveRun::extractMember(const PlannedMember& member, CompressedInput& input, WorkerState& worker,
                                       WorkerProgress& progress) {
    const int folder = worker.folders.folder(member.folder);
    if (folder < 0) return zipcode::CannotWrite;
    OutputFile output;
    const std::int16_t code = writeMember(member, folder, input, output, worker, progress);
    if (output.outOfSpace()) control_.outOfSpace = true;
    return code;  // the output removes what it wrote unless the member was written whole
}

std::int16_t ArchiveRun::writeMember(const PlannedMember& member, int folder, CompressedInput& input,
                                     OutputFile& output, WorkerState& worker, WorkerProgress& progress) {
    const MemberEntry& entry = directory_.members[member.index];
    if (!output.create(folder, member.name, entry.unixPermissions().value_or(DefaultPermissions))) {
        return zipcode::CannotWrite;
    }
    const std::int16_t code = worker.decoder.decode(entry, input, output, progress);
    if (code != zipcode::Success) return code;
    return output.commit(member.modified) ? zipcode::Success : zipcode::CannotWrite;
}

void ArchiveRun::recordFailure(std::size_t index, std::int16_t code) { record(index, code); }

void ArchiveRun::record(std::size_t index, std::int16_t code) {
    results_[index] = code;
    if (code == zipcode::Success || code == zipcode::Aborted) return;
    std::size_t known = firstFailing_.load(std::memory_order_relaxed);
    while (index < known && !firstFailing_.compare_exchange_weak(known, index)) {
    }
}

std::int16_t ArchiveRun::firstFailure() const {
    const std::size_t index = firstFailing_.load();
    return index < results_.size() ? results_[index] : zipcode::Success;
}

}  // namespace q32::zip
