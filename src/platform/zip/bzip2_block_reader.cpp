#include "platform/zip/bzip2_block_reader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <memory>

namespace q32::zip {

namespace {

constexpr unsigned MaxCodeLength = 20;
constexpr unsigned FastBits = 10;
constexpr unsigned MaxTables = 6;
constexpr unsigned MaxSymbols = 258;
constexpr unsigned SymbolsPerTable = 50;  // symbols decoded with one table before the next selector
constexpr unsigned MaxSelectors = 1 << 15;

// The piece's bits, from the top of each byte down; zeros past its end.
class BlockBits {
public:
    explicit BlockBits(const Bzip2Piece& piece) : bytes_(piece.bytes.data()), size_(piece.bytes.size()) {
        refill();
        skip(piece.firstBit);
    }
    void ensure(unsigned count) {
        if (count_ < count) refill();
    }
    std::uint32_t peek(unsigned count) const { return static_cast<std::uint32_t>(buffer_ >> (64 - count)); }
    void skip(unsigned count) {
        buffer_ <<= count;
        count_ -= count;
    }
    // At most 32 bits.
    std::uint32_t take(unsigned count) {
        ensure(count);
        const std::uint32_t value = peek(count);
        skip(count);
        return value;
    }
    bool bit() { return take(1) != 0; }
    // Bits read since the start of the piece's first byte.
    std::uint64_t position() const { return next_ * 8 - count_; }

private:
    // The bits below count_ in the buffer are either zero or the data that
    // follows, so a refill may lay the same data over them.
    void refill() {
        if (next_ + 8 <= size_) {
            std::uint64_t word;
            std::memcpy(&word, bytes_ + next_, 8);
            buffer_ |= __builtin_bswap64(word) >> count_;
            const unsigned whole = (63 - count_) >> 3;
            next_ += whole;
            count_ += whole * 8;
            return;
        }
        while (count_ <= 56) {
            const std::uint64_t byte = next_ < size_ ? bytes_[next_] : 0;
            buffer_ |= byte << (56 - count_);
            ++next_;
            count_ += 8;
        }
    }

    const unsigned char* bytes_;
    std::size_t size_;
    std::size_t next_ = 0;
    std::uint64_t buffer_ = 0;
    unsigned count_ = 0;
};

// A canonical prefix code: codes of up to FastBits bits looked up at once,
// longer ones found length by length.
class PrefixTable {
public:
    // False when the lengths give more codes than there is room for.
    bool build(const std::uint8_t* lengths, unsigned symbols) {
        std::array<unsigned, MaxCodeLength + 1> counts{};
        for (unsigned symbol = 0; symbol < symbols; ++symbol) ++counts[lengths[symbol]];
        std::uint32_t code = 0;
        unsigned index = 0;
        for (unsigned length = 1; length <= MaxCodeLength; ++length) {
            first_[length] = code;
            end_[length] = code + counts[length];
            offset_[length] = index;
            if (end_[length] > (std::uint32_t{1} << length)) return false;
            index += counts[length];
            code = end_[length] << 1;
        }
        index = 0;
        for (unsigned length = 1; length <= MaxCodeLength; ++length) {
            for (unsigned symbol = 0; symbol < symbols; ++symbol) {
                if (lengths[symbol] == length) sorted_[index++] = static_cast<std::uint16_t>(symbol);
            }
        }
        fillFast();
        return true;
    }

    // The next symbol, or -1 for bits that are no code.
    int decode(BlockBits& bits) const {
        bits.ensure(MaxCodeLength);
        const std::uint16_t entry = fast_[bits.peek(FastBits)];
        if (entry != 0) {
            bits.skip(entry & 31);
            return entry >> 5;
        }
        for (unsigned length = FastBits + 1; length <= MaxCodeLength; ++length) {
            const std::uint32_t code = bits.peek(length);
            if (code >= end_[length]) continue;
            bits.skip(length);
            return sorted_[offset_[length] + code - first_[length]];
        }
        return -1;
    }

private:
    // Each code of up to FastBits bits fills the entries it is a prefix of;
    // 0 stands for a longer code or none.
    void fillFast() {
        std::fill(std::begin(fast_), std::end(fast_), 0);
        for (unsigned length = 1; length <= FastBits; ++length) {
            const unsigned spread = FastBits - length;
            for (std::uint32_t code = first_[length]; code < end_[length]; ++code) {
                const auto symbol = sorted_[offset_[length] + code - first_[length]];
                const auto entry = static_cast<std::uint16_t>(symbol << 5 | length);
                std::fill_n(fast_ + (code << spread), std::size_t{1} << spread, entry);
            }
        }
    }

    std::uint16_t fast_[1 << FastBits];
    std::uint32_t first_[MaxCodeLength + 1];
    std::uint32_t end_[MaxCodeLength + 1];
    unsigned offset_[MaxCodeLength + 1];
    std::uint16_t sorted_[MaxSymbols];
};

struct BlockTables {
    std::uint8_t bytes[256];  // the bytes the block uses, in order: the move-to-front list at its start
    unsigned byteCount = 0;
    unsigned tableCount = 0;
    unsigned selectorCount = 0;
    std::uint8_t selectors[MaxSelectors];
    PrefixTable tables[MaxTables];
};

bool readBytesUsed(BlockBits& bits, BlockTables& tables) {
    const std::uint32_t groups = bits.take(16);
    for (unsigned group = 0; group < 16; ++group) {
        if (!(groups & (0x8000 >> group))) continue;
        const std::uint32_t used = bits.take(16);
        for (unsigned byte = 0; byte < 16; ++byte) {
            if (!(used & (0x8000 >> byte))) continue;
            tables.bytes[tables.byteCount++] = static_cast<std::uint8_t>(group * 16 + byte);
        }
    }
    return tables.byteCount > 0;
}

// Each selector: the table's place in a move-to-front list, in unary.
bool readSelectors(BlockBits& bits, BlockTables& tables) {
    tables.tableCount = bits.take(3);
    tables.selectorCount = bits.take(15);
    if (tables.tableCount < 2 || tables.tableCount > MaxTables || tables.selectorCount == 0) return false;
    std::uint8_t order[MaxTables] = {0, 1, 2, 3, 4, 5};
    for (unsigned i = 0; i < tables.selectorCount; ++i) {
        unsigned place = 0;
        while (bits.bit()) {
            if (++place >= tables.tableCount) return false;
        }
        const std::uint8_t table = order[place];
        std::memmove(order + 1, order, place);
        order[0] = table;
        tables.selectors[i] = table;
    }
    return true;
}

// Each code length: a change from the one before, bit by bit.
bool readTables(BlockBits& bits, BlockTables& tables) {
    const unsigned symbols = tables.byteCount + 2;
    std::uint8_t lengths[MaxSymbols];
    for (unsigned t = 0; t < tables.tableCount; ++t) {
        unsigned length = bits.take(5);
        for (unsigned symbol = 0; symbol < symbols; ++symbol) {
            for (;;) {
                if (length < 1 || length > MaxCodeLength) return false;
                if (!bits.bit()) break;
                length = bits.bit() ? length - 1 : length + 1;
            }
            lengths[symbol] = static_cast<std::uint8_t>(length);
        }
        if (!tables.tables[t].build(lengths, symbols)) return false;
    }
    return true;
}

// The move-to-front list: the byte at `place` taken out and put first.
// Places under 8, the most frequent by far, move as one word.
std::uint8_t moveToFront(std::uint8_t* front, unsigned place) {
    static_assert(std::endian::native == std::endian::little);
    const std::uint8_t byte = front[place];
    if (place >= 8) {
        std::memmove(front + 1, front, place);
        front[0] = byte;
        return byte;
    }
    std::uint64_t word;
    std::memcpy(&word, front, 8);
    const std::uint64_t moved = ~std::uint64_t{0} >> (8 * (7 - place));  // bytes 0 to place
    word = ((word << 8 | byte) & moved) | (word & ~moved);
    std::memcpy(front, &word, 8);
    return byte;
}

// The symbols: runs of the front byte (RUNA and RUNB digits of their
// length), places in the move-to-front list, and the end of the block.
// Writes the bytes and counts them; the number of bytes, or -1 when the
// symbols do not make a sound block. Kept in locals, the state stays in
// registers while bytes are written.
std::int64_t readSymbols(BlockBits& input, const BlockTables& tables, unsigned char* bytes, std::uint32_t* counts,
                         std::uint32_t capacity) {
    BlockBits bits = input;
    std::uint8_t front[256] = {};
    std::memcpy(front, tables.bytes, tables.byteCount);
    std::uint32_t counted[256] = {};
    const int endOfBlock = static_cast<int>(tables.byteCount) + 1;
    const PrefixTable* table = nullptr;
    unsigned left = 0;
    std::uint32_t selector = 0;
    std::uint32_t length = 0;
    std::uint32_t run = 0;
    unsigned runDigits = 0;
    for (;;) {
        if (left == 0) {
            if (selector == tables.selectorCount) return -1;
            table = &tables.tables[tables.selectors[selector++]];
            left = SymbolsPerTable;
        }
        --left;
        const int symbol = table->decode(bits);
        if (symbol < 0) return -1;
        if (symbol < 2) {
            run += std::uint32_t{1} << (runDigits + symbol);
            if (++runDigits > 20 || run > capacity) return -1;
            continue;
        }
        if (run > 0) {
            if (run > capacity - length) return -1;
            std::memset(bytes + length, front[0], run);
            counted[front[0]] += run;
            length += run;
            run = 0;
            runDigits = 0;
        }
        if (symbol == endOfBlock) break;
        if (length == capacity) return -1;
        const std::uint8_t byte = moveToFront(front, static_cast<unsigned>(symbol - 1));
        ++counted[byte];
        bytes[length++] = byte;
    }
    std::memcpy(counts, counted, sizeof counted);
    input = bits;
    return length;
}

}  // namespace

bool readBzip2Block(const Bzip2Piece& piece, char level, unsigned char* bytes, Bzip2BlockData& block) {
    BlockBits bits(piece);
    bits.take(24);
    bits.take(24);  // the block's marker
    block.crc = bits.take(32);
    block.randomised = bits.bit();
    block.origin = bits.take(24);
    auto tables = std::make_unique<BlockTables>();
    if (!readBytesUsed(bits, *tables) || !readSelectors(bits, *tables) || !readTables(bits, *tables)) return false;
    const std::int64_t length = readSymbols(bits, *tables, bytes, block.counts, bzip2BlockCapacity(level));
    if (length < 0) return false;
    block.length = static_cast<std::uint32_t>(length);
    return bits.position() == piece.firstBit + piece.bits && block.origin < block.length;
}

}  // namespace q32::zip
