// Which members an extract or test works on: those the file mask selects,
// less (for an extraction) the ones whose names or kinds would leave the
// destination folder, whose names no file system here can hold, or whose
// size is over the caller's limit.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/zip/file_mask.h"
#include "platform/zip/folder_table.h"
#include "platform/zip/work_plan.h"
#include "platform/zip/zip_directory.h"

namespace q32::zip {

struct Selection {
    PlannedMembers files;
    std::vector<PlannedMember> folders;  // extraction only: each one's `folder` is the folder itself
    FolderTable folderTable;             // extraction only
    bool unsafeSkipped = false;
    bool largeSkipped = false;  // extraction only: file members over the size limit
    bool anySelected = false;
};

Selection selectForTest(const ZipDirectory& directory, const FileMask& mask);
// Later members of the same name replace earlier ones, so only the last is
// written; a member passed over replaces nothing.
Selection selectForExtraction(const ZipDirectory& directory, const FileMask& mask, std::uint64_t sizeLimit);

}  // namespace q32::zip
