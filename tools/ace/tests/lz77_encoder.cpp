#include "lz77_encoder.h"

#include "huffman_table.h"
#include "support/run_tool.h"

#include <algorithm>
#include <bit>

namespace q32::ace::testing {
namespace {

constexpr std::uint32_t kLongestDistance = 1u << 22;

struct Code {
    std::uint32_t bits = 0;
    unsigned width = 0;
};

// Bits are kept as '0' and '1', first bit first.
void put(std::string& bits, std::uint32_t value, unsigned count) {
    for (unsigned i = count; i-- > 0;)
        bits += static_cast<char>('0' + ((value >> i) & 1u));
}

void put(std::string& bits, const Code& code) { put(bits, code.bits, code.width); }

// Words go out little-endian, their first bit in the top position.
std::string packWords(std::string bits) {
    bits.resize((bits.size() + 31) / 32 * 32, '0');
    std::string out;
    for (std::size_t word = 0; word < bits.size(); word += 32)
        out += q32::test::littleEndian({{std::stoul(bits.substr(word, 32), nullptr, 2), 4}});
    return out;
}

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

// Code widths that change from block to block; every symbol has one.
std::vector<std::uint8_t> mainWidths(std::size_t block) {
    std::vector<std::uint8_t> widths(284);
    for (unsigned s = 0; s < widths.size(); ++s) {
        if (block % 2 == 0)
            widths[s] = s < 256 ? 9 : s < 260 ? 7 : 8;
        else
            widths[s] = s < 128 ? 8 : s < 256 ? 10 : s < 260 ? 6 : 9;
    }
    return widths;
}

std::vector<std::uint8_t> lengthWidths(std::size_t block) {
    std::vector<std::uint8_t> widths(256);
    for (unsigned s = 0; s < widths.size(); ++s)
        widths[s] = block % 2 == 0 ? (s < 16 ? 6 : 9) : 8;
    return widths;
}

// Sends code widths the way a block header carries them: each as its
// difference from the one before modulo the zero-run code, runs of four or
// more zero differences as one zero-run code, all under a code of width 4.
// Returns the codes the widths give.
std::vector<Code> writeTable(std::string& bits, const std::vector<std::uint8_t>& widths) {
    const unsigned base = *std::min_element(widths.begin(), widths.end()) - 1u;
    const unsigned zeroRun = *std::max_element(widths.begin(), widths.end()) - base + 1;
    const std::vector<std::uint8_t> widthCodeWidths(zeroRun + 1, 4);
    HuffmanTable widthTable;
    widthTable.build(7, widthCodeWidths.data(), zeroRun + 1);
    const std::vector<Code> widthCodes = codesOf(widthTable, zeroRun + 1);

    put(bits, static_cast<std::uint32_t>(widths.size() - 1), 9);
    put(bits, base, 4);
    put(bits, zeroRun, 4);
    for (std::uint8_t width : widthCodeWidths)
        put(bits, width, 3);
    unsigned previous = 0;
    for (std::size_t i = 0; i < widths.size();) {
        std::size_t run = 0;
        while (i + run < widths.size() && widths[i + run] - base == previous && run < 19)
            ++run;
        if (run >= 4) {
            put(bits, widthCodes[zeroRun]);
            put(bits, static_cast<std::uint32_t>(run - 4), 4);
            i += run;
            continue;
        }
        const unsigned value = widths[i++] - base;
        put(bits, widthCodes[(value + zeroRun - previous) % zeroRun]);
        previous = value;
    }
    HuffmanTable table;
    table.build(HuffmanTable::kMaxWidth, widths.data(), static_cast<unsigned>(widths.size()));
    return codesOf(table, static_cast<unsigned>(widths.size()));
}

std::uint32_t lengthBase(std::uint32_t decoderDistance) {
    return decoderDistance <= 255 ? 2 : decoderDistance <= 8191 ? 3 : 4;
}

}  // namespace

void Lz77Encoder::remember(std::string_view data) {
    history_ += data;
    for (std::size_t position = history_.size() - data.size(); position < history_.size(); ++position)
        see(position);
}

void Lz77Encoder::see(std::size_t position) { lastSeen_[history_.substr(position, 3)] = position; }

void Lz77Encoder::forget() {
    history_.clear();
    lastSeen_.clear();
}

// How many bytes from `position` on repeat those `distance` before them, up
// to the longest copy; none when fewer than `shortest`.
std::uint32_t Lz77Encoder::matchLength(std::size_t position, std::uint32_t distance, std::uint32_t shortest) const {
    if (distance > position || distance > kLongestDistance)
        return 0;
    std::uint32_t length = 0;
    while (length < 255 + shortest && position + length < history_.size() &&
           history_[position + length] == history_[position + length - distance])
        ++length;
    return length >= shortest ? length : 0;
}

Lz77Encoder::Symbol Lz77Encoder::copySymbol(const Copy& copy) {
    if (copy.recent >= 0) {
        const auto slot = recent_.begin() + (3 - copy.recent);
        std::rotate(slot, slot + 1, recent_.end());
        ++stats_.recentDistances[static_cast<std::size_t>(copy.recent)];
        const int length = static_cast<int>(copy.length) - (copy.recent > 1 ? 3 : 2);
        return {256u + static_cast<unsigned>(copy.recent), 0, 0, length};
    }
    const std::uint32_t value = copy.distance - 1;
    const auto width = static_cast<unsigned>(std::bit_width(value));
    std::rotate(recent_.begin(), recent_.begin() + 1, recent_.end());
    recent_.back() = value;
    ++stats_.newDistances;
    stats_.longestDistance = std::max(stats_.longestDistance, copy.distance);
    // Widths 0 and 1 stand for themselves; wider ones send all but the top bit.
    const unsigned extraBits = width < 2 ? 0 : width - 1;
    const auto length = static_cast<int>(copy.length - lengthBase(value));
    return {260 + width, value & ((1u << extraBits) - 1), extraBits, length};
}

std::string Lz77Encoder::encode(std::string_view data) {
    recent_.fill(0);
    const std::size_t start = history_.size();
    history_ += data;
    std::vector<Symbol> symbols;
    for (std::size_t position = start; position < history_.size();) {
        // The longest copy at a recent distance or back to where these three
        // bytes were last seen; length 1 stands for a literal.
        Copy best{-1, 0, 1};
        for (int which = 0; which < 4; ++which) {
            const std::uint32_t distance = recent_[static_cast<std::size_t>(3 - which)] + 1;
            const std::uint32_t length = matchLength(position, distance, which > 1 ? 3 : 2);
            if (length > best.length)
                best = {which, distance, length};
        }
        const auto seen = lastSeen_.find(history_.substr(position, 3));
        if (seen != lastSeen_.end()) {
            const auto distance = static_cast<std::uint32_t>(position - seen->second);
            const std::uint32_t length = matchLength(position, distance, lengthBase(distance - 1));
            if (length > best.length)
                best = {-1, distance, length};
        }
        if (best.length == 1) {
            symbols.push_back({static_cast<unsigned char>(history_[position]), 0, 0, -1});
            ++stats_.literals;
        } else {
            symbols.push_back(copySymbol(best));
        }
        for (std::uint32_t i = 0; i < best.length; ++i)
            see(position++);
    }
    return writeBlocks(symbols);
}

std::string Lz77Encoder::encodeModeSwitch() { return writeBlocks({{283, 0, 0, -1}}); }

std::string Lz77Encoder::writeBlocks(const std::vector<Symbol>& symbols) {
    std::string bits;
    for (std::size_t first = 0; first < symbols.size(); first += symbolsPerBlock_) {
        const std::size_t count = std::min<std::size_t>(symbolsPerBlock_, symbols.size() - first);
        const std::vector<Code> mainCodes = writeTable(bits, mainWidths(stats_.blocks));
        const std::vector<Code> lengthCodes = writeTable(bits, lengthWidths(stats_.blocks));
        ++stats_.blocks;
        put(bits, static_cast<std::uint32_t>(count), 15);
        for (std::size_t i = first; i < first + count; ++i) {
            const Symbol& symbol = symbols[i];
            put(bits, mainCodes[symbol.main]);
            put(bits, symbol.extra, symbol.extraBits);
            if (symbol.length >= 0)
                put(bits, lengthCodes[static_cast<std::size_t>(symbol.length)]);
        }
    }
    return packWords(std::move(bits));
}

}  // namespace q32::ace::testing
