#include "platform/wav_length.h"

#include <algorithm>
#include <cstdint>

namespace q32 {

namespace {

std::uint32_t le32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return value;
}

constexpr std::size_t kRiffHeader = 12;
constexpr std::size_t kChunkHeader = 8;
// The format chunk's average bytes per second, from the chunk's data.
constexpr std::size_t kByteRateOffset = 8;

}  // namespace

std::optional<std::chrono::milliseconds> wavLength(std::string_view bytes) {
    if (bytes.size() < kRiffHeader || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") return std::nullopt;
    std::uint32_t byteRate = 0;
    std::size_t at = kRiffHeader;
    while (at + kChunkHeader <= bytes.size()) {
        const std::string_view id = bytes.substr(at, 4);
        const std::uint64_t size = le32(bytes, at + 4);
        const std::size_t data = at + kChunkHeader;
        if (id == "fmt " && size >= kByteRateOffset + 4 && data + kByteRateOffset + 4 <= bytes.size()) {
            byteRate = le32(bytes, data + kByteRateOffset);
        } else if (id == "data") {
            if (byteRate == 0) return std::nullopt;
            const std::uint64_t present = std::min<std::uint64_t>(size, bytes.size() - data);
            return std::chrono::milliseconds(present * 1000 / byteRate);
        }
        // Chunks are padded to an even size.
        const std::uint64_t next = data + size + (size & 1);
        if (next > bytes.size()) break;
        at = static_cast<std::size_t>(next);
    }
    return std::nullopt;
}

}  // namespace q32
