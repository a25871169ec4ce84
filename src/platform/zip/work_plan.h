// Splits the selected members of an archive into jobs for the workers.
// Small members that lie next to each other in the file form one job read
// in a single piece (bounded, at most 4 MB); larger ones are streamed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/zip/zip_directory.h"

namespace q32::zip {

struct PlannedMember {
    std::size_t index = 0;                // in the directory
    std::vector<std::string> place;       // folders and file name under the destination
    std::optional<std::int64_t> modified;
};

struct Job {
    std::size_t first = 0;  // into WorkPlan::members
    std::size_t count = 0;
    bool readWhole = false;  // the span [start, end) is read in one piece
    std::uint64_t start = 0;
    std::uint64_t end = 0;
};

struct WorkPlan {
    std::vector<PlannedMember> members;  // sorted by position in the file
    std::vector<Job> jobs;               // largest first
    std::uint64_t totalBytes = 0;        // uncompressed
};

inline constexpr std::uint64_t MaxBatchSpan = 4 << 20;

WorkPlan planWork(const ZipDirectory& directory, std::vector<PlannedMember> members, unsigned workers);

}  // namespace q32::zip
