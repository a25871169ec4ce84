// Reads an archive's central directory (Zip64 included) in bounded memory:
// the directory is streamed through a small window, never read whole.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "platform/zip/archive_file.h"
#include "platform/zip/bulk_memory.h"
#include "platform/zip/member_entry.h"

namespace q32::zip {

struct ZipDirectory {
    BulkVector<MemberEntry> members;  // in directory order
    BulkVector<char> names;           // every member's name, one after another
    std::uint64_t directoryStart = 0;  // where member data must end

    std::string_view name(const MemberEntry& entry) const {
        return {names.data() + entry.nameOffset, entry.nameLength};
    }
};

// Called now and then while reading; returns false when the work must stop.
using KeepGoing = std::function<bool()>;

// A result code: Success, NotAZip (members whose data overlap included),
// Truncated or Aborted.
std::int16_t readZipDirectory(const ArchiveFile& file, ZipDirectory& directory, const KeepGoing& keepGoing);

}  // namespace q32::zip
