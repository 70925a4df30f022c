#include "song/event_pool.h"

#include <memory>
#include <mutex>
#include <new>
#include <vector>

#ifdef __linux__
#include <sys/mman.h>
#endif

#ifndef TAVRINO_EVENT_POOL
#define TAVRINO_EVENT_POOL 1
#endif

namespace tavrino::detail {

#if TAVRINO_EVENT_POOL

namespace {

// Slabs of 2 MiB, aligned to that: where the system offers huge pages, a slab
// is faulted in at once instead of page by page, which is much of the cost of
// loading a long song in a fresh process.
constexpr std::size_t kSlabBytes = std::size_t{2} << 20;
constexpr std::size_t kBlocksPerSlab = kSlabBytes / kEventBlockSize;

struct FreeBlock {
    FreeBlock* next;
};

// Slabs live as long as the process: blocks of a thread's free list may point
// into any of them.
class SlabStore {
public:
    std::byte* NewSlab() {
        std::lock_guard lock(mutex_);
        // Not zeroed: blocks are constructed as they are handed out.
        slabs_.push_back(std::make_unique_for_overwrite<Slab>());
        std::byte* bytes = slabs_.back()->bytes;
#ifdef MADV_HUGEPAGE
        ::madvise(bytes, kSlabBytes, MADV_HUGEPAGE);
#endif
        return bytes;
    }

private:
    struct Slab {
        alignas(kSlabBytes) std::byte bytes[kSlabBytes];
    };
    std::mutex mutex_;
    std::vector<std::unique_ptr<Slab>> slabs_;
};

SlabStore& Slabs() {
    static auto* store = new SlabStore;  // never destroyed: events may outlive static destruction
    return *store;
}

struct ThreadBlocks {
    FreeBlock* freeList = nullptr;
    std::byte* fresh = nullptr;  // next never-used block of the current slab
    std::byte* freshEnd = nullptr;
};

thread_local ThreadBlocks threadBlocks;

}  // namespace

void* AllocateEventBlock() {
    ThreadBlocks& blocks = threadBlocks;
    if (FreeBlock* block = blocks.freeList) {
        blocks.freeList = block->next;
        return block;
    }
    if (blocks.fresh == blocks.freshEnd) {
        blocks.fresh = Slabs().NewSlab();
        blocks.freshEnd = blocks.fresh + kEventBlockSize * kBlocksPerSlab;
    }
    void* block = blocks.fresh;
    blocks.fresh += kEventBlockSize;
    return block;
}

void ReleaseEventBlock(void* block) noexcept {
    if (block == nullptr) {
        return;
    }
    auto* freed = static_cast<FreeBlock*>(block);
    freed->next = threadBlocks.freeList;
    threadBlocks.freeList = freed;
}

#else

void* AllocateEventBlock() {
    return ::operator new(kEventBlockSize);
}

void ReleaseEventBlock(void* block) noexcept {
    ::operator delete(block);
}

#endif

}  // namespace tavrino::detail
