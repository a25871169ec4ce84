// Splits the selected members of an archive into jobs for the workers.
// Small members that lie next to each other in the file form one job read
// in a single piece (bounded, at most 4 MB); larger ones are streamed.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/zip/bulk_memory.h"
#include "platform/zip/folder_table.h"
#include "platform/zip/zip_directory.h"

namespace q32::zip {

struct PlannedMember {
    std::size_t index = 0;                  // in the directory
    FolderId folder = DestinationFolder;    // where it goes (extraction only)
    std::string_view name;                  // its name in that folder, a view into the directory's names
    std::optional<std::int64_t> modified;
};

using PlannedMembers = BulkVector<PlannedMember>;

struct Job {
    std::size_t first = 0;  // into WorkPlan::members
    std::size_t count = 0;
    bool readWhole = false;  // the span [start, end) is read in one piece
    std::uint64_t start = 0;
    std::uint64_t end = 0;
};

struct WorkPlan {
    PlannedMembers members;          // sorted by position in the file
    std::vector<Job> jobs;           // largest first
    std::uint64_t totalBytes = 0;    // uncompressed
};

inline constexpr std::uint64_t MaxBatchSpan = 4 << 20;

WorkPlan planWork(const ZipDirectory& directory, PlannedMembers members, unsigned workers);

}  // namespace q32::zip
