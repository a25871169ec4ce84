#include "platform/zip/bzip2_library_block.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "platform/zip/bzip2_memory.h"
#include "platform/zip/decode_failure.h"
#include "platform/zip_engine.h"

namespace q32::zip {

namespace {

// Bits written from the top of each byte down.
class BitWriter {
public:
    explicit BitWriter(std::vector<unsigned char>& out) : out_(out) {}
    void put(std::uint64_t value, unsigned count) {
        while (count > 0) {
            const unsigned bit = --count;
            partial_ = static_cast<unsigned char>(partial_ << 1 | ((value >> bit) & 1));
            if (++used_ == 8) {
                out_.push_back(partial_);
                used_ = 0;
            }
        }
    }
    // The piece's bits; the writer must stand at a byte boundary.
    void copy(const Bzip2Piece& piece) {
        const std::uint64_t whole = piece.bits >> 3;
        const unsigned shift = piece.firstBit;
        const unsigned char* from = piece.bytes.data();
        const std::size_t at = out_.size();
        out_.resize(at + whole);
        unsigned char* to = out_.data() + at;
        if (shift == 0) {
            std::memcpy(to, from, whole);
        } else {
            for (std::uint64_t i = 0; i < whole; ++i) {
                to[i] = static_cast<unsigned char>(from[i] << shift | from[i + 1] >> (8 - shift));
            }
        }
        const unsigned rest = static_cast<unsigned>(piece.bits & 7);
        put(piece.read(whole * 8, rest), rest);
    }
    void finish() {
        if (used_ > 0) put(0, 8 - used_);
    }

private:
    std::vector<unsigned char>& out_;
    unsigned char partial_ = 0;
    unsigned used_ = 0;
};

void standAlone(const Bzip2Piece& piece, char level, std::vector<unsigned char>& stream) {
    stream.assign({'B', 'Z', 'h', static_cast<unsigned char>(level)});
    stream.reserve(piece.bits / 8 + 16);
    BitWriter writer(stream);
    writer.copy(piece);
    writer.put(Bzip2EndMarker, 48);
    writer.put(piece.read(48, 32), 32);
    writer.finish();
}

// libbz2 frees without a size: each allocation carries it in front.
constexpr std::size_t SizeField = 16;

void* bzip2Allocate(void*, int count, int size) {
    const std::size_t bytes = static_cast<std::size_t>(count) * static_cast<std::size_t>(size) + SizeField;
    auto* memory = static_cast<unsigned char*>(takeBzip2Memory(bytes));
    if (!memory) return nullptr;
    std::memcpy(memory, &bytes, sizeof bytes);
    return memory + SizeField;
}

void bzip2Free(void*, void* memory) {
    if (!memory) return;
    auto* start = static_cast<unsigned char*>(memory) - SizeField;
    std::size_t bytes;
    std::memcpy(&bytes, start, sizeof bytes);
    giveBzip2Memory(start, bytes);
}

}  // namespace

Bzip2LibraryBlock::Bzip2LibraryBlock(const Bzip2Piece& piece, char level) {
    if (piece.bits < 80) return;  // too short to hold a block's marker and CRC: bad
    standAlone(piece, level, input_);
    stream_.bzalloc = bzip2Allocate;
    stream_.bzfree = bzip2Free;
    if (BZ2_bzDecompressInit(&stream_, 0, 0) != BZ_OK) throw DecodeFailure{zipcode::BadData};
    stream_.next_in = reinterpret_cast<char*>(input_.data());
    stream_.avail_in = static_cast<unsigned>(input_.size());
    started_ = true;
}

Bzip2LibraryBlock::~Bzip2LibraryBlock() {
    if (started_) BZ2_bzDecompressEnd(&stream_);
}

Bzip2LibraryBlock::Step Bzip2LibraryBlock::decode(unsigned char* room, std::size_t size, std::size_t& got) {
    got = 0;
    if (!started_) return Step::Bad;
    while (got < size) {
        const auto part = static_cast<unsigned>(std::min<std::size_t>(size - got, 1u << 30));
        const unsigned inputBefore = stream_.avail_in;
        stream_.next_out = reinterpret_cast<char*>(room + got);
        stream_.avail_out = part;
        const int result = BZ2_bzDecompress(&stream_);
        got += part - stream_.avail_out;
        if (result == BZ_STREAM_END) return Step::End;
        const bool stuck = stream_.avail_out == part && stream_.avail_in == inputBefore;
        if (result != BZ_OK || stuck || (stream_.avail_out == part && stream_.avail_in == 0)) return Step::Bad;
    }
    return Step::Full;
}

}  // namespace q32::zip
