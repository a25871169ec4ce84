// Memory for the engine's large arrays and buffers: those that are written
// through soon after they are made (the directory's entries, the planned
// members, batches read in one piece). Fresh memory costs a page fault per
// 4 KB page when first written, and on virtual machines a fault costs
// several microseconds: a 20,000-member directory spent most of its reading
// time there. Blocks from BulkThreshold up are mapped on their own, aligned
// for transparent huge pages, so that one fault brings in 2 MB; smaller
// ones come from the ordinary heap. Where huge pages are off, this is an
// ordinary mapping.
#pragma once

#include <cstddef>
#include <vector>

namespace q32::zip {

inline constexpr std::size_t BulkThreshold = 128 << 10;

// Throws std::bad_alloc when the memory cannot be had.
void* allocateBulk(std::size_t bytes);
void releaseBulk(void* block, std::size_t bytes) noexcept;

template <class T>
class BulkAllocator {
public:
    using value_type = T;

    BulkAllocator() = default;
    template <class U>
    BulkAllocator(const BulkAllocator<U>&) noexcept {}

    T* allocate(std::size_t count) { return static_cast<T*>(allocateBulk(count * sizeof(T))); }
    void deallocate(T* block, std::size_t count) noexcept { releaseBulk(block, count * sizeof(T)); }

    friend bool operator==(const BulkAllocator&, const BulkAllocator&) { return true; }
};

template <class T>
using BulkVector = std::vector<T, BulkAllocator<T>>;

}  // namespace q32::zip
