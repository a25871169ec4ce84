// PPMd (variant I, revision 1) through libarchive. libarchive reads whole
// archives only, so it is handed a one-member ZIP stream: a local header
// written here, then the member's compressed bytes as they are read.
#include <array>
#include <optional>

#include "platform/zip/chunk_feed.h"
#include "platform/zip/decode_failure.h"
#include "platform/zip/libarchive_calls.h"
#include "platform/zip/method_decoders.h"
#include "platform/zip_engine.h"

namespace q32::zip {

namespace {

constexpr std::size_t HeaderSize = 30 + 1 + 20;  // fixed part, a one-letter name, a Zip64 extra field

void put16(unsigned char* to, std::uint32_t value) {
    to[0] = static_cast<unsigned char>(value);
    to[1] = static_cast<unsigned char>(value >> 8);
}
void put32(unsigned char* to, std::uint32_t value) {
    put16(to, value);
    put16(to + 2, value >> 16);
}
void put64(unsigned char* to, std::uint64_t value) {
    put32(to, static_cast<std::uint32_t>(value));
    put32(to + 4, static_cast<std::uint32_t>(value >> 32));
}

// Sizes always in a Zip64 field, so that members of any size read alike.
std::array<unsigned char, HeaderSize> localHeader(const MemberFacts& member) {
    std::array<unsigned char, HeaderSize> header{};
    unsigned char* at = header.data();
    put32(at, 0x04034b50);
    put16(at + 4, 63);
    put16(at + 8, member.method);
    put16(at + 12, 0x0021);  // 1 January 1980
    put32(at + 14, member.crc);
    put32(at + 18, 0xFFFFFFFF);
    put32(at + 22, 0xFFFFFFFF);
    put16(at + 26, 1);
    put16(at + 28, 20);
    at[30] = 'm';
    put16(at + 31, 0x0001);
    put16(at + 33, 16);
    put64(at + 35, member.size);
    put64(at + 43, member.compressedSize);
    return header;
}

struct StreamSource {
    ChunkFeed feed;
    std::array<unsigned char, HeaderSize> header;
    bool headerSent = false;
    std::optional<DecodeFailure> failure;  // kept here: it cannot cross libarchive
};

la_ssize_t readSource(struct archive*, void* client, const void** buffer) {
    StreamSource& source = *static_cast<StreamSource*>(client);
    if (!source.headerSent) {
        source.headerSent = true;
        *buffer = source.header.data();
        return static_cast<la_ssize_t>(source.header.size());
    }
    try {
        if (!source.feed.fill()) return 0;
    } catch (const DecodeFailure& failure) {
        source.failure = failure;
        return ARCHIVE_FATAL;
    }
    *buffer = source.feed.data();
    const std::size_t length = source.feed.length();
    source.feed.consume(length);
    return static_cast<la_ssize_t>(length);
}

class Reader {
public:
    explicit Reader(const LibarchiveCalls& calls) : calls_(calls), archive_(calls.readNew()) {}
    ~Reader() {
        if (archive_) calls_.free(archive_);
    }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    struct archive* get() const { return archive_; }

private:
    const LibarchiveCalls& calls_;
    struct archive* archive_;
};

}  // namespace

void decompressPpmd(CompressedInput& input, DecodedOutput& output, const MemberFacts& member) {
    const LibarchiveCalls* calls = libarchiveCalls();
    if (!calls) throw DecodeFailure{zipcode::Unsupported};
    StreamSource source{ChunkFeed(input), localHeader(member), false, std::nullopt};
    const Reader reader(*calls);
    auto stop = [&] {
        if (source.failure) throw *source.failure;
        throw DecodeFailure{zipcode::BadData};
    };
    if (!reader.get() || calls->supportZip(reader.get()) != ARCHIVE_OK) stop();
    if (calls->open(reader.get(), &source, nullptr, readSource, nullptr) != ARCHIVE_OK) stop();
    struct archive_entry* entry = nullptr;
    if (calls->nextHeader(reader.get(), &entry) != ARCHIVE_OK) stop();
    for (;;) {
        const la_ssize_t got = calls->readData(reader.get(), output.space(), output.spaceLeft());
        if (got == 0) return;
        // libarchive checks the CRC-32 too; a mismatch is left to the caller's check.
        if (got < 0 && !source.failure && output.produced() == member.size) return;
        if (got < 0) stop();
        output.commit(static_cast<std::size_t>(got));
    }
}

}  // namespace q32::zip
