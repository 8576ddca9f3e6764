#pragma once
// A loaded project's own storage: its objects' texts, identifier lists and effects, bumped out
// of a few large blocks and freed all at once when the project is released. All zero is an
// empty arena, so a zeroed project record holds a valid one.

#include "tkl/project/effectallocator.h"

#include <cstddef>

namespace tkl {
namespace project {

struct ArenaBlock;

struct ProjectArena {
    ArenaBlock* blocks;  // the newest first
    char* next;          // free space in the newest block
    size_t left;         // bytes of it
    size_t grow;         // size of the next block, 0: the first size

    // `size` zeroed bytes, aligned for any record field, or null.
    void* allocate(size_t size);
    // `size` bytes to be overwritten at once (texts, copies), aligned alike, or null.
    void* allocate_raw(size_t size);
    // A zero-terminated copy of `length` characters, or null.
    char* copy_text(const char* text, size_t length);
    // Frees every block; the arena is empty again.
    void release();
};

// EffectAllocator over an arena: nothing is given back before the arena is released.
class ArenaAllocator final : public EffectAllocator {
public:
    explicit ArenaAllocator(ProjectArena& arena) : arena_(arena) {}
    void* zeroed(size_t size) override;
    void* copy(const void* source, size_t size) override;
    void release(void*) override {}
    void discard(TVXEffect*) override {}

private:
    ProjectArena& arena_;
};

}  // namespace project
}  // namespace tkl
