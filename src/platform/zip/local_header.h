// A member's local header: where its data starts, and whether the data fits
// in the file.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/zip/archive_file.h"
#include "platform/zip/member_entry.h"

namespace q32::zip {

// Bytes of the file already in memory: [start, start + length). No bytes when `bytes` is null.
struct BatchView {
    const unsigned char* bytes = nullptr;
    std::uint64_t start = 0;
    std::size_t length = 0;
};

struct LocatedData {
    std::int16_t code = 0;    // Success, NotAZip, Truncated or CannotOpen
    std::uint64_t offset = 0;  // of the compressed data
};

LocatedData locateMemberData(const ArchiveFile& file, const MemberEntry& entry, const BatchView& batch);

// `length` bytes of the file at `at`, from the batch when it holds them.
// Success, Truncated or CannotOpen.
std::int16_t readFileBytes(const ArchiveFile& file, const BatchView& batch, std::uint64_t at, unsigned char* to,
                           std::size_t length);

}  // namespace q32::zip
