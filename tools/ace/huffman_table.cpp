#include "huffman_table.h"

#include "ace_error.h"

#include <algorithm>
#include <utility>

namespace q32::ace {
namespace {

constexpr unsigned kWidthCodeMaxWidth = 7;   // the code that sends the widths
constexpr unsigned kMaxWidthCodes = 16;

[[noreturn]] void badCode() {
    throw AceError(AceResult::Damaged, "compressed data holds an invalid code table");
}

struct WidthOrder {
    std::uint8_t* widths;
    std::uint16_t* symbols;

    void swap(int a, int b) {
        std::swap(widths[a], widths[b]);
        std::swap(symbols[a], symbols[b]);
    }

    // Orders symbols widest first. Symbols of equal width end up in the
    // order this partition scheme leaves them in, and the archiver assigns
    // codes in that order, so the scheme must stay exactly as it is.
    void sort(int left, int right) {
        const std::uint8_t pivot = widths[right];
        int low = left;
        int high = right;
        for (;;) {
            while (widths[low] > pivot)
                ++low;
            while (widths[high] < pivot)
                --high;
            if (low <= high)
                swap(low++, high--);
            if (low >= high)
                break;
        }
        sortOrSwapPair(left, high);
        sortOrSwapPair(low, right);
    }

    void sortOrSwapPair(int left, int right) {
        if (left >= right)
            return;
        if (left < right - 1)
            sort(left, right);
        else if (widths[left] < widths[right])
            swap(left, right);
    }
};

}  // namespace

void HuffmanTable::build(unsigned maxWidth, const std::uint8_t* widths, unsigned count) {
    if (count == 0 || count > kMaxSymbols + 1 || maxWidth > kMaxWidth)
        badCode();
    maxWidth_ = maxWidth;
    widths_.fill(0);
    std::copy(widths, widths + count, widths_.begin());

    std::array<std::uint8_t, kMaxSymbols + 1> sortedWidths{};
    std::array<std::uint16_t, kMaxSymbols + 1> symbols{};
    std::copy(widths, widths + count, sortedWidths.begin());
    for (unsigned i = 0; i < count; ++i)
        symbols[i] = static_cast<std::uint16_t>(i);
    WidthOrder{sortedWidths.data(), symbols.data()}.sort(0, static_cast<int>(count) - 1);

    unsigned used = 0;
    while (used < count && sortedWidths[used] != 0)
        ++used;
    if (used < 2) {
        // One symbol or none: the first one gets a one-bit code.
        widths_[symbols[0]] = 1;
        used = 1;
    }

    const std::uint32_t tableSize = 1u << maxWidth;
    std::uint32_t position = 0;
    table_.fill(kNoSymbol);
    for (int i = static_cast<int>(used) - 1; i >= 0 && position < tableSize; --i) {
        if (sortedWidths[i] > maxWidth)
            badCode();
        const std::uint32_t span = 1u << (maxWidth - sortedWidths[i]);
        if (position + span > tableSize)
            badCode();
        std::fill_n(table_.begin() + position, span, symbols[i]);
        position += span;
    }
}

void HuffmanTable::readFrom(BitReader& bits, unsigned maxWidth, unsigned symbolCount) {
    const unsigned count = std::min(bits.read(9) + 1, symbolCount + 1);
    const unsigned lowestWidth = bits.read(4);
    const unsigned zeroRunCode = bits.read(4);

    std::array<std::uint8_t, kMaxWidthCodes> widthCodeWidths{};
    for (unsigned i = 0; i <= zeroRunCode; ++i)
        widthCodeWidths[i] = static_cast<std::uint8_t>(bits.read(3));
    HuffmanTable widthCode;
    widthCode.build(kWidthCodeMaxWidth, widthCodeWidths.data(), zeroRunCode + 1);

    // Each width is sent as its difference from the one before, modulo the
    // zero-run code; the zero-run code itself stands for 4 to 19 zero
    // differences.
    std::array<std::uint8_t, kMaxSymbols + 1> widths{};
    unsigned position = 0;
    while (position < count) {
        const unsigned code = widthCode.decode(bits);
        if (code < zeroRunCode) {
            widths[position++] = static_cast<std::uint8_t>(code);
            continue;
        }
        const unsigned run = bits.read(4) + 4;
        position = std::min(count, position + run);  // widths[] is zero there already
    }
    if (zeroRunCode > 0) {
        for (unsigned i = 1; i < count; ++i)
            widths[i] = static_cast<std::uint8_t>((widths[i] + widths[i - 1]) % zeroRunCode);
    }
    for (unsigned i = 0; i < count; ++i) {
        if (widths[i] > 0)
            widths[i] = static_cast<std::uint8_t>(widths[i] + lowestWidth);
    }
    build(maxWidth, widths.data(), count);
}

unsigned HuffmanTable::decode(BitReader& bits) const {
    const std::uint16_t symbol = table_[bits.peek(maxWidth_)];
    if (symbol == kNoSymbol)
        throw AceError(AceResult::Damaged, "compressed data holds a code that its table lacks");
    bits.skip(widths_[symbol]);
    return symbol;
}

}  // namespace q32::ace
