#include "tkl/core/allocation.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

// The link wraps each C allocation function (tkl/CMakeLists.txt, --wrap): the library's calls of
// malloc reach __wrap_malloc, which counts and may fail the request before it passes it on to
// the original, __real_malloc.
//
// operator new: libtkl.so wraps the standard nothrow new and every delete by their mangled
// names, so its blocks stay the standard ones (an object either side allocated may be deleted
// by the other, as the sanitizers check). The Windows DLL links its own copy of the runtime,
// whose new and delete already sit on malloc and free (wrapped there too); it defines its own
// nothrow new, on malloc, for its code alone (the DLL does not export it).
// A WebAssembly program is one module: wrapping malloc there would take it from the runtime's
// own JavaScript too, so nothing is wrapped and only the arena's pieces are counted.
#if !defined(__EMSCRIPTEN__)
#define TKL_WRAPS_ALLOCATION 1
#endif

#if !defined(_WIN32) && defined(TKL_WRAPS_ALLOCATION)
#if UINTPTR_MAX > 0xFFFFFFFFu
#  define TKL_SIZE_T_CODE m
#else
#  define TKL_SIZE_T_CODE j
#endif
#define TKL_PASTE(a, b, c) a##b##c
#define TKL_SIZED(a, b, c) TKL_PASTE(a, b, c)
#define TKL_NEW TKL_SIZED(_Znw, TKL_SIZE_T_CODE, RKSt9nothrow_t)
#define TKL_NEW_ARRAY TKL_SIZED(_Zna, TKL_SIZE_T_CODE, RKSt9nothrow_t)
#define TKL_DELETE_SIZED TKL_SIZED(_ZdlPv, TKL_SIZE_T_CODE, )
#define TKL_DELETE_ARRAY_SIZED TKL_SIZED(_ZdaPv, TKL_SIZE_T_CODE, )
#define TKL_WRAP(name) TKL_SIZED(__wrap_, name, )
#define TKL_REAL(name) TKL_SIZED(__real_, name, )

extern "C" {
void* TKL_REAL(TKL_NEW)(size_t size, const void* nothrow);
void* TKL_REAL(TKL_NEW_ARRAY)(size_t size, const void* nothrow);
void TKL_REAL(_ZdlPv)(void* block);
void TKL_REAL(_ZdaPv)(void* block);
void TKL_REAL(TKL_DELETE_SIZED)(void* block, size_t size);
void TKL_REAL(TKL_DELETE_ARRAY_SIZED)(void* block, size_t size);
void TKL_REAL(_ZdlPvRKSt9nothrow_t)(void* block, const void* nothrow);
void TKL_REAL(_ZdaPvRKSt9nothrow_t)(void* block, const void* nothrow);
}
#endif

#if defined(TKL_WRAPS_ALLOCATION)
extern "C" {
void* __real_malloc(size_t size);
void* __real_calloc(size_t count, size_t size);
void* __real_realloc(void* block, size_t size);
void __real_free(void* block);
}
#endif

namespace {

// Relaxed atomics, each update a plain load and store: as cheap as ordinary variables (a locked
// read-modify-write on every malloc and free would double the cost of a list copy), and still
// well-defined when two threads use the library. Only a test that arms the hook needs the
// counts exact, and it does so on one thread.
std::atomic<unsigned long> g_count(0);
std::atomic<unsigned long> g_failAt(0);
std::atomic<long> g_live(0);

// Counts one request; true when it is the one to fail.
bool fails() {
    const unsigned long n = g_count.load(std::memory_order_relaxed) + 1;
    g_count.store(n, std::memory_order_relaxed);
    return n == g_failAt.load(std::memory_order_relaxed);
}

void add_live(long delta) {
    g_live.store(g_live.load(std::memory_order_relaxed) + delta, std::memory_order_relaxed);
}

[[maybe_unused]] void* counted(void* block) {
    if (block)
        add_live(1);
    return block;
}

[[maybe_unused]] void uncounted(void* block) {
    if (block)
        add_live(-1);
}

}  // namespace

bool tkl::allocation_fails() { return fails(); }

extern "C" {

void tkl_alloc_fail_nth(unsigned long n) {
    g_failAt.store(n, std::memory_order_relaxed);
    g_count.store(0, std::memory_order_relaxed);
}

unsigned long tkl_alloc_count(void) { return g_count.load(std::memory_order_relaxed); }

long tkl_alloc_live(void) { return g_live.load(std::memory_order_relaxed); }

#if defined(TKL_WRAPS_ALLOCATION)
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
    uncounted(block);
    __real_free(block);
}
#endif

}  // extern "C"

#if defined(_WIN32)
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size ? size : 1);
}
#elif defined(TKL_WRAPS_ALLOCATION)
extern "C" {

void* TKL_WRAP(TKL_NEW)(size_t size, const void* nothrow) {
    return fails() ? nullptr : counted(TKL_REAL(TKL_NEW)(size, nothrow));
}

void* TKL_WRAP(TKL_NEW_ARRAY)(size_t size, const void* nothrow) {
    return fails() ? nullptr : counted(TKL_REAL(TKL_NEW_ARRAY)(size, nothrow));
}

void TKL_WRAP(_ZdlPv)(void* block) {
    uncounted(block);
    TKL_REAL(_ZdlPv)(block);
}

void TKL_WRAP(_ZdaPv)(void* block) {
    uncounted(block);
    TKL_REAL(_ZdaPv)(block);
}

void TKL_WRAP(TKL_DELETE_SIZED)(void* block, size_t size) {
    uncounted(block);
    TKL_REAL(TKL_DELETE_SIZED)(block, size);
}

void TKL_WRAP(TKL_DELETE_ARRAY_SIZED)(void* block, size_t size) {
    uncounted(block);
    TKL_REAL(TKL_DELETE_ARRAY_SIZED)(block, size);
}

void TKL_WRAP(_ZdlPvRKSt9nothrow_t)(void* block, const void* nothrow) {
    uncounted(block);
    TKL_REAL(_ZdlPvRKSt9nothrow_t)(block, nothrow);
}

void TKL_WRAP(_ZdaPvRKSt9nothrow_t)(void* block, const void* nothrow) {
    uncounted(block);
    TKL_REAL(_ZdaPvRKSt9nothrow_t)(block, nothrow);
}

}  // extern "C"
#endif
