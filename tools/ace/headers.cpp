#include "headers.h"

#include "ace_crc.h"
#include "ace_error.h"

#include <cstring>

namespace q32::ace {
namespace {

constexpr std::size_t kMinimumHeader = 3;  // type and flags
constexpr std::size_t kMainFixedSize = 26;
constexpr std::size_t kSignatureOffset = 3;

[[noreturn]] void damaged(const std::string& where, const std::string& what) {
    throw AceError(AceResult::Damaged, where + ": " + what);
}

// Reads little-endian numbers from a header body, refusing to run past it.
class Fields {
public:
    Fields(const std::vector<std::uint8_t>& body, std::size_t offset, const std::string& where)
        : body_(body), offset_(offset), where_(where) {}

    std::uint64_t number(std::size_t bytes) {
        need(bytes);
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < bytes; ++i)
            value |= static_cast<std::uint64_t>(body_[offset_ + i]) << (8 * i);
        offset_ += bytes;
        return value;
    }
    std::uint8_t u8() { return static_cast<std::uint8_t>(number(1)); }
    std::uint16_t u16() { return static_cast<std::uint16_t>(number(2)); }
    std::uint32_t u32() { return static_cast<std::uint32_t>(number(4)); }
    std::uint64_t u64() { return number(8); }

    std::string text(std::size_t bytes) {
        need(bytes);
        std::string value(reinterpret_cast<const char*>(body_.data() + offset_), bytes);
        offset_ += bytes;
        return value;
    }

private:
    void need(std::size_t bytes) const {
        if (bytes > body_.size() - offset_)
            damaged(where_, "a header is shorter than its fields");
    }
    const std::vector<std::uint8_t>& body_;
    std::size_t offset_;
    const std::string& where_;
};

struct UncheckedHeader {
    std::uint16_t check = 0;
    std::size_t declaredSize = 0;
    RawHeader header;  // fewer bytes than declared when the volume ends early

    bool complete() const { return header.body.size() == declaredSize; }
};

std::optional<UncheckedHeader> readUnchecked(ByteInput& input, const std::string& where) {
    std::uint8_t prefix[4];
    const std::size_t got = readFully(input, prefix, sizeof prefix);
    if (got == 0)
        return std::nullopt;
    if (got < sizeof prefix)
        throw AceError(AceResult::Truncated, where + ": the volume ends inside a header");
    UncheckedHeader read;
    read.check = static_cast<std::uint16_t>(prefix[0] | (prefix[1] << 8));
    read.declaredSize = static_cast<std::size_t>(prefix[2] | (prefix[3] << 8));
    read.header.body.resize(read.declaredSize);
    read.header.body.resize(readFully(input, read.header.body.data(), read.declaredSize));
    return read;
}

void verify(const UncheckedHeader& read, const std::string& where) {
    if (!read.complete())
        throw AceError(AceResult::Truncated, where + ": the volume ends inside a header");
    const auto& body = read.header.body;
    if (body.size() < kMinimumHeader)
        damaged(where, "a header is too short");
    if (headerCheck(body.data(), body.size()) != read.check)
        damaged(where, "a header fails its check");
}

bool hasSignature(const std::vector<std::uint8_t>& body) {
    return body.size() >= kSignatureOffset + 7 &&
           std::memcmp(body.data() + kSignatureOffset, kSignature, 7) == 0;
}

}  // namespace

std::optional<RawHeader> readHeader(ByteInput& input, const std::string& where) {
    auto read = readUnchecked(input, where);
    if (!read)
        return std::nullopt;
    verify(*read, where);
    return std::move(read->header);
}

MainHeader readMainHeader(ByteInput& input, const std::string& where) {
    std::optional<UncheckedHeader> read;
    try {
        read = readUnchecked(input, where);
    } catch (const AceError&) {
        read.reset();  // too short to be an archive at all
    }
    if (!read || !hasSignature(read->header.body))
        throw AceError(AceResult::NotAnAceArchive, where + ": not an ACE archive");
    verify(*read, where);
    return parseMainHeader(read->header, where);
}

MainHeader parseMainHeader(const RawHeader& header, const std::string& where) {
    if (header.type() != header_type::kMain || header.body.size() < kMainFixedSize ||
        !hasSignature(header.body))
        throw AceError(AceResult::NotAnAceArchive, where + ": not an ACE archive");
    Fields fields(header.body, kSignatureOffset + 7, where);
    MainHeader main;
    main.flags = header.flags();
    main.extractVersion = fields.u8();
    main.creatorVersion = fields.u8();
    main.host = fields.u8();
    main.volumeNumber = fields.u8();
    return main;
}

FileHeader parseFileHeader(const RawHeader& header, const std::string& where) {
    FileHeader file;
    file.flags = header.flags();
    if (!file.has(header_flag::kAddSize))
        damaged(where, "a file header has no data size");
    const bool wide = file.has(header_flag::k64Bit);
    if (wide != (header.type() == header_type::kFile64))
        damaged(where, "a file header's size fields do not match its type");
    Fields fields(header.body, kMinimumHeader, where);
    file.packedSize = wide ? fields.u64() : fields.u32();
    file.size = wide ? fields.u64() : fields.u32();
    file.dosTime = fields.u32();
    file.attributes = fields.u32();
    file.crc = fields.u32();
    file.method = fields.u8();
    file.quality = fields.u8();
    file.parameters = fields.u16();
    fields.u16();  // reserved
    file.name = fields.text(fields.u16());
    return file;
}

std::uint64_t trailingDataSize(const RawHeader& header, const std::string& where) {
    const std::uint16_t flags = header.flags();
    if (!(flags & header_flag::kAddSize))
        return 0;
    Fields fields(header.body, kMinimumHeader, where);
    return (flags & header_flag::k64Bit) ? fields.u64() : fields.u32();
}

}  // namespace q32::ace
