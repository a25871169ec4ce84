#include "platform/zip/truncation_probe.h"
#include "platform/zip/zip_records.h"

#include <optional>
#include <vector>

namespace q32::zip {

namespace {

using records::LocalSignature;
using records::DescriptorSignature;
using records::LocalSize;
using records::DataDescriptorFlag;
using records::Wide32;

// The compressed size from a local header's Zip64 field (which holds the
// uncompressed size first, then the compressed size).
std::optional<std::uint64_t> zip64CompressedSize(const ArchiveFile& file, std::uint64_t extraAt, std::size_t extraLength) {
    std::vector<unsigned char> extra(extraLength);
    if (file.readAt(extraAt, extra.data(), extra.size()) != static_cast<std::int64_t>(extra.size())) return std::nullopt;
    for (std::size_t at = 0; at + 4 <= extra.size();) {
        const std::uint16_t size = le16(&extra[at + 2]);
        if (le16(&extra[at]) == 1 && size >= 16 && at + 4 + size <= extra.size()) return le64(&extra[at + 12]);
        at += 4 + size;
    }
    return std::nullopt;
}

std::uint64_t descriptorLength(const ArchiveFile& file, std::uint64_t at) {
    unsigned char signature[4];
    if (file.readAt(at, signature, sizeof signature) != sizeof signature) return 0;
    return le32(signature) == DescriptorSignature ? 16 : 12;
}

}  // namespace

bool endsInsideMemberData(const ArchiveFile& file) {
    std::uint64_t at = 0;
    unsigned char head[LocalSize];
    while (true) {
        const std::int64_t got = file.readAt(at, head, sizeof head);
        if (got < 4) return at > 0 && got >= 0;  // cut right after a member
        if (le32(head) != LocalSignature) return false;
        if (got < static_cast<std::int64_t>(LocalSize)) return true;
        const std::uint16_t flags = le16(head + 6);
        std::uint64_t compressed = le32(head + 18);
        const std::uint64_t dataAt = at + LocalSize + le16(head + 26) + le16(head + 28);
        if (compressed == Wide32) {
            auto wide = zip64CompressedSize(file, at + LocalSize + le16(head + 26), le16(head + 28));
            if (!wide) return dataAt > file.size();
            compressed = *wide;
        }
        // A streamed member without sizes cannot be walked over; with no
        // directory at the end, the archive was most likely cut short.
        if ((flags & DataDescriptorFlag) != 0 && compressed == 0) return true;
        // Compared before adding: a lying size must not wrap the sum round
        // to an earlier header. Each step moves on by a header at least.
        if (dataAt > file.size() || compressed > file.size() - dataAt) return true;
        at = dataAt + compressed;
        if ((flags & DataDescriptorFlag) != 0) at += descriptorLength(file, at);
    }
}

}  // namespace q32::zip
