#include "tkl/project/projectarena.h"

#include "tkl/core/allocation.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace tkl {
namespace project {

// A block's header; the space after it is aligned like the allocations.
struct alignas(8) ArenaBlock {
    ArenaBlock* previous;
};

namespace {

// Pointers and 32-bit fields on both targets.
constexpr size_t kAlign = 8;
// Blocks double from the first size to the largest; a larger request gets a block of its own.
constexpr size_t kFirstBlock = 4096;
constexpr size_t kLargestBlock = 256 * 1024;

size_t round_up(size_t size) { return (size + kAlign - 1) & ~(kAlign - 1); }

}  // namespace

void* ProjectArena::allocate(size_t size) {
    void* block = allocate_raw(size);
    if (block)
        std::memset(block, 0, size);
    return block;
}

void* ProjectArena::allocate_raw(size_t size) {
    if (allocation_fails())
        return nullptr;
    size = round_up(size ? size : 1);
    if (size > left) {
        if (!grow)
            grow = kFirstBlock;
        const size_t space = size > grow ? size : grow;
        if (space > SIZE_MAX - sizeof(ArenaBlock))
            return nullptr;
        ArenaBlock* block = static_cast<ArenaBlock*>(std::malloc(sizeof(ArenaBlock) + space));
        if (!block)
            return nullptr;
        block->previous = blocks;
        blocks = block;
        next = reinterpret_cast<char*>(block + 1);
        left = space;
        if (grow < kLargestBlock)
            grow *= 2;
    }
    void* out = next;
    next += size;
    left -= size;
    return out;
}

char* ProjectArena::copy_text(const char* text, size_t length) {
    if (length == SIZE_MAX)
        return nullptr;
    char* copy = static_cast<char*>(allocate_raw(length + 1));
    if (copy) {
        std::memcpy(copy, text, length);
        copy[length] = 0;
    }
    return copy;
}

void ProjectArena::release() {
    while (blocks) {
        ArenaBlock* previous = blocks->previous;
        std::free(blocks);
        blocks = previous;
    }
    next = nullptr;
    left = 0;
    grow = 0;
}

void* ArenaAllocator::zeroed(size_t size) { return arena_.allocate(size); }

void* ArenaAllocator::copy(const void* source, size_t size) {
    void* block = arena_.allocate_raw(size);
    if (block && size)
        std::memcpy(block, source, size);
    return block;
}

}  // namespace project
}  // namespace tkl
