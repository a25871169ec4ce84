// Tells a cut-off archive from one that is not a ZIP archive at all, when
// its end-of-directory record is missing: walking the local headers from the
// start runs off the end of the file.
#pragma once

#include "platform/zip/archive_file.h"

namespace q32::zip {

bool endsInsideMemberData(const ArchiveFile& file);

}  // namespace q32::zip
