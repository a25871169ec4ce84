#include "platform/zip/local_header.h"
#include "platform/zip/zip_records.h"

#include <cstring>

#include "platform/zip_engine.h"

namespace q32::zip {

namespace {

using records::LocalSignature;
using records::LocalSize;

}  // namespace

std::int16_t readFileBytes(const ArchiveFile& file, const BatchView& batch, std::uint64_t at, unsigned char* to,
                           std::size_t length) {
    const std::uint64_t inBatch = at - batch.start;
    if (batch.bytes && at >= batch.start && inBatch <= batch.length && length <= batch.length - inBatch) {
        std::memcpy(to, batch.bytes + inBatch, length);
        return zipcode::Success;
    }
    const std::int64_t got = file.readAt(at, to, length);
    if (got < 0) return zipcode::CannotOpen;
    return got == static_cast<std::int64_t>(length) ? zipcode::Success : zipcode::Truncated;
}

LocatedData locateMemberData(const ArchiveFile& file, const MemberEntry& entry, const BatchView& batch) {
    unsigned char head[LocalSize];
    const std::int16_t read = readFileBytes(file, batch, entry.headerOffset, head, LocalSize);
    if (read != zipcode::Success) return {read, 0};
    if (le32(head) != LocalSignature) return {zipcode::NotAZip, 0};
    const std::uint64_t offset = entry.headerOffset + LocalSize + le16(head + 26) + le16(head + 28);
    if (offset > file.size() || entry.compressedSize > file.size() - offset) return {zipcode::Truncated, offset};
    return {zipcode::Success, offset};
}

}  // namespace q32::zip
