#include "lz77_encoder.h"

#include "huffman_table.h"

#include <algorithm>
#include <bit>
#include <utility>

namespace q32::ace::testing {
namespace {

constexpr unsigned kMainCount = 284;
constexpr unsigned kLengthCount = 256;
constexpr unsigned kModeSwitch = 283;
constexpr std::uint32_t kLongestDistance = 1u << 22;
constexpr unsigned kChainSearch = 16;
constexpr std::uint32_t kGoodEnough = 200;

class BitWriter {
public:
    void put(std::uint32_t value, unsigned count) {
        for (int i = static_cast<int>(count) - 1; i >= 0; --i)
            putBit((value >> i) & 1u);
    }
    std::string finish() {
        if (filled_ > 0)
            flushWord();
        return std::move(out_);
    }

private:
    void putBit(std::uint32_t bit) {
        word_ = (word_ << 1) | bit;
        if (++filled_ == 32)
            flushWord();
    }
    // Words go out little-endian, their first bit in the top position.
    void flushWord() {
        if (filled_ < 32)
            word_ <<= (32 - filled_);
        for (int i = 0; i < 4; ++i)
            out_ += static_cast<char>((word_ >> (8 * i)) & 0xFF);
        word_ = 0;
        filled_ = 0;
    }
    std::string out_;
    std::uint32_t word_ = 0;
    unsigned filled_ = 0;
};

struct Code {
    std::uint32_t bits = 0;
    unsigned width = 0;
};

// The code of every symbol, read back from the reader's own table so that
// both agree on which code each width gives.
std::vector<Code> codesOf(const HuffmanTable& table, unsigned count) {
    std::vector<Code> codes(count);
    const unsigned maxWidth = table.maxWidth();
    for (std::uint32_t index = 0; index < (1u << maxWidth); ++index) {
        const std::uint16_t symbol = table.symbolAt(index);
        if (symbol == HuffmanTable::kNoSymbol || codes[symbol].width != 0)
            continue;
        const unsigned width = table.widthOf(symbol);
        codes[symbol] = {index >> (maxWidth - width), width};
    }
    return codes;
}

std::vector<std::uint8_t> mainWidths(std::size_t block) {
    std::vector<std::uint8_t> widths(kMainCount);
    for (unsigned s = 0; s < kMainCount; ++s) {
        if (block % 2 == 0)
            widths[s] = s < 256 ? 9 : s < 260 ? 7 : 8;
        else
            widths[s] = s < 128 ? 8 : s < 256 ? 10 : s < 260 ? 6 : 9;
    }
    return widths;
}

std::vector<std::uint8_t> lengthWidths(std::size_t block) {
    std::vector<std::uint8_t> widths(kLengthCount);
    for (unsigned s = 0; s < kLengthCount; ++s)
        widths[s] = block % 2 == 0 ? (s < 16 ? 6 : 9) : 8;
    return widths;
}

// Sends code widths the way a block header carries them: differences
// modulo the zero-run code, runs of four or more zero differences as one
// zero-run code, all under a code of width 4.
void writeWidths(BitWriter& out, const std::vector<std::uint8_t>& widths) {
    unsigned lowest = 255, highest = 0;
    for (std::uint8_t w : widths) {
        if (w == 0)
            continue;
        lowest = std::min<unsigned>(lowest, w);
        highest = std::max<unsigned>(highest, w);
    }
    const unsigned base = lowest - 1;
    const unsigned zeroRun = highest - base + 1;
    std::vector<unsigned> differences;
    unsigned previous = 0;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        const unsigned value = widths[i] ? widths[i] - base : 0;
        differences.push_back(i == 0 ? value : (value + zeroRun - previous) % zeroRun);
        previous = value;
    }

    std::vector<std::uint8_t> widthCodeWidths(zeroRun + 1, 4);
    HuffmanTable widthTable;
    widthTable.build(7, widthCodeWidths.data(), zeroRun + 1);
    const std::vector<Code> widthCodes = codesOf(widthTable, zeroRun + 1);

    out.put(static_cast<std::uint32_t>(widths.size() - 1), 9);
    out.put(base, 4);
    out.put(zeroRun, 4);
    for (std::uint8_t w : widthCodeWidths)
        out.put(w, 3);
    for (std::size_t i = 0; i < differences.size();) {
        std::size_t run = 0;
        while (i + run < differences.size() && differences[i + run] == 0 && run < 19)
            ++run;
        if (run >= 4) {
            out.put(widthCodes[zeroRun].bits, widthCodes[zeroRun].width);
            out.put(static_cast<std::uint32_t>(run - 4), 4);
            i += run;
            continue;
        }
        out.put(widthCodes[differences[i]].bits, widthCodes[differences[i]].width);
        ++i;
    }
}

std::vector<Code> writeTable(BitWriter& out, const std::vector<std::uint8_t>& widths) {
    writeWidths(out, widths);
    HuffmanTable table;
    table.build(HuffmanTable::kMaxWidth, widths.data(), static_cast<unsigned>(widths.size()));
    return codesOf(table, static_cast<unsigned>(widths.size()));
}

std::uint32_t lengthBase(std::uint32_t decoderDistance) {
    return decoderDistance <= 255 ? 2 : decoderDistance <= 8191 ? 3 : 4;
}

std::uint32_t hashAt(const std::string& bytes, std::size_t position) {
    const auto b = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])); };
    return ((b(position) | (b(position + 1) << 8) | (b(position + 2) << 16)) * 2654435761u) >> 14;
}

}  // namespace

void Lz77Encoder::remember(std::string_view data) {
    const std::size_t start = history_.size();
    history_ += data;
    for (std::size_t p = start; p < history_.size(); ++p)
        index(p);
}

void Lz77Encoder::index(std::size_t position) {
    previousInChain_.resize(position + 1, kNoPosition);
    if (position + 3 > history_.size())
        return;
    std::uint32_t& head = chainHeads_[hashAt(history_, position)];
    previousInChain_[position] = head;
    head = static_cast<std::uint32_t>(position);
}

std::uint32_t Lz77Encoder::matchLength(std::size_t position, std::uint32_t distance, std::size_t end) const {
    if (distance == 0 || distance > position || distance > kLongestDistance)
        return 0;
    const std::uint32_t cap = 255 + lengthBase(distance - 1);
    std::uint32_t length = 0;
    while (length < cap && position + length < end &&
           history_[position + length] == history_[position + length - distance])
        ++length;
    return length;
}

Lz77Encoder::Match Lz77Encoder::bestMatch(std::size_t position, std::size_t end) const {
    Match best;
    for (int which = 0; which < 4; ++which) {
        const std::uint32_t distance = recent_[3 - which] + 1;
        const std::uint32_t shortest = which > 1 ? 3 : 2;
        const std::uint32_t length = std::min(matchLength(position, distance, end), 255 + shortest);
        if (length >= shortest && length > best.length)
            best = {length, distance, which};
    }
    if (position + 3 > end)
        return best;
    std::uint32_t candidate = chainHeads_[hashAt(history_, position)];
    for (unsigned looked = 0; candidate != kNoPosition && looked < kChainSearch;
         ++looked, candidate = previousInChain_[candidate]) {
        const auto distance = static_cast<std::uint32_t>(position - candidate);
        if (distance > kLongestDistance)
            break;
        const std::uint32_t length = matchLength(position, distance, end);
        if (length >= lengthBase(distance - 1) && length > best.length)
            best = {length, distance, -1};
        if (best.length >= kGoodEnough)
            break;
    }
    return best;
}

Lz77Encoder::Symbol Lz77Encoder::symbolFor(const Match& match) {
    if (match.recent >= 0) {
        const std::size_t slot = 3 - static_cast<std::size_t>(match.recent);
        std::rotate(recent_.begin() + static_cast<std::ptrdiff_t>(slot),
                    recent_.begin() + static_cast<std::ptrdiff_t>(slot) + 1, recent_.end());
        ++stats_.recentDistances[static_cast<std::size_t>(match.recent)];
        const int length = static_cast<int>(match.length) - (match.recent > 1 ? 3 : 2);
        return {256u + static_cast<unsigned>(match.recent), 0, 0, length};
    }
    const std::uint32_t value = match.distance - 1;
    const auto width = static_cast<unsigned>(std::bit_width(value));
    std::rotate(recent_.begin(), recent_.begin() + 1, recent_.end());
    recent_.back() = value;
    ++stats_.newDistances;
    stats_.longestDistance = std::max(stats_.longestDistance, match.distance);
    const int length = static_cast<int>(match.length - lengthBase(value));
    if (width < 2)
        return {260 + width, 0, 0, length};
    return {260 + width, value - (1u << (width - 1)), width - 1, length};
}

std::string Lz77Encoder::encode(std::string_view data) {
    recent_.fill(0);
    const std::size_t start = history_.size();
    history_ += data;
    std::vector<Symbol> symbols;
    for (std::size_t position = start; position < history_.size();) {
        const Match match = bestMatch(position, history_.size());
        if (match.length == 0) {
            symbols.push_back({static_cast<unsigned char>(history_[position]), 0, 0, -1});
            ++stats_.literals;
            index(position++);
            continue;
        }
        symbols.push_back(symbolFor(match));
        for (std::uint32_t i = 0; i < match.length; ++i)
            index(position++);
    }
    return writeBlocks(symbols);
}

std::string Lz77Encoder::encodeModeSwitch() {
    return writeBlocks({{kModeSwitch, 0, 0, -1}});
}

std::string Lz77Encoder::writeBlocks(const std::vector<Symbol>& symbols) {
    BitWriter out;
    for (std::size_t first = 0; first < symbols.size(); first += symbolsPerBlock_) {
        const std::size_t count = std::min<std::size_t>(symbolsPerBlock_, symbols.size() - first);
        const std::vector<Code> mainCodes = writeTable(out, mainWidths(stats_.blocks));
        const std::vector<Code> lengthCodes = writeTable(out, lengthWidths(stats_.blocks));
        ++stats_.blocks;
        out.put(static_cast<std::uint32_t>(count), 15);
        for (std::size_t i = first; i < first + count; ++i) {
            const Symbol& symbol = symbols[i];
            out.put(mainCodes[symbol.main].bits, mainCodes[symbol.main].width);
            out.put(symbol.extra, symbol.extraBits);
            if (symbol.length >= 0)
                out.put(lengthCodes[static_cast<std::size_t>(symbol.length)].bits,
                        lengthCodes[static_cast<std::size_t>(symbol.length)].width);
        }
    }
    return out.finish();
}

}  // namespace q32::ace::testing
