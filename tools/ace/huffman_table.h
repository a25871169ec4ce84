// Prefix codes as the archiver sends them: only the width of each symbol's
// code travels in the stream, and both sides derive the codes from the
// widths in the same way. Decoding looks the next `maxWidth` bits up in a
// table.
#pragma once

#include "bit_reader.h"

#include <array>
#include <cstdint>

namespace q32::ace {

class HuffmanTable {
public:
    static constexpr unsigned kMaxWidth = 11;
    static constexpr unsigned kMaxSymbols = 285;
    static constexpr std::uint16_t kNoSymbol = 0xFFFF;

    // Builds the table for `count` symbols whose code widths are given
    // (0 = symbol unused). Throws AceError when the widths form no code.
    void build(unsigned maxWidth, const std::uint8_t* widths, unsigned count);

    // Reads the code widths of up to `symbolCount` + 1 symbols from a block
    // header and builds the table from them.
    void readFrom(BitReader& bits, unsigned maxWidth, unsigned symbolCount);

    unsigned decode(BitReader& bits) const;

    // What the table holds, for writing streams that this table decodes.
    unsigned maxWidth() const { return maxWidth_; }
    std::uint16_t symbolAt(std::uint32_t index) const { return table_[index]; }
    unsigned widthOf(unsigned symbol) const { return widths_[symbol]; }

private:
    std::array<std::uint16_t, 1u << kMaxWidth> table_{};
    std::array<std::uint8_t, kMaxSymbols + 1> widths_{};
    unsigned maxWidth_ = 0;
};

}  // namespace q32::ace
