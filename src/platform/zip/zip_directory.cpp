#include "platform/zip/zip_directory.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>
#include <utility>

#include "platform/zip/byte_buffer.h"
#include "platform/zip/extra_fields.h"
#include "platform/zip/member_name.h"
#include "platform/zip/truncation_probe.h"
#include "platform/zip/zip_records.h"
#include "platform/zip_engine.h"

namespace q32::zip {

namespace {

constexpr std::uint32_t EndSignature = 0x06054b50;
constexpr std::uint32_t Zip64EndSignature = 0x06064b50;
constexpr std::uint32_t Zip64LocatorSignature = 0x07064b50;
constexpr std::uint32_t CentralSignature = 0x02014b50;
constexpr std::size_t EndSize = 22;
constexpr std::size_t Zip64LocatorSize = 20;
constexpr std::size_t Zip64EndSize = 56;
constexpr std::size_t CentralSize = 46;
constexpr std::size_t MaxCommentSize = 0xFFFF;
constexpr std::size_t WindowSize = 256 << 10;
constexpr std::uint64_t MaxReservedEntries = 1 << 18;
constexpr std::uint64_t MaxReservedNameBytes = 16 << 20;

struct DirectoryPlace {
    std::uint64_t entries = 0;
    std::uint64_t size = 0;
    std::uint64_t offset = 0;  // as recorded
    std::uint64_t end = 0;     // where the directory actually ends in the file
};

// Position of the end-of-directory record: the last signature whose record fits.
std::optional<std::uint64_t> findEndRecord(const ArchiveFile& file) {
    if (file.size() < EndSize) return std::nullopt;
    const std::uint64_t tail = std::min<std::uint64_t>(file.size(), EndSize + MaxCommentSize);
    std::vector<unsigned char> bytes(tail);
    const std::uint64_t start = file.size() - tail;
    if (file.readAt(start, bytes.data(), bytes.size()) != static_cast<std::int64_t>(tail)) return std::nullopt;
    for (std::size_t at = tail - EndSize + 1; at-- > 0;) {
        if (le32(&bytes[at]) == EndSignature) return start + at;
    }
    return std::nullopt;
}

bool readZip64Place(const ArchiveFile& file, std::uint64_t endRecord, DirectoryPlace& place) {
    if (endRecord < Zip64LocatorSize) return false;
    unsigned char locator[Zip64LocatorSize];
    if (file.readAt(endRecord - Zip64LocatorSize, locator, sizeof locator) != sizeof locator) return false;
    if (le32(locator) != Zip64LocatorSignature) return false;
    const std::uint64_t recordAt = le64(locator + 8);
    unsigned char record[Zip64EndSize];
    if (recordAt > file.size() || file.readAt(recordAt, record, sizeof record) != sizeof record) return false;
    if (le32(record) != Zip64EndSignature) return false;
    place.entries = le64(record + 32);
    place.size = le64(record + 40);
    place.offset = le64(record + 48);
    place.end = endRecord - Zip64LocatorSize;
    // The Zip64 record itself sits between the directory and the locator.
    if (recordAt <= place.end) place.end = recordAt;
    return true;
}

std::optional<DirectoryPlace> findDirectory(const ArchiveFile& file) {
    const auto endRecord = findEndRecord(file);
    if (!endRecord) return std::nullopt;
    unsigned char record[EndSize];
    if (file.readAt(*endRecord, record, sizeof record) != sizeof record) return std::nullopt;
    DirectoryPlace place;
    if (readZip64Place(file, *endRecord, place)) return place;
    if (le16(record + 4) != 0 || le16(record + 6) != 0) return std::nullopt;  // a split archive
    place.entries = le16(record + 10);
    place.size = le32(record + 12);
    place.offset = le32(record + 16);
    place.end = *endRecord;
    return place;
}

// Streams bytes from [position, limit) of the file through a bounded window.
class WindowReader {
public:
    WindowReader(const ArchiveFile& file, std::uint64_t position, std::uint64_t limit)
        : file_(file), position_(position), limit_(limit) {}

    // `length` bytes at the current position, or nullptr past the limit.
    const unsigned char* need(std::size_t length) {
        if (position_ > limit_ || length > limit_ - position_) return nullptr;
        if (position_ < windowStart_ || position_ + length > windowStart_ + window_.size()) refill(length);
        if (position_ + length > windowStart_ + window_.size()) return nullptr;
        return window_.data() + (position_ - windowStart_);
    }
    void skip(std::size_t length) { position_ += length; }

private:
    void refill(std::size_t length) {
        const std::uint64_t want = std::min<std::uint64_t>(std::max(length, WindowSize), limit_ - position_);
        window_.resize(static_cast<std::size_t>(want));
        const std::int64_t got = file_.readAt(position_, window_.data(), window_.size());
        window_.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
        windowStart_ = position_;
    }

    const ArchiveFile& file_;
    std::uint64_t position_;
    std::uint64_t limit_;
    std::uint64_t windowStart_ = 0;
    ByteBuffer window_;
};

bool isSeparator(char c) { return c == '/' || c == '\\'; }

bool readEntry(WindowReader& reader, MemberEntry& entry, BulkVector<char>& names) {
    const unsigned char* head = reader.need(CentralSize);
    if (!head || le32(head) != CentralSignature) return false;
    const std::size_t nameLength = le16(head + 28);
    const std::size_t extraLength = le16(head + 30);
    const std::size_t commentLength = le16(head + 32);
    entry.madeByHost = head[5];
    entry.flags = le16(head + 8);
    entry.method = le16(head + 10);
    entry.dosDateTime = (static_cast<std::uint32_t>(le16(head + 14)) << 16) | le16(head + 12);
    entry.crc = le32(head + 16);
    entry.compressedSize = le32(head + 20);
    entry.size = le32(head + 24);
    entry.externalAttributes = le32(head + 38);
    entry.headerOffset = le32(head + 42);
    const unsigned char* rest = reader.need(CentralSize + nameLength + extraLength);
    if (!rest) return false;
    const std::basic_string_view<unsigned char> extra(rest + CentralSize + nameLength, extraLength);
    const std::string name = decodedMemberName(
        std::string_view(reinterpret_cast<const char*>(rest + CentralSize), nameLength), entry.flags, extra);
    entry.nameOffset = names.size();
    entry.nameLength = static_cast<std::uint32_t>(name.size());
    entry.nameEndsWithSeparator = !name.empty() && isSeparator(name.back());
    if (!name.empty()) {
        names.resize(entry.nameOffset + name.size());
        std::memcpy(names.data() + entry.nameOffset, name.data(), name.size());
    }
    applyExtraFields(extra, entry);
    reader.skip(CentralSize + nameLength + extraLength + commentLength);
    return true;
}

// Prepended bytes (a self-extracting stub) move every recorded offset.
std::optional<std::uint64_t> directoryShift(const DirectoryPlace& place) {
    if (place.size > place.end) return std::nullopt;
    const std::uint64_t actualStart = place.end - place.size;
    if (actualStart < place.offset) return std::nullopt;
    return actualStart - place.offset;
}

// Room for what the directory can hold at most, so that little is moved
// while it is read: no more entries than fixed parts fit in its size, and
// names no longer than its size less those fixed parts. A damaged record
// may claim anything, so the room made at once is capped.
void reserveFor(const DirectoryPlace& place, ZipDirectory& directory) {
    const std::uint64_t entries = std::min({place.entries, place.size / CentralSize, MaxReservedEntries});
    const std::uint64_t nameBytes = std::min(place.size - entries * CentralSize, MaxReservedNameBytes);
    directory.members.clear();
    directory.names.clear();
    directory.members.reserve(static_cast<std::size_t>(entries));
    directory.names.reserve(static_cast<std::size_t>(nameBytes));
}

std::int16_t readEntries(const ArchiveFile& file, const DirectoryPlace& place, std::uint64_t shift,
                         ZipDirectory& directory, const KeepGoing& keepGoing) {
    const std::uint64_t start = place.offset + shift;
    WindowReader reader(file, start, start + place.size);
    directory.directoryStart = start;
    reserveFor(place, directory);
    for (std::uint64_t i = 0; i < place.entries; ++i) {
        if ((i & 0x3FF) == 0 && !keepGoing()) return zipcode::Aborted;
        MemberEntry& entry = directory.members.emplace_back();
        if (!readEntry(reader, entry, directory.names)) return zipcode::NotAZip;
        // Compared before adding, so that a huge offset cannot wrap round.
        if (entry.headerOffset >= start - shift) return zipcode::NotAZip;
        entry.headerOffset += shift;
    }
    return zipcode::Success;
}

// True when two members' data may lie on the same bytes: each member needs
// its local header and its compressed data before the next member starts.
// (An archive that points many entries at one member would otherwise
// decode that member again and again.)
bool membersOverlap(const ZipDirectory& directory) {
    BulkVector<std::pair<std::uint64_t, std::uint64_t>> spans;  // header offset, least end
    spans.reserve(directory.members.size());
    for (const MemberEntry& entry : directory.members) {
        const std::uint64_t least = entry.headerOffset + records::LocalSize;  // below the directory: no wrap
        const std::uint64_t end = entry.compressedSize > UINT64_MAX - least ? UINT64_MAX : least + entry.compressedSize;
        spans.emplace_back(entry.headerOffset, end);
    }
    if (!std::is_sorted(spans.begin(), spans.end())) std::sort(spans.begin(), spans.end());
    for (std::size_t i = 1; i < spans.size(); ++i) {
        if (spans[i - 1].second > spans[i].first) return true;
    }
    return false;
}

}  // namespace

std::int16_t readZipDirectory(const ArchiveFile& file, ZipDirectory& directory, const KeepGoing& keepGoing) {
    const auto place = findDirectory(file);
    if (!place) return endsInsideMemberData(file) ? zipcode::Truncated : zipcode::NotAZip;
    const auto shift = directoryShift(*place);
    if (!shift) return zipcode::NotAZip;
    const std::int16_t read = readEntries(file, *place, *shift, directory, keepGoing);
    if (read != zipcode::Success) return read;
    return membersOverlap(directory) ? zipcode::NotAZip : zipcode::Success;
}

}  // namespace q32::zip
