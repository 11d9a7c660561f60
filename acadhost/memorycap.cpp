// The host's own memory has one ceiling in both builds. A 32-bit host runs out of address
// space near 2 GB; a 64-bit one would take the machine's memory first. Past the ceiling an
// allocation fails as it would there, and the LISP form that asked for it ends in
// "insufficient memory" while the host goes on. Every allocation of C++ counts, and so does
// each cell the LISP holds (its chunks, kept on free lists, count only while in use).
#include "memorycap.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

const size_t kCeiling = size_t(1536) << 20;
// Each block carries its size in front, kept to the alignment the allocator promises.
const size_t kHeader = alignof(std::max_align_t);

std::atomic<size_t> used{0};
bool holds = false;

}  // namespace

bool reserveMemory(size_t size) noexcept
{
    if (used.fetch_add(size, std::memory_order_relaxed) + size <= kCeiling || !holds)
        return true;
    used.fetch_sub(size, std::memory_order_relaxed);
    return false;
}

MemoryCeiling::MemoryCeiling(bool on) : was_(holds) { holds = on; }
MemoryCeiling::~MemoryCeiling() { holds = was_; }

void releaseMemory(size_t size) noexcept { used.fetch_sub(size, std::memory_order_relaxed); }

namespace {

void* take(size_t size) noexcept
{
    if (size == 0)
        size = 1;
    if (!reserveMemory(size))
        return nullptr;
    char* block = static_cast<char*>(std::malloc(size + kHeader));
    if (!block) {
        releaseMemory(size);
        return nullptr;
    }
    *reinterpret_cast<size_t*>(block) = size;
    return block + kHeader;
}

void give(void* p) noexcept
{
    if (!p)
        return;
    char* block = static_cast<char*>(p) - kHeader;
    releaseMemory(*reinterpret_cast<size_t*>(block));
    std::free(block);
}

void* takeOrThrow(size_t size)
{
    if (void* p = take(size))
        return p;
    throw std::bad_alloc();
}

}  // namespace

void* operator new(size_t size) { return takeOrThrow(size); }
void* operator new[](size_t size) { return takeOrThrow(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return take(size); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return take(size); }
void operator delete(void* p) noexcept { give(p); }
void operator delete[](void* p) noexcept { give(p); }
void operator delete(void* p, size_t) noexcept { give(p); }
void operator delete[](void* p, size_t) noexcept { give(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { give(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { give(p); }
