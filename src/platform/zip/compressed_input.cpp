#include "platform/zip/compressed_input.h"

#include <algorithm>

namespace q32::zip {

CompressedInput::CompressedInput(const unsigned char* memory, std::uint64_t length)
    : memory_(memory), remaining_(length) {}

CompressedInput::CompressedInput(const ArchiveFile& file, std::uint64_t offset, std::uint64_t length,
                                 ByteBuffer& chunk)
    : file_(&file), chunk_(&chunk), offset_(offset), remaining_(length) {}

void CompressedInput::decryptWith(InputCipher& cipher, ByteBuffer& plain) {
    cipher_ = &cipher;
    plain_ = &plain;
}

CompressedInput::Status CompressedInput::next(const unsigned char*& data, std::size_t& length) {
    const Status status = nextStored(data, length);
    if (status != Status::Data || !cipher_) return status;
    cipher_->decrypt(data, plain_->data(), length);
    data = plain_->data();
    return status;
}

CompressedInput::Status CompressedInput::passRest() {
    const unsigned char* data = nullptr;
    std::size_t length = 0;
    Status status;
    while ((status = nextStored(data, length)) == Status::Data) {
        if (cipher_) cipher_->pass(data, length);
    }
    return status;
}

CompressedInput::Status CompressedInput::nextStored(const unsigned char*& data, std::size_t& length) {
    if (remaining_ == 0) return Status::End;
    const std::uint64_t most = cipher_ ? plain_->size() : UINT64_MAX;
    if (memory_) {
        // In-memory members are batch members, far below 4 GB.
        data = memory_;
        length = static_cast<std::size_t>(std::min(remaining_, most));
        memory_ += length;
        remaining_ -= length;
        return Status::Data;
    }
    const std::size_t want = static_cast<std::size_t>(std::min({remaining_, std::uint64_t{chunk_->size()}, most}));
    const std::int64_t got = file_->readAt(offset_, chunk_->data(), want);
    if (got < 0) return Status::ReadError;
    if (static_cast<std::size_t>(got) < want) return Status::Truncated;
    data = chunk_->data();
    length = want;
    offset_ += want;
    remaining_ -= want;
    return Status::Data;
}

}  // namespace q32::zip
