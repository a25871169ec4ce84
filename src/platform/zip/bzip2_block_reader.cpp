#include "platform/zip/bzip2_block_reader.h"

#include <algorithm>
#include <array>
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
    BlockBits(const Bzip2Piece& piece) : bytes_(piece.bytes.data()), size_(piece.bytes.size()) {
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
            if (used & (0x8000 >> byte)) tables.bytes[tables.byteCount++] = static_cast<std::uint8_t>(group * 16 + byte);
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

// The symbols: runs of the front byte (RUNA and RUNB digits of their
// length), places in the move-to-front list, and the end of the block.
class SymbolReader {
public:
    SymbolReader(BlockTables& tables, unsigned char* bytes, std::uint32_t* counts, std::uint32_t capacity)
        : tables_(tables), bytes_(bytes), counts_(counts), capacity_(capacity) {
        std::fill_n(counts, 256, 0);
        std::memcpy(front_, tables.bytes, tables.byteCount);
    }

    bool read(BlockBits& bits) {
        const int endOfBlock = static_cast<int>(tables_.byteCount) + 1;
        const PrefixTable* table = nullptr;
        unsigned left = 0;
        std::uint32_t selector = 0;
        for (;;) {
            if (left == 0) {
                if (selector == tables_.selectorCount) return false;
                table = &tables_.tables[tables_.selectors[selector++]];
                left = SymbolsPerTable;
            }
            --left;
            const int symbol = table->decode(bits);
            if (symbol < 0) return false;
            if (symbol < 2) {
                run_ += std::uint32_t{1} << (runDigits_ + symbol);
                if (++runDigits_ > 20 || run_ > capacity_) return false;
                continue;
            }
            if (!endRun()) return false;
            if (symbol == endOfBlock) return true;
            if (length_ == capacity_) return false;
            const unsigned place = static_cast<unsigned>(symbol - 1);
            const std::uint8_t byte = front_[place];
            std::memmove(front_ + 1, front_, place);
            front_[0] = byte;
            ++counts_[byte];
            bytes_[length_++] = byte;
        }
    }

    std::uint32_t length() const { return length_; }

private:
    bool endRun() {
        if (run_ == 0) return true;
        if (run_ > capacity_ - length_) return false;
        const std::uint8_t byte = front_[0];
        counts_[byte] += run_;
        std::memset(bytes_ + length_, byte, run_);
        length_ += run_;
        run_ = 0;
        runDigits_ = 0;
        return true;
    }

    BlockTables& tables_;
    unsigned char* bytes_;
    std::uint32_t* counts_;
    const std::uint32_t capacity_;
    std::uint32_t length_ = 0;
    std::uint32_t run_ = 0;
    unsigned runDigits_ = 0;
    std::uint8_t front_[256];
};

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
    SymbolReader symbols(*tables, bytes, block.counts, bzip2BlockCapacity(level));
    if (!symbols.read(bits)) return false;
    block.length = symbols.length();
    return bits.position() == piece.firstBit + piece.bits && block.origin < block.length;
}

}  // namespace q32::zip
