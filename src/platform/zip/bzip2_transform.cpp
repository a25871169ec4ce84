#include "platform/zip/bzip2_transform.h"

#include <cstring>
#include <vector>

namespace q32::zip {

namespace {

constexpr unsigned Chains = 16;                   // segments walked at once
constexpr std::uint32_t SegmentStride = 1 << 13;  // rows between the rows a segment starts at
constexpr std::uint32_t ChunkSize = 4096;
constexpr std::uint32_t None = ~std::uint32_t{0};

// A link: the next row (above bit 9), whether a segment starts there (bit
// 8), and the byte the walk writes for it (the low 8 bits).
constexpr std::uint32_t StartsSegment = 1 << 8;
inline std::uint32_t nextRow(std::uint32_t link) { return link >> 9; }

std::uint32_t chunkCount(std::uint32_t capacity) {
    return capacity / ChunkSize + capacity / SegmentStride + Chains + 4;
}

// Segments start at every SegmentStride-th row and at the data's own row
// (the origin), whose segment comes first in the output.
struct Segments {
    explicit Segments(const Bzip2BlockData& block) : length(block.length), origin(block.origin) {
        count = (length + SegmentStride - 1) / SegmentStride;
        originSegment = origin % SegmentStride == 0 ? origin / SegmentStride : count++;
    }
    bool startsAt(std::uint32_t row) const { return row % SegmentStride == 0 || row == origin; }
    std::uint32_t at(std::uint32_t row) const { return row == origin ? originSegment : row / SegmentStride; }
    std::uint32_t firstRow(std::uint32_t segment) const {
        return segment == originSegment ? origin : segment * SegmentStride;
    }
    std::uint32_t length, origin, count, originSegment;
};

// Row i of the sorted rotations ends with bytes[i]; the rows that start
// with a byte are those that end with it, in the same order. So the row
// that starts with bytes[i] leads to row i, the one after it in the data.
void linkRows(const Bzip2BlockData& block, const Segments& segments, const unsigned char* bytes,
              std::uint32_t* links) {
    std::uint32_t next[256];
    std::uint32_t sum = 0;
    for (unsigned byte = 0; byte < 256; ++byte) {
        next[byte] = sum;
        sum += block.counts[byte];
    }
    for (std::uint32_t row = 0; row < block.length; ++row) {
        const unsigned char byte = bytes[row];
        links[next[byte]++] = row << 9 | (segments.startsAt(row) ? StartsSegment : 0) | byte;
    }
}

// Where walked bytes go: chunks handed out in turn, each segment's chained.
struct Chunks {
    unsigned char* bytes;
    std::uint32_t* following;  // the segment's next chunk
    std::uint32_t* used;
    std::uint32_t count;
    std::uint32_t taken = 0;
};

struct Chain {
    std::uint32_t row;
    std::uint32_t segment;
    std::uint32_t chunk;
    std::uint32_t filled;
};

class Walk {
public:
    Walk(const std::uint32_t* links, const Segments& segments, Chunks& chunks)
        : links_(links), segments_(segments), chunks_(chunks), firstChunk_(segments.count, None),
          followedBy_(segments.count, None) {}

    // False when the links do not make one cycle through every row.
    bool run() {
        unsigned active = 0;
        while (active < Chains && start(chains_[active])) ++active;
        std::uint32_t steps = 0;
        while (active > 0) {
            for (unsigned c = 0; c < active; ++c) {
                Chain& chain = chains_[c];
                const std::uint32_t link = links_[chain.row];
                chunks_.bytes[std::size_t{chain.chunk} * ChunkSize + chain.filled++] = static_cast<unsigned char>(link);
                chain.row = nextRow(link);
                if (chain.filled == ChunkSize && !nextChunk(chain)) return false;
                if (!(link & StartsSegment)) continue;
                chunks_.used[chain.chunk] = chain.filled;
                followedBy_[chain.segment] = segments_.at(chain.row);
                if (!start(chain)) chains_[c--] = chains_[--active];
            }
            steps += active;
            if (steps > segments_.length + Chains) return false;
        }
        return true;
    }

    // The chunks in the order of the output, into `out`; false unless they
    // hold the whole block.
    bool gather(unsigned char* out) const {
        std::uint32_t written = 0;
        std::uint32_t segment = segments_.originSegment;
        for (std::uint32_t n = 0; n < segments_.count; ++n) {
            for (std::uint32_t chunk = firstChunk_[segment]; chunk != None; chunk = chunks_.following[chunk]) {
                const std::uint32_t used = chunks_.used[chunk];
                if (used > segments_.length - written) return false;
                std::memcpy(out + written, chunks_.bytes + std::size_t{chunk} * ChunkSize, used);
                written += used;
            }
            segment = followedBy_[segment];
            if (segment == None) return false;
        }
        return written == segments_.length && segment == segments_.originSegment;
    }

private:
    bool start(Chain& chain) {
        if (nextSegment_ == segments_.count) return false;
        chain.segment = nextSegment_++;
        chain.row = segments_.firstRow(chain.segment);
        chain.chunk = chunks_.taken++;
        chain.filled = 0;
        chunks_.following[chain.chunk] = None;
        firstChunk_[chain.segment] = chain.chunk;
        return true;
    }
    bool nextChunk(Chain& chain) {
        if (chunks_.taken == chunks_.count) return false;
        chunks_.used[chain.chunk] = ChunkSize;
        chunks_.following[chain.chunk] = chunks_.taken;
        chain.chunk = chunks_.taken++;
        chain.filled = 0;
        chunks_.following[chain.chunk] = None;
        return true;
    }

    const std::uint32_t* links_;
    const Segments& segments_;
    Chunks& chunks_;
    std::vector<std::uint32_t> firstChunk_;
    std::vector<std::uint32_t> followedBy_;
    Chain chains_[Chains];
    std::uint32_t nextSegment_ = 0;
};

// Damaged data may give links that are no single cycle: the walk from the
// origin alone then says what the block holds, and its CRC will judge it.
void walkFromOrigin(const std::uint32_t* links, std::uint32_t length, std::uint32_t origin, unsigned char* out) {
    std::uint32_t row = origin;
    for (std::uint32_t k = 0; k < length; ++k) {
        const std::uint32_t link = links[row];
        out[k] = static_cast<unsigned char>(link);
        row = nextRow(link);
    }
}

}  // namespace

std::size_t bzip2TransformMemory(std::uint32_t capacity) {
    const std::size_t chunks = chunkCount(capacity);
    return std::size_t{capacity} * sizeof(std::uint32_t) + chunks * (ChunkSize + 2 * sizeof(std::uint32_t));
}

void undoBzip2Transform(const Bzip2BlockData& block, unsigned char* bytes, void* memory, std::uint32_t capacity) {
    const Segments segments(block);
    auto* links = static_cast<std::uint32_t*>(memory);
    linkRows(block, segments, bytes, links);
    const std::uint32_t count = chunkCount(capacity);
    Chunks chunks{reinterpret_cast<unsigned char*>(links + capacity), links + capacity + count * (ChunkSize / 4),
                  links + capacity + count * (ChunkSize / 4 + 1), count};
    Walk walk(links, segments, chunks);
    if (walk.run() && walk.gather(bytes)) return;
    walkFromOrigin(links, block.length, block.origin, bytes);
}

}  // namespace q32::zip
