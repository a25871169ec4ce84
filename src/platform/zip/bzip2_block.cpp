#include "platform/zip/bzip2_block.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <utility>

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

// libbz2 takes some 4 MB for each block it decodes (more for level 9), and
// a block may start on one thread and end on another. What it gives back is
// kept, process-wide, for the next block: fresh pages cost more here than
// decoding a small block's data.
class KeptAllocations {
public:
    ~KeptAllocations() { freeAll(); }
    void enter() {
        std::lock_guard lock(mutex_);
        ++users_;
    }
    // The last member decoded in blocks gives the memory back.
    void leave() {
        std::lock_guard lock(mutex_);
        if (--users_ == 0) freeAll();
    }
    void* take(std::size_t size) {
        {
            std::lock_guard lock(mutex_);
            for (std::size_t i = 0; i < kept_.size(); ++i) {
                if (kept_[i].size != size) continue;
                void* memory = kept_[i].memory;
                kept_[i] = kept_.back();
                kept_.pop_back();
                return memory;
            }
        }
        return std::malloc(size);
    }
    void give(void* memory, std::size_t size) {
        {
            std::lock_guard lock(mutex_);
            if (kept_.size() < MaxKept) {
                kept_.push_back({memory, size});
                return;
            }
        }
        std::free(memory);
    }

private:
    void freeAll() {
        for (const Allocation& kept : kept_) std::free(kept.memory);
        kept_.clear();
    }
    struct Allocation {
        void* memory;
        std::size_t size;
    };
    // Two allocations a block, for a few blocks in flight on two to four cores.
    static constexpr std::size_t MaxKept = 16;
    std::mutex mutex_;
    std::vector<Allocation> kept_;
    unsigned users_ = 0;
};

KeptAllocations keptAllocations;
// libbz2 frees without a size: each allocation carries it in front.
constexpr std::size_t SizeField = 16;

void* bzip2Allocate(void*, int count, int size) {
    const std::size_t bytes = static_cast<std::size_t>(count) * static_cast<std::size_t>(size) + SizeField;
    auto* memory = static_cast<unsigned char*>(keptAllocations.take(bytes));
    if (!memory) return nullptr;
    std::memcpy(memory, &bytes, sizeof bytes);
    return memory + SizeField;
}

void bzip2Free(void*, void* memory) {
    if (!memory) return;
    auto* start = static_cast<unsigned char*>(memory) - SizeField;
    std::size_t bytes;
    std::memcpy(&bytes, start, sizeof bytes);
    keptAllocations.give(start, bytes);
}

}  // namespace

Bzip2Memory::Bzip2Memory() { keptAllocations.enter(); }

Bzip2Memory::~Bzip2Memory() { keptAllocations.leave(); }

Bzip2Block::Bzip2Block(const Bzip2Piece& piece, char level) {
    if (piece.bits < 80) return;  // too short to hold a block's marker and CRC: bad
    standAlone(piece, level, input_);
    stream_.bzalloc = bzip2Allocate;
    stream_.bzfree = bzip2Free;
    if (BZ2_bzDecompressInit(&stream_, 0, 0) != BZ_OK) throw DecodeFailure{zipcode::BadData};
    stream_.next_in = reinterpret_cast<char*>(input_.data());
    stream_.avail_in = static_cast<unsigned>(input_.size());
    started_ = true;
}

Bzip2Block::~Bzip2Block() {
    if (started_) BZ2_bzDecompressEnd(&stream_);
}

Bzip2Block::Step Bzip2Block::decode(unsigned char* room, std::size_t size, std::size_t& got) {
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

char bzip2LevelAt(const Bzip2Piece& piece, std::uint64_t offset) {
    if (piece.bits < offset + 32) return 0;
    const std::uint64_t header = piece.read(offset, 32);
    const auto digit = static_cast<char>(header & 0xFF);
    return (header >> 8) == 0x425A68 && digit >= '1' && digit <= '9' ? digit : 0;
}

std::uint64_t bzip2AfterEnd(const Bzip2Piece& piece) { return 80 + ((8 - (piece.start + 80) % 8) % 8); }

}  // namespace q32::zip
