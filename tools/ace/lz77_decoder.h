// The ACE 1.0 LZ77 method. A member's stream is a run of blocks; each block
// starts with two code tables (main symbols, copy lengths) and a 15-bit
// symbol count. Main symbols are:
//   0-255    a literal byte
//   256-259  a copy at one of the last four distances (most recent first)
//   260-282  a copy at a new distance sent in the next 0-21 bits
//   283      a compression mode switch, used only by the ACE 2.0 method
// Copies read their length from the length table. Output goes through a
// 4 MiB window that a solid archive keeps from member to member; stored
// members pass through it as well. The window grows with the output until
// it is full, so small archives need little memory; before the first byte
// it reads as zeros.
#pragma once

#include "bit_reader.h"
#include "huffman_table.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace q32::ace {

using OutputFn = std::function<void(const std::uint8_t*, std::size_t)>;

class Lz77Decoder {
public:
    static constexpr std::uint32_t kWindowSize = 1u << 22;
    static constexpr unsigned kMainSymbols = 284;
    static constexpr unsigned kLengthSymbols = 255;
    static constexpr unsigned kModeSwitchSymbol = 283;

    // Decodes one member of `size` bytes from `bits` and hands it to `out`.
    void decodeMember(BitReader& bits, std::uint64_t size, const OutputFn& out);

    // Records the bytes of a stored member in the window.
    void passStored(const std::uint8_t* data, std::size_t size);

private:
    void startBlock(BitReader& bits);
    std::uint32_t decodeSymbol(BitReader& bits, std::uint64_t bytesLeft);
    std::uint32_t copyAtRecentDistance(BitReader& bits, unsigned which, std::uint64_t bytesLeft);
    std::uint32_t copyAtNewDistance(BitReader& bits, unsigned distanceBits, std::uint64_t bytesLeft);
    std::uint32_t copy(std::uint32_t distance, std::uint32_t length, std::uint64_t bytesLeft);
    void put(std::uint8_t byte);
    std::uint8_t byteBack(std::uint32_t back) const;
    void flush(const OutputFn& out);
    bool windowFull() const { return window_.size() == kWindowSize; }
    void reserveWindow(std::size_t extra);

    std::vector<std::uint8_t> window_;   // grows to kWindowSize, then wraps
    std::uint32_t position_ = 0;         // where the next byte goes
    std::uint32_t pending_ = 0;          // bytes in the window not yet handed out
    std::array<std::uint32_t, 4> recentDistances_{};  // last one at the back
    std::uint32_t symbolsLeftInBlock_ = 0;
    HuffmanTable mainTable_;
    HuffmanTable lengthTable_;
};

}  // namespace q32::ace
