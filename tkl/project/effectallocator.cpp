#include "tkl/project/effectallocator.h"

#include "tkl/project/effectcopy.h"

#include <cstdlib>
#include <cstring>

namespace tkl {
namespace project {

void* HeapAllocator::zeroed(size_t size) { return std::calloc(1, size ? size : 1); }

void* HeapAllocator::copy(const void* source, size_t size) {
    void* block = std::malloc(size ? size : 1);
    if (block && size)
        std::memcpy(block, source, size);
    return block;
}

void HeapAllocator::release(void* block) { std::free(block); }

void HeapAllocator::discard(TVXEffect* effect) { free_effect(effect); }

}  // namespace project
}  // namespace tkl
