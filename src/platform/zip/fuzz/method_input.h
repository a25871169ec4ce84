// The inputs of the fuzz targets of the engine's own decoders (Shrink,
// Reduce, Implode, Deflate64, bzip2), which feed a decoder straight from memory:
//   a parameter byte, for Reduce (its factor, 1 + byte % 4) and Implode
//   (its flags, byte & 6: 8 KiB window, literal tree) only;
//   the declared uncompressed size, 3 bytes, and the CRC-32, 4 bytes, both
//   little-endian;
//   the compressed data.
// The seed writer (write_seeds.cpp) turns the tests' members into such inputs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/zip/method_decoders.h"

namespace q32::zip::fuzz {

enum class FuzzedDecoder { Shrink, Reduce, Implode, Deflate64, Bzip2 };

inline constexpr std::size_t SizeBytes = 3;  // at most 16 MiB of output an input
inline constexpr std::size_t CrcBytes = 4;

inline bool takesParameter(FuzzedDecoder decoder) {
    return decoder == FuzzedDecoder::Reduce || decoder == FuzzedDecoder::Implode;
}

inline std::optional<FuzzedDecoder> fuzzedDecoderOf(std::uint16_t method) {
    switch (method) {
    case 1: return FuzzedDecoder::Shrink;
    case 2: case 3: case 4: case 5: return FuzzedDecoder::Reduce;
    case 6: return FuzzedDecoder::Implode;
    case 9: return FuzzedDecoder::Deflate64;
    case 12: return FuzzedDecoder::Bzip2;
    default: return std::nullopt;
    }
}

inline std::uint64_t littleEndianAt(const std::uint8_t* bytes, std::size_t count) {
    std::uint64_t value = 0;
    for (std::size_t i = count; i-- > 0;) value = (value << 8) | bytes[i];
    return value;
}

// The member an input describes, and where its compressed data starts;
// nullopt when the input is too short to say.
inline std::optional<MemberFacts> readMethodInput(FuzzedDecoder decoder, const std::uint8_t* input, std::size_t size,
                                                  std::size_t& dataStart) {
    const std::size_t parameterBytes = takesParameter(decoder) ? 1 : 0;
    dataStart = parameterBytes + SizeBytes + CrcBytes;
    if (size < dataStart) return std::nullopt;
    MemberFacts facts;
    const unsigned parameter = parameterBytes ? input[0] : 0;
    switch (decoder) {
    case FuzzedDecoder::Shrink: facts.method = 1; break;
    case FuzzedDecoder::Reduce: facts.method = static_cast<std::uint16_t>(2 + parameter % 4); break;
    case FuzzedDecoder::Implode:
        facts.method = 6;
        facts.flags = static_cast<std::uint16_t>(parameter & 6);
        break;
    case FuzzedDecoder::Deflate64: facts.method = 9; break;
    case FuzzedDecoder::Bzip2: facts.method = 12; break;
    }
    facts.size = littleEndianAt(input + parameterBytes, SizeBytes);
    facts.crc = static_cast<std::uint32_t>(littleEndianAt(input + parameterBytes + SizeBytes, CrcBytes));
    facts.compressedSize = size - dataStart;
    return facts;
}

// The input that gives back this member, for a seed; nullopt for another
// method or a size the input cannot declare.
inline std::optional<std::string> methodInput(const MemberFacts& facts, const std::string& compressed) {
    const auto decoder = fuzzedDecoderOf(facts.method);
    if (!decoder || facts.size >> (8 * SizeBytes) != 0) return std::nullopt;
    std::string input;
    if (*decoder == FuzzedDecoder::Reduce) input += static_cast<char>(facts.method - 2);
    if (*decoder == FuzzedDecoder::Implode) input += static_cast<char>(facts.flags & 6);
    for (std::size_t i = 0; i < SizeBytes; ++i) input += static_cast<char>(facts.size >> (8 * i));
    for (std::size_t i = 0; i < CrcBytes; ++i) input += static_cast<char>(facts.crc >> (8 * i));
    return input + compressed;
}

}  // namespace q32::zip::fuzz
