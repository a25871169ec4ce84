#include "platform/zip/archive_run.h"

#include <algorithm>

#include "platform/zip_engine.h"

namespace q32::zip {

namespace {

constexpr unsigned DefaultPermissions = 0666;

}  // namespace

ArchiveRun::ArchiveRun(const ArchiveFile& file, const ZipDirectory& directory, const WorkPlan& plan,
                       int destination, RunControl& control, const MemberKeyTable& keys)
    : file_(file),
      directory_(directory),
      plan_(&plan),
      destination_(destination),
      control_(control),
      keys_(keys),
      results_(directory.members.size(), zipcode::Success),
      firstFailing_(directory.members.size()) {}

void ArchiveRun::runJob(std::size_t jobNumber, WorkerState& worker) {
    const Job& job = plan_->jobs[jobNumber];
    if (job.readWhole) {
        worker.batch.resize(job.end - job.start);
        const std::int64_t got = file_.readAt(job.start, worker.batch.data(), worker.batch.size());
        worker.batch.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    }
    WorkerProgress progress(control_);
    for (std::size_t i = job.first; i < job.first + job.count; ++i) {
        if (progress.stopped()) return;
        const PlannedMember& member = plan_->members[i];
        // A test stops at the first failure: members after it cannot change the result.
        if (!needed(member.index)) continue;
        record(member.index, processMember(member, job, worker, progress));
    }
}

std::int16_t ArchiveRun::processMember(const PlannedMember& member, const Job& job, WorkerState& worker,
                                       WorkerProgress& progress) {
    const MemberEntry& entry = directory_.members[member.index];
    const BatchView batch{job.readWhole ? worker.batch.data() : nullptr, job.start, worker.batch.size()};
    const LocatedData data = locateMemberData(file_, entry, batch);
    if (data.code != zipcode::Success) return data.code;
    if (entry.encrypted()) return processEncrypted(member, data.offset, batch, worker, progress);
    CompressedInput input = inputAt(data.offset, entry.compressedSize, batch, worker);
    return decodeMember(member, {entry, input}, worker, progress);
}

// The encrypted data alone goes to the decoder, as a member of the real
// method whose compressed size leaves out the cipher's header and trailer.
std::int16_t ArchiveRun::processEncrypted(const PlannedMember& member, std::uint64_t offset, const BatchView& batch,
                                          WorkerState& worker, WorkerProgress& progress) {
    const MemberEntry& entry = directory_.members[member.index];
    const MemberKeys* keys = keys_.find(member.index);
    if (!keys) return zipcode::Unsupported;
    if (keys->code != zipcode::Success) return keys->code;
    const EncryptedSpan span = encryptedSpan(entry);  // the keys were found: the member holds both
    unsigned char code[AesCodeSize]{};
    const std::uint64_t trailerAt = offset + entry.compressedSize - span.trailer;
    const std::int16_t read = readFileBytes(file_, batch, trailerAt, code, span.trailer);
    if (read != zipcode::Success) return read;
    MemberEntry encrypted = entry;
    encrypted.compressedSize = entry.compressedSize - span.header - span.trailer;
    CompressedInput input = inputAt(offset + span.header, encrypted.compressedSize, batch, worker);
    MemberCipher cipher(*keys, entry, code);
    return decodeMember(member, {encrypted, input, &cipher}, worker, progress);
}

CompressedInput ArchiveRun::inputAt(std::uint64_t offset, std::uint64_t length, const BatchView& batch,
                                    WorkerState& worker) const {
    const std::uint64_t inBatch = offset - batch.start;
    const bool inMemory = batch.bytes && offset >= batch.start && inBatch + length <= batch.length;
    return inMemory ? CompressedInput(batch.bytes + inBatch, length)
                    : CompressedInput(file_, offset, length, worker.decoder.readChunk());
}

std::int16_t ArchiveRun::decodeMember(const PlannedMember& member, const MemberData& data, WorkerState& worker,
                                      WorkerProgress& progress) {
    if (!testing()) return extractMember(member, data, worker, progress);
    DiscardSink nowhere;
    return worker.decoder.decode(data.entry, data.input, nowhere, progress, data.cipher);
}

std::int16_t ArchiveRun::extractMember(const PlannedMember& member, const MemberData& data, WorkerState& worker,
                                       WorkerProgress& progress) {
    const int folder = worker.folders.folder(member.folder);
    if (folder < 0) return zipcode::CannotWrite;
    OutputFile output;
    const std::int16_t code = writeMember(member, folder, data, output, worker, progress);
    if (output.outOfSpace()) control_.outOfSpace = true;
    return code;  // the output removes what it wrote unless the member was written whole
}

std::int16_t ArchiveRun::writeMember(const PlannedMember& member, int folder, const MemberData& data,
                                     OutputFile& output, WorkerState& worker, WorkerProgress& progress) {
    if (!output.create(folder, member.name, data.entry.unixPermissions().value_or(DefaultPermissions))) {
        return zipcode::CannotWrite;
    }
    const std::int16_t code = worker.decoder.decode(data.entry, data.input, output, progress, data.cipher);
    if (code != zipcode::Success) return code;
    return output.commit(member.modified) ? zipcode::Success : zipcode::CannotWrite;
}

void ArchiveRun::recordFailure(std::size_t index, std::int16_t code) { record(index, code); }

void ArchiveRun::record(std::size_t index, std::int16_t code) {
    results_[index] = code;
    // A member that did not authenticate is asked for again before its result counts.
    if (code == zipcode::Success || code == zipcode::Aborted || code == NotAuthentic) return;
    std::size_t known = firstFailing_.load(std::memory_order_relaxed);
    while (index < known && !firstFailing_.compare_exchange_weak(known, index)) {
    }
}

std::int16_t ArchiveRun::firstFailure() const {
    const std::size_t index = firstFailing_.load();
    return index < results_.size() ? results_[index] : zipcode::Success;
}

}  // namespace q32::zip
