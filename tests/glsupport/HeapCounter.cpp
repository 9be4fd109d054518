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

// The array, sized and nothrow forms of the standard library end in these two.
void* operator new(std::size_t size)
{
    void* block = std::malloc(size ? size : 1);
    if (!block)
        throw std::bad_alloc();
    const std::size_t live = g_live += malloc_usable_size(block);
    std::size_t peak = g_peak.load();
    while (live > peak && !g_peak.compare_exchange_weak(peak, live)) {
    }
    return block;
}

void operator delete(void* block) noexcept
{
    if (!block)
        return;
    g_live -= malloc_usable_size(block);
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept { operator delete(block); }
