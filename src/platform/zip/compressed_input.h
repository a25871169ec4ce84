// The compressed bytes of one member: either already in memory (a member of
// a batch read in one piece) or read from the archive a chunk at a time;
// for an encrypted member, decrypted on the way out.
#pragma once

#include <cstdint>
#include "platform/zip/byte_buffer.h"

#include "platform/zip/archive_file.h"

namespace q32::zip {

// Decrypts a member's data as it is read, and sees every byte of it.
class InputCipher {
public:
    virtual ~InputCipher() = default;
    virtual void decrypt(const unsigned char* from, unsigned char* to, std::size_t length) = 0;
    // Bytes the decoder did not need: seen (for an authentication code), not decrypted.
    virtual void pass(const unsigned char* data, std::size_t length) = 0;
};

class CompressedInput {
public:
    CompressedInput(const unsigned char* memory, std::uint64_t length);
    CompressedInput(const ArchiveFile& file, std::uint64_t offset, std::uint64_t length,
                    ByteBuffer& chunk);

    // From now on each piece goes through `cipher` into `plain` (at most its
    // size at a time). Both must outlive the reading.
    void decryptWith(InputCipher& cipher, ByteBuffer& plain);

    enum class Status { Data, End, ReadError, Truncated };
    // The next piece in `data`/`length`, or why there is none.
    Status next(const unsigned char*& data, std::size_t& length);
    // Reads what is left and shows it to the cipher; End when all was read.
    Status passRest();

private:
    Status nextStored(const unsigned char*& data, std::size_t& length);

    const unsigned char* memory_ = nullptr;
    const ArchiveFile* file_ = nullptr;
    ByteBuffer* chunk_ = nullptr;
    InputCipher* cipher_ = nullptr;
    ByteBuffer* plain_ = nullptr;
    std::uint64_t offset_ = 0;
    std::uint64_t remaining_ = 0;
};

}  // namespace q32::zip
