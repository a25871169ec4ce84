// A small LZ77 encoder for the tests: greedy copies at the recent distances
// or back to where the next three bytes were last seen, fixed code widths
// that change from block to block, every kind of symbol the ACE 1.0 method
// has. It makes streams the reader must decode back to the same bytes.
#pragma once

#include "huffman_table.h"
#include "support/run_tool.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace q32::ace::testing {

struct Lz77Stats {
    std::size_t literals = 0;
    std::size_t newDistances = 0;
    std::array<std::size_t, 4> recentDistances{};  // by how recent
    std::size_t blocks = 0;
    std::uint32_t longestDistance = 0;
};

namespace lz77 {

constexpr std::uint32_t kLongestDistance = 1u << 22;

struct Code {
    std::uint32_t bits = 0;
    unsigned width = 0;
};

// Bits are kept as '0' and '1', first bit first.
inline void put(std::string& bits, std::uint32_t value, unsigned count) {
    for (unsigned i = count; i-- > 0;)
        bits += static_cast<char>('0' + ((value >> i) & 1u));
}

inline void put(std::string& bits, const Code& code) { put(bits, code.bits, code.width); }

// Words go out little-endian, their first bit in the top position.
inline std::string packWords(std::string bits) {
    bits.resize((bits.size() + 31) / 32 * 32, '0');
    std::string out;
    for (std::size_t word = 0; word < bits.size(); word += 32)
        out += q32::test::littleEndian({{std::stoul(bits.substr(word, 32), nullptr, 2), 4}});
    return out;
}

// The code of every symbol of the given widths, read back from the reader's
// own table so that both agree on which code each width gives.
inline std::vector<Code> codesFor(unsigned maxWidth, const std::vector<std::uint8_t>& widths) {
    HuffmanTable table;
    table.build(maxWidth, widths.data(), static_cast<unsigned>(widths.size()));
    std::vector<Code> codes(widths.size());
    for (std::uint32_t index = 0; index < (1u << maxWidth); ++index) {
        const std::uint16_t symbol = table.symbolAt(index);
        if (symbol == HuffmanTable::kNoSymbol || codes[symbol].width != 0)
            continue;
        const unsigned width = table.widthOf(symbol);
        codes[symbol] = {index >> (maxWidth - width), width};
    }
    return codes;
}

// Sends code widths the way a block header carries them: each as its
// difference from the one before modulo the zero-run code, runs of four or
// more zero differences as one zero-run code, all under a code of width 4.
// Returns the codes the widths give.
inline std::vector<Code> writeTable(std::string& bits, const std::vector<std::uint8_t>& widths) {
    const unsigned base = *std::min_element(widths.begin(), widths.end()) - 1u;
    const unsigned zeroRun = *std::max_element(widths.begin(), widths.end()) - base + 1;
    const std::vector<Code> widthCodes = codesFor(7, std::vector<std::uint8_t>(zeroRun + 1, 4));

    put(bits, static_cast<std::uint32_t>(widths.size() - 1), 9);
    put(bits, base, 4);
    put(bits, zeroRun, 4);
    for (unsigned i = 0; i <= zeroRun; ++i)
        put(bits, 4, 3);
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
    return codesFor(HuffmanTable::kMaxWidth, widths);
}

inline std::uint32_t lengthBase(std::uint32_t decoderDistance) {
    return decoderDistance <= 255 ? 2 : decoderDistance <= 8191 ? 3 : 4;
}

}  // namespace lz77

class Lz77Encoder {
public:
    // Bytes that a solid archive's stored member put in the window.
    void remember(std::string_view data) {
        history_ += data;
        for (std::size_t position = history_.size() - data.size(); position < history_.size(); ++position)
            see(position);
    }

    // Starts afresh, as the next member of an archive that is not solid does.
    void forget() {
        history_.clear();
        lastSeen_.clear();
    }

    // The packed form of one member; later members of a solid archive may
    // refer back to it.
    std::string encode(std::string_view data) {
        recent_.fill(0);
        const std::size_t start = history_.size();
        history_ += data;
        std::vector<Symbol> symbols;
        for (std::size_t position = start; position < history_.size();) {
            // The longest copy at a recent distance or back to where these
            // three bytes were last seen; length 1 stands for a literal.
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
                const std::uint32_t length = matchLength(position, distance, lz77::lengthBase(distance - 1));
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

    // A stream whose first symbol switches compression mode (ACE 2.0 only).
    std::string encodeModeSwitch() { return writeBlocks({{283, 0, 0, -1}}); }

    const Lz77Stats& stats() const { return stats_; }

private:
    struct Symbol {
        unsigned main;
        std::uint32_t extra;
        unsigned extraBits;
        int length;  // length symbol, -1 for none
    };
    struct Copy {
        int recent;  // index among the recent distances, -1 for a new one
        std::uint32_t distance;  // 1 = the byte just before
        std::uint32_t length;
    };

    void see(std::size_t position) { lastSeen_[history_.substr(position, 3)] = position; }

    // How many bytes from `position` on repeat those `distance` before them,
    // up to the longest copy; none when fewer than `shortest`.
    std::uint32_t matchLength(std::size_t position, std::uint32_t distance, std::uint32_t shortest) const {
        if (distance > position || distance > lz77::kLongestDistance)
            return 0;
        std::uint32_t length = 0;
        while (length < 255 + shortest && position + length < history_.size() &&
               history_[position + length] == history_[position + length - distance])
            ++length;
        return length >= shortest ? length : 0;
    }

    Symbol copySymbol(const Copy& copy) {
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
        const auto length = static_cast<int>(copy.length - lz77::lengthBase(value));
        return {260 + width, value & ((1u << extraBits) - 1), extraBits, length};
    }

    std::string writeBlocks(const std::vector<Symbol>& symbols) {
        std::string bits;
        for (std::size_t first = 0; first < symbols.size(); first += kSymbolsPerBlock) {
            const std::size_t count = std::min<std::size_t>(kSymbolsPerBlock, symbols.size() - first);
            // Code widths that change from block to block, with steps up and
            // down between neighbours; every symbol has one.
            const bool even = stats_.blocks % 2 == 0;
            std::vector<std::uint8_t> mainWidths(284, even ? 7 : 9);  // literals, then copies
            std::fill_n(mainWidths.begin(), 256, even ? 9 : 10);
            std::vector<std::uint8_t> lengthWidths(256, even ? 9 : 8);
            std::fill_n(lengthWidths.begin(), even ? 16 : 0, 6);
            const std::vector<lz77::Code> mainCodes = lz77::writeTable(bits, mainWidths);
            const std::vector<lz77::Code> lengthCodes = lz77::writeTable(bits, lengthWidths);
            ++stats_.blocks;
            lz77::put(bits, static_cast<std::uint32_t>(count), 15);
            for (std::size_t i = first; i < first + count; ++i) {
                const Symbol& symbol = symbols[i];
                lz77::put(bits, mainCodes[symbol.main]);
                lz77::put(bits, symbol.extra, symbol.extraBits);
                if (symbol.length >= 0)
                    lz77::put(bits, lengthCodes[static_cast<std::size_t>(symbol.length)]);
            }
        }
        return lz77::packWords(std::move(bits));
    }

    static constexpr std::size_t kSymbolsPerBlock = 32767;  // the most a block's count can say

    std::string history_;
    std::unordered_map<std::string, std::size_t> lastSeen_;  // by the three bytes there
    std::array<std::uint32_t, 4> recent_{};  // decoder's values (distance - 1), last at the back
    Lz77Stats stats_;
};

}  // namespace q32::ace::testing
