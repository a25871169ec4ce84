// A growable byte buffer that leaves new bytes uninitialised: buffers that
// are about to be overwritten by a read are not cleared first. Large ones
// come with their pages already present (see bulk_memory.h).
#pragma once

#include <cstddef>
#include <utility>

#include "platform/zip/bulk_memory.h"

namespace q32::zip {

class ByteBuffer {
public:
    ByteBuffer() = default;
    explicit ByteBuffer(std::size_t size) { resize(size); }
    ~ByteBuffer() { releaseBulk(bytes_, capacity_); }
    ByteBuffer(const ByteBuffer&) = delete;
    ByteBuffer& operator=(const ByteBuffer&) = delete;

    void resize(std::size_t size) {
        if (size > capacity_) {
            unsigned char* larger = static_cast<unsigned char*>(allocateBulk(size));
            releaseBulk(bytes_, capacity_);
            bytes_ = larger;
            capacity_ = size;
        }
        size_ = size;
    }
    unsigned char* data() { return bytes_; }
    const unsigned char* data() const { return bytes_; }
    std::size_t size() const { return size_; }

private:
    unsigned char* bytes_ = nullptr;
    std::size_t capacity_ = 0;
    std::size_t size_ = 0;
};

}  // namespace q32::zip
