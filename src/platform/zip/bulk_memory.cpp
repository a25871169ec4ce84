#include "platform/zip/bulk_memory.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>

namespace q32::zip {

namespace {

constexpr std::size_t HugePage = 2 << 20;

// Under AddressSanitizer (the fuzz build) every block comes from the heap,
// so that the sanitizer knows where each one ends.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool HeapOnly = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool HeapOnly = true;
#else
constexpr bool HeapOnly = false;
#endif
#else
constexpr bool HeapOnly = false;
#endif

bool fromHeap(std::size_t bytes) { return HeapOnly || bytes < BulkThreshold; }

std::size_t mappedSize(std::size_t bytes) { return (bytes + HugePage - 1) / HugePage * HugePage; }

}  // namespace

void* allocateBulk(std::size_t bytes) {
    if (fromHeap(bytes)) return ::operator new(bytes);
    const std::size_t size = mappedSize(bytes);
    void* raw = ::mmap(nullptr, size + HugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (start + HugePage - 1) / HugePage * HugePage;
    if (aligned > start) ::munmap(raw, aligned - start);
    const std::uintptr_t tail = aligned + size;
    if (start + size + HugePage > tail) ::munmap(reinterpret_cast<void*>(tail), start + size + HugePage - tail);
    void* block = reinterpret_cast<void*>(aligned);
    ::madvise(block, size, MADV_HUGEPAGE);
    return block;
}

void releaseBulk(void* block, std::size_t bytes) noexcept {
    if (!block) return;
    if (fromHeap(bytes)) {
        ::operator delete(block);
        return;
    }
    ::munmap(block, mappedSize(bytes));
}

}  // namespace q32::zip
