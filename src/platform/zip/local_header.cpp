#include "platform/zip/local_header.h"
#include "platform/zip/zip_records.h"

#include <cstring>

#include "platform/zip_engine.h"

namespace q32::zip {

namespace {

using records::LocalSignature;
using records::LocalSize;

// The fixed part of the header, from the batch when it holds it, else from the file.
std::int16_t readFixedPart(const ArchiveFile& file, std::uint64_t at, const BatchView& batch,
                           unsigned char (&head)[LocalSize]) {
    if (batch.bytes && at >= batch.start && at - batch.start + LocalSize <= batch.length) {
        std::memcpy(head, batch.bytes + (at - batch.start), LocalSize);
        return zipcode::Success;
    }
    const std::int64_t got = file.readAt(at, head, LocalSize);
    if (got < 0) return zipcode::CannotOpen;
    return got == static_cast<std::int64_t>(LocalSize) ? zipcode::Success : zipcode::Truncated;
}

}  // namespace

LocatedData locateMemberData(const ArchiveFile& file, const MemberEntry& entry, const BatchView& batch) {
    unsigned char head[LocalSize];
    const std::int16_t read = readFixedPart(file, entry.headerOffset, batch, head);
    if (read != zipcode::Success) return {read, 0};
    if (le32(head) != LocalSignature) return {zipcode::NotAZip, 0};
    const std::uint64_t offset = entry.headerOffset + LocalSize + le16(head + 26) + le16(head + 28);
    if (offset > file.size() || entry.compressedSize > file.size() - offset) return {zipcode::Truncated, offset};
    return {zipcode::Success, offset};
}

}  // namespace q32::zip
