// The archiver's CRC-32: the usual reflected polynomial 0xEDB88320, started
// at 0xFFFFFFFF, but never inverted at the end. Header checks are its low
// 16 bits, taken over the header from its type byte on.
#pragma once

#include <cstddef>
#include <cstdint>

namespace q32::ace {

constexpr std::uint32_t kCrcStart = 0xFFFFFFFFu;

std::uint32_t updateCrc(std::uint32_t crc, const std::uint8_t* data, std::size_t size);

inline std::uint32_t aceCrc32(const std::uint8_t* data, std::size_t size) {
    return updateCrc(kCrcStart, data, size);
}

inline std::uint16_t headerCheck(const std::uint8_t* body, std::size_t size) {
    return static_cast<std::uint16_t>(aceCrc32(body, size) & 0xFFFFu);
}

}  // namespace q32::ace
