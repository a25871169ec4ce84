// A growable byte buffer that leaves new bytes uninitialised: buffers that
// are about to be overwritten by a read are not cleared first.
#pragma once

#include <cstddef>
#include <memory>

namespace q32::zip {

class ByteBuffer {
public:
    ByteBuffer() = default;
    explicit ByteBuffer(std::size_t size) { resize(size); }

    void resize(std::size_t size) {
        if (size > capacity_) {
            bytes_ = std::make_unique_for_overwrite<unsigned char[]>(size);
            capacity_ = size;
        }
        size_ = size;
    }
    unsigned char* data() { return bytes_.get(); }
    const unsigned char* data() const { return bytes_.get(); }
    std::size_t size() const { return size_; }

private:
    std::unique_ptr<unsigned char[]> bytes_;
    std::size_t capacity_ = 0;
    std::size_t size_ = 0;
};

}  // namespace q32::zip
