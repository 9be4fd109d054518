#include "glsupport/HeapCounter.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> g_live{0};
std::atomic<std::size_t> g_peak{0};

}  // namespace

namespace heapcounter {

std::size_t Live() { return g_live.load(); }
std::size_t Peak() { return g_peak.load(); }
void ResetPeak() { g_peak.store(g_live.load()); }

}  // namespace heapcounter

namespace {

void* Allocate(std::size_t size) noexcept
{
    void* block = std::malloc(size ? size : 1);
    if (!block)
        return nullptr;
    const std::size_t live = g_live += malloc_usable_size(block);
    std::size_t peak = g_peak.load();
    while (live > peak && !g_peak.compare_exchange_weak(peak, live)) {
    }
    return block;
}

void Release(void* block) noexcept
{
    if (!block)
        return;
    g_live -= malloc_usable_size(block);
    std::free(block);
}

void* AllocateOrThrow(std::size_t size)
{
    if (void* block = Allocate(size))
        return block;
    throw std::bad_alloc();
}

}  // namespace

// Every form but the aligned ones, which keep the library's pair.
void* operator new(std::size_t size) { return AllocateOrThrow(size); }
void* operator new[](std::size_t size) { return AllocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* block) noexcept { Release(block); }
void operator delete[](void* block) noexcept { Release(block); }
void operator delete(void* block, std::size_t) noexcept { Release(block); }
void operator delete[](void* block, std::size_t) noexcept { Release(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { Release(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { Release(block); }
