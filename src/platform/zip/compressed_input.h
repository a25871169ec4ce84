// The compressed bytes of one member: either already in memory (a member of
// a batch read in one piece) or read from the archive a chunk at a time.
#pragma once

#include <cstdint>
#include "platform/zip/byte_buffer.h"

#include "platform/zip/archive_file.h"

namespace q32::zip {

class CompressedInput {
public:
    CompressedInput(const unsigned char* memory, std::uint64_t length);
    CompressedInput(const ArchiveFile& file, std::uint64_t offset, std::uint64_t length,
                    ByteBuffer& chunk);

    enum class Status { Data, End, ReadError, Truncated };
    // The next piece in `data`/`length`, or why there is none.
    Status next(const unsigned char*& data, std::size_t& length);

private:
    const unsigned char* memory_ = nullptr;
    const ArchiveFile* file_ = nullptr;
    ByteBuffer* chunk_ = nullptr;
    std::uint64_t offset_ = 0;
    std::uint64_t remaining_ = 0;
};

}  // namespace q32::zip
