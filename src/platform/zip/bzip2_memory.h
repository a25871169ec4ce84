// The large buffers of bzip2 block decoding (some 4 MB a block) kept,
// process-wide, from one block to the next while a member decodes in
// blocks: fresh pages cost more here than decoding a small block's data.
#pragma once

#include <cstddef>

namespace q32::zip {

// While one lives, memory given back is kept for the next block; after the
// last, it is freed.
class Bzip2Memory {
public:
    Bzip2Memory();
    ~Bzip2Memory();
    Bzip2Memory(const Bzip2Memory&) = delete;
    Bzip2Memory& operator=(const Bzip2Memory&) = delete;
};

// `size` bytes, kept ones if there are; nullptr when none can be had.
void* takeBzip2Memory(std::size_t size);
void giveBzip2Memory(void* memory, std::size_t size);

}  // namespace q32::zip
