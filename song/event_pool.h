#pragma once

#include <cstddef>

namespace tavrino::detail {

// Every event class has the same size, so events come from fixed-size blocks:
// songs hold millions of them, and per-object heap headers would cost a quarter
// of the memory and much of the loading time. Blocks are recycled through a
// per-thread free list; freeing on another thread than the allocating one is
// fine (the block simply joins that thread's list).
inline constexpr std::size_t kEventBlockSize = 48;

void* AllocateEventBlock();
void ReleaseEventBlock(void* block) noexcept;

}  // namespace tavrino::detail
