#include "platform/zip/bzip2_memory.h"

#include <sys/mman.h>

#include <cstdlib>
#include <mutex>
#include <vector>

namespace q32::zip {

namespace {

class KeptAllocations {
public:
    ~KeptAllocations() { freeAll(); }
    void enter() {
        std::lock_guard lock(mutex_);
        ++users_;
    }
    // The last member decoded in blocks gives the memory back.
    void leave() {
        std::lock_guard lock(mutex_);
        if (--users_ == 0) freeAll();
    }
    void* take(std::size_t size) {
        {
            std::lock_guard lock(mutex_);
            for (std::size_t i = 0; i < kept_.size(); ++i) {
                if (kept_[i].size != size) continue;
                void* memory = kept_[i].memory;
                kept_[i] = kept_.back();
                kept_.pop_back();
                return memory;
            }
        }
        return allocate(size);
    }
    void give(void* memory, std::size_t size) {
        {
            std::lock_guard lock(mutex_);
            if (users_ > 0 && kept_.size() < MaxKept) {
                kept_.push_back({memory, size});
                return;
            }
        }
        std::free(memory);
    }

private:
    // The inverse transform reads its links in an order of its own all over
    // them: on large pages it waits less for the page tables.
    static void* allocate(std::size_t size) {
        if (size < LargePage) return std::malloc(size);
        void* memory = std::aligned_alloc(LargePage, (size + LargePage - 1) / LargePage * LargePage);
        if (memory) madvise(memory, size, MADV_HUGEPAGE);
        return memory;
    }
    void freeAll() {
        for (const Allocation& kept : kept_) std::free(kept.memory);
        kept_.clear();
    }
    struct Allocation {
        void* memory;
        std::size_t size;
    };
    // A few blocks in flight on two to four cores.
    static constexpr std::size_t MaxKept = 16;
    static constexpr std::size_t LargePage = 2 << 20;
    std::mutex mutex_;
    std::vector<Allocation> kept_;
    unsigned users_ = 0;
};

KeptAllocations keptAllocations;

}  // namespace

Bzip2Memory::Bzip2Memory() { keptAllocations.enter(); }

Bzip2Memory::~Bzip2Memory() { keptAllocations.leave(); }

void* takeBzip2Memory(std::size_t size) { return keptAllocations.take(size); }

void giveBzip2Memory(void* memory, std::size_t size) { keptAllocations.give(memory, size); }

}  // namespace q32::zip
