#include "platform/zip/compressed_input.h"

#include <algorithm>

namespace q32::zip {

CompressedInput::CompressedInput(const unsigned char* memory, std::uint64_t length)
    : memory_(memory), remaining_(length) {}

CompressedInput::CompressedInput(const ArchiveFile& file, std::uint64_t offset, std::uint64_t length,
                                 ByteBuffer& chunk)
    : file_(&file), chunk_(&chunk), offset_(offset), remaining_(length) {}

CompressedInput::Status CompressedInput::next(const unsigned char*& data, std::size_t& length) {
    if (remaining_ == 0) return Status::End;
    if (memory_) {
        // In-memory members are batch members, far below 4 GB.
        data = memory_;
        length = static_cast<std::size_t>(remaining_);
        remaining_ = 0;
        return Status::Data;
    }
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(remaining_, chunk_->size()));
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
