#include "song/event_pool.h"

#include <memory>
#include <mutex>
#include <new>
#include <vector>

#ifndef TAVRINO_EVENT_POOL
#define TAVRINO_EVENT_POOL 1
#endif

namespace tavrino::detail {

#if TAVRINO_EVENT_POOL

namespace {

constexpr std::size_t kBlocksPerSlab = 4096;

struct FreeBlock {
    FreeBlock* next;
};

// Slabs live as long as the process: blocks of a thread's free list may point
// into any of them.
class SlabStore {
public:
    std::byte* NewSlab() {
        std::lock_guard lock(mutex_);
        slabs_.push_back(std::make_unique<Slab>());
        return slabs_.back()->bytes;
    }

private:
    struct Slab {
        alignas(kEventBlockSize) std::byte bytes[kEventBlockSize * kBlocksPerSlab];
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
