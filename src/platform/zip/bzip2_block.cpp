#include "platform/zip/bzip2_block.h"

#include <isa-l/crc.h>

#include <algorithm>
#include <cstring>

#include "platform/zip/bzip2_block_reader.h"
#include "platform/zip/bzip2_memory.h"
#include "platform/zip/bzip2_transform.h"
#include "platform/zip/decode_failure.h"
#include "platform/zip_engine.h"

namespace q32::zip {

namespace {

// After four equal bytes, the next one counts further copies.
constexpr unsigned RunBeforeCount = 4;

class Memory {
public:
    explicit Memory(std::size_t size) : size_(size), memory_(takeBzip2Memory(size)) {
        if (!memory_) throw DecodeFailure{zipcode::BadData};
    }
    ~Memory() {
        if (memory_) giveBzip2Memory(memory_, size_);
    }
    Memory(const Memory&) = delete;
    Memory& operator=(const Memory&) = delete;
    template <typename T>
    T* as() const {
        return static_cast<T*>(memory_);
    }
    void* release() { return std::exchange(memory_, nullptr); }

private:
    std::size_t size_;
    void* memory_;
};

}  // namespace

Bzip2Block::Bzip2Block(const Bzip2Piece& piece, char level) : capacity_(bzip2BlockCapacity(level)) {
    bad_ = !readAndTransform(piece, level);
}

Bzip2Block::~Bzip2Block() { release(); }

bool Bzip2Block::readAndTransform(const Bzip2Piece& piece, char level) {
    Memory bytes(capacity_);
    Bzip2BlockData block;
    if (!readBzip2Block(piece, level, bytes.as<unsigned char>(), block)) return false;
    if (block.randomised) {
        library_ = std::make_unique<Bzip2LibraryBlock>(piece, level);
        return true;
    }
    Memory memory(bzip2TransformMemory(capacity_));
    undoBzip2Transform(block, bytes.as<unsigned char>(), memory.as<void>(), capacity_);
    bytes_ = static_cast<unsigned char*>(bytes.release());
    length_ = block.length;
    storedCrc_ = block.crc;
    return true;
}

void Bzip2Block::release() {
    if (bytes_) giveBzip2Memory(bytes_, capacity_);
    bytes_ = nullptr;
}

Bzip2Block::Step Bzip2Block::decode(unsigned char* room, std::size_t size, std::size_t& got) {
    got = 0;
    if (library_) return library_->decode(room, size, got);
    if (bad_) return Step::Bad;
    got = undoRuns(room, size);
    crc_ = crc32_ieee(crc_, room, got);
    if (next_ < length_ || repeat_ > 0) return Step::Full;
    return finish();
}

// Kept in locals, the state stays in registers while bytes are written.
std::size_t Bzip2Block::undoRuns(unsigned char* room, std::size_t size) {
    unsigned char* out = room;
    unsigned char* const end = room + size;
    const unsigned char* in = bytes_ + next_;
    const unsigned char* const inEnd = bytes_ + length_;
    std::uint32_t repeat = repeat_;
    unsigned same = same_;
    int last = last_;
    while (out < end) {
        if (repeat > 0) {
            const std::size_t copies = std::min<std::size_t>(repeat, end - out);
            std::memset(out, last, copies);
            out += copies;
            repeat -= static_cast<std::uint32_t>(copies);
            continue;
        }
        if (in == inEnd) break;
        const int byte = *in++;
        if (same == RunBeforeCount) {
            repeat = static_cast<std::uint32_t>(byte);
            same = 0;
            continue;
        }
        same = byte == last ? same + 1 : 1;
        last = byte;
        *out++ = static_cast<unsigned char>(byte);
    }
    next_ = static_cast<std::uint32_t>(in - bytes_);
    repeat_ = repeat;
    same_ = same;
    last_ = last;
    return static_cast<std::size_t>(out - room);
}

Bzip2Block::Step Bzip2Block::finish() {
    release();
    bad_ = crc_ != storedCrc_;
    return bad_ ? Step::Bad : Step::End;
}

}  // namespace q32::zip
