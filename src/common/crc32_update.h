// The CRC-32 of the reflected polynomial 0xEDB88320 as a running value,
// without the inversions before and after a whole CRC: each user starts and
// ends it in its own way (ZIP's traditional cipher keys, the ACE archiver's
// never-inverted CRC).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace q32 {

namespace crc32_detail {

constexpr std::array<std::uint32_t, 256> makeTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int bit = 0; bit < 8; ++bit) c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

inline constexpr std::array<std::uint32_t, 256> kTable = makeTable();

}  // namespace crc32_detail

constexpr std::uint32_t crc32Step(std::uint32_t crc, std::uint8_t byte) {
    return crc32_detail::kTable[(crc ^ byte) & 0xFFu] ^ (crc >> 8);
}

constexpr std::uint32_t crc32Update(std::uint32_t crc, const std::uint8_t* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) crc = crc32Step(crc, data[i]);
    return crc;
}

}  // namespace q32
