#include "platform/zip/prefix_code.h"

#include <algorithm>
#include <array>

namespace q32::zip {

std::uint16_t reverseBits(std::uint16_t code, unsigned length) {
    std::uint16_t reversed = 0;
    for (unsigned i = 0; i < length; ++i) reversed = static_cast<std::uint16_t>((reversed << 1) | ((code >> i) & 1));
    return reversed;
}

bool PrefixCode::build(std::span<const std::uint16_t> codes, std::span<const std::uint8_t> lengths) {
    const std::uint8_t longest = lengths.empty() ? 0 : *std::max_element(lengths.begin(), lengths.end());
    if (longest > MaxLength) return false;
    bits_ = std::max<unsigned>(longest, 1);
    table_.assign(std::size_t{1} << bits_, 0);
    for (std::size_t symbol = 0; symbol < lengths.size(); ++symbol) {
        const unsigned length = lengths[symbol];
        if (length == 0) continue;
        const std::uint32_t entry = (length << 16) | static_cast<std::uint32_t>(symbol);
        for (std::size_t index = codes[symbol]; index < table_.size(); index += std::size_t{1} << length) {
            if (table_[index] != 0) return false;
            table_[index] = entry;
        }
    }
    return true;
}

bool PrefixCode::buildCanonical(std::span<const std::uint8_t> lengths) {
    std::array<std::uint16_t, MaxLength + 2> count{};
    for (const std::uint8_t length : lengths) {
        if (length > MaxLength) return false;
        ++count[length];
    }
    count[0] = 0;
    std::array<std::uint32_t, MaxLength + 2> next{};
    std::uint32_t code = 0;
    for (unsigned length = 1; length <= MaxLength; ++length) {
        code = (code + count[length - 1]) << 1;
        next[length] = code;
        if (code + count[length] > (std::uint32_t{1} << length)) return false;
    }
    std::vector<std::uint16_t> codes(lengths.size(), 0);
    for (std::size_t symbol = 0; symbol < lengths.size(); ++symbol) {
        const unsigned length = lengths[symbol];
        if (length != 0) codes[symbol] = reverseBits(static_cast<std::uint16_t>(next[length]++), length);
    }
    return build(codes, lengths);
}

}  // namespace q32::zip
