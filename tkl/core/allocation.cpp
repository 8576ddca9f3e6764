#include "tkl/core/allocation.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

// The linker's --wrap turns the library's calls of malloc into calls of __wrap_malloc and
// gives the original the name __real_malloc (see tkl/CMakeLists.txt).
extern "C" {
void* __real_malloc(size_t size);
void* __real_calloc(size_t count, size_t size);
void* __real_realloc(void* block, size_t size);
void __real_free(void* block);
}

namespace {

// Relaxed atomics: no lock, and two threads using the library on separate objects stay
// well-defined.
std::atomic<unsigned long> g_count(0);
std::atomic<unsigned long> g_failAt(0);
std::atomic<long> g_live(0);

// Counts one request; true when it is the one to fail.
bool fails() {
    const unsigned long n = g_count.fetch_add(1, std::memory_order_relaxed) + 1;
    return n == g_failAt.load(std::memory_order_relaxed);
}

void* counted(void* block) {
    if (block)
        g_live.fetch_add(1, std::memory_order_relaxed);
    return block;
}

}  // namespace

extern "C" {

void tkl_alloc_fail_nth(unsigned long n) {
    g_failAt.store(n, std::memory_order_relaxed);
    g_count.store(0, std::memory_order_relaxed);
}

unsigned long tkl_alloc_count(void) { return g_count.load(std::memory_order_relaxed); }

long tkl_alloc_live(void) { return g_live.load(std::memory_order_relaxed); }

void* __wrap_malloc(size_t size) { return fails() ? nullptr : counted(__real_malloc(size)); }

void* __wrap_calloc(size_t count, size_t size) {
    return fails() ? nullptr : counted(__real_calloc(count, size));
}

void* __wrap_realloc(void* block, size_t size) {
    if (fails())
        return nullptr;
    void* moved = __real_realloc(block, size);
    return block ? moved : counted(moved);
}

void __wrap_free(void* block) {
    if (block)
        g_live.fetch_sub(1, std::memory_order_relaxed);
    __real_free(block);
}

}  // extern "C"

// The library's own operator new and delete, on malloc and free. They serve the library's code
// alone and never replace an application's: the DLL does not export them, and libtkl.so keeps
// them local (core/allocation.map). Blocks from either side's new are plain malloc blocks, so
// whichever side deletes an object frees it correctly.

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size ? size : 1);
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
