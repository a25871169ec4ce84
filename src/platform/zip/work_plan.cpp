#include "platform/zip/work_plan.h"

#include <algorithm>

namespace q32::zip {

namespace {

constexpr std::uint64_t MinBatchSpan = 64 << 10;
constexpr std::size_t JobsPerWorker = 8;

// Where each member's region ends: at the next member's header, or at the
// directory. Asked in rising order of start, it walks the starts once.
class RegionEnds {
public:
    explicit RegionEnds(const ZipDirectory& directory) : directoryStart_(directory.directoryStart) {
        starts_.reserve(directory.members.size());
        for (const auto& member : directory.members) starts_.push_back(member.headerOffset);
        if (!std::is_sorted(starts_.begin(), starts_.end())) std::sort(starts_.begin(), starts_.end());
    }
    std::uint64_t after(std::uint64_t start) {
        while (next_ < starts_.size() && starts_[next_] <= start) ++next_;
        return next_ == starts_.size() ? directoryStart_ : starts_[next_];
    }

private:
    BulkVector<std::uint64_t> starts_;
    std::size_t next_ = 0;
    std::uint64_t directoryStart_;
};

// Sizes come from the archive and may claim anything: their sums stop at the top.
std::uint64_t addCapped(std::uint64_t total, std::uint64_t more) {
    return more > UINT64_MAX - total ? UINT64_MAX : total + more;
}

std::uint64_t batchSpanFor(std::uint64_t compressedTotal, unsigned workers) {
    const std::uint64_t even = compressedTotal / (std::max(workers, 1u) * JobsPerWorker);
    return std::clamp(even, MinBatchSpan, MaxBatchSpan);
}

}  // namespace

WorkPlan planWork(const ZipDirectory& directory, PlannedMembers members, unsigned workers) {
    WorkPlan plan;
    const auto& entries = directory.members;
    const auto inFileOrder = [&](const PlannedMember& a, const PlannedMember& b) {
        return entries[a.index].headerOffset < entries[b.index].headerOffset;
    };
    // Most archives list their members in file order already.
    if (!std::is_sorted(members.begin(), members.end(), inFileOrder)) {
        std::sort(members.begin(), members.end(), inFileOrder);
    }
    std::uint64_t compressedTotal = 0;
    for (const auto& member : members) {
        compressedTotal = addCapped(compressedTotal, entries[member.index].compressedSize);
        plan.totalBytes = addCapped(plan.totalBytes, entries[member.index].size);
    }
    const std::uint64_t batchSpan = batchSpanFor(compressedTotal, workers);
    RegionEnds regions(directory);
    for (std::size_t i = 0; i < members.size(); ++i) {
        const std::uint64_t start = entries[members[i].index].headerOffset;
        const std::uint64_t end = std::max(regions.after(start), start);
        const bool small = end - start <= batchSpan;
        Job* last = plan.jobs.empty() ? nullptr : &plan.jobs.back();
        if (small && last && last->readWhole && last->end == start && end - last->start <= batchSpan) {
            last->end = end;
            ++last->count;
            continue;
        }
        plan.jobs.push_back(Job{i, 1, small, start, end});
    }
    plan.members = std::move(members);
    std::stable_sort(plan.jobs.begin(), plan.jobs.end(),
                     [](const Job& a, const Job& b) { return a.end - a.start > b.end - b.start; });
    return plan;
}

}  // namespace q32::zip
