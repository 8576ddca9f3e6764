#include "tkl/project/projectarena.h"

#include <cstdint>
#include <cstdlib>

namespace tkl {
namespace project {

// A block's header; the space after it is aligned like the pieces.
struct alignas(ProjectArena::kAlign) ArenaBlock {
    ArenaBlock* previous;
};

namespace {

// Blocks double from the first size to the largest; a larger request gets a block of its own.
constexpr size_t kFirstBlock = 4096;
constexpr size_t kLargestBlock = 256 * 1024;

}  // namespace

void* ProjectArena::allocate_from_new_block(size_t size) {
    if (size > SIZE_MAX - sizeof(ArenaBlock) - kAlign)
        return nullptr;
    size = (size + kAlign - 1) & ~(kAlign - 1);
    if (size == 0)
        size = kAlign;
    if (!grow)
        grow = kFirstBlock;
    const size_t space = size > grow ? size : grow;
    ArenaBlock* block = static_cast<ArenaBlock*>(std::malloc(sizeof(ArenaBlock) + space));
    if (!block)
        return nullptr;
    block->previous = blocks;
    blocks = block;
    next = reinterpret_cast<char*>(block + 1) + size;
    left = space - size;
    if (grow < kLargestBlock)
        grow *= 2;
    return block + 1;
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

}  // namespace project
}  // namespace tkl
