// Decodes and checks one member's data for every method the engine reads
// other than stored and deflated (which MemberDecoder does itself).
#pragma once

#include <cstdint>

#include "platform/zip/byte_buffer.h"
#include "platform/zip/compressed_input.h"
#include "platform/zip/method_decoders.h"
#include "platform/zip/run_control.h"

namespace q32::zip {

bool methodDecodable(std::uint16_t method);

// A result code: Success, CrcMismatch, BadData, Unsupported, Truncated,
// CannotOpen, CannotWrite or Aborted. `buffer` is scratch room, kept by the caller.
std::int16_t decodeMethod(const MemberFacts& member, CompressedInput& input, ByteSink& sink,
                          WorkerProgress& control, ByteBuffer& buffer);

// The same over compressed bytes in memory, as a fuzz target calls it.
std::int16_t decodeMethodBytes(const MemberFacts& member, const unsigned char* data, std::size_t length,
                               ByteSink& sink);

}  // namespace q32::zip
