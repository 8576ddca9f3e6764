#pragma once
// A loaded project's own storage: its objects' texts, identifier lists and effects, bumped out
// of a few large blocks and freed all at once when the project is released. All zero is an
// empty arena, so a zeroed project record holds a valid one.
//
// Every piece counts as one allocation of the library (tkl/core/allocation.h), so that tests
// can make each one fail.

#include "tkl/core/allocation.h"

#include <cstddef>
#include <cstring>

namespace tkl {
namespace project {

struct ArenaBlock;

struct ProjectArena {
    ArenaBlock* blocks;  // the newest first
    char* next;          // free space in the newest block
    size_t left;         // bytes of it
    size_t grow;         // size of the next block, 0: the first size

    // Pieces are aligned for pointers and 32-bit fields on both targets.
    static constexpr size_t kAlign = 8;

    // `size` zeroed bytes, aligned for any record field, or null.
    void* allocate(size_t size) {
        void* piece = allocate_raw(size);
        if (piece)
            std::memset(piece, 0, size);
        return piece;
    }
    // `size` bytes to be overwritten at once (texts, copies), aligned alike, or null.
    void* allocate_raw(size_t size) {
        if (allocation_fails())
            return nullptr;
        const size_t rounded = (size + kAlign - 1) & ~(kAlign - 1);
        if (rounded - 1 >= left)  // also a size of 0, or one so large that rounding wrapped
            return allocate_from_new_block(size);
        void* piece = next;
        next += rounded;
        left -= rounded;
        return piece;
    }
    // A zero-terminated copy of `length` characters, or null.
    char* copy_text(const char* text, size_t length);
    // Frees every block; the arena is empty again.
    void release();

private:
    // The slow path of allocate_raw: a new block, and the piece from it.
    void* allocate_from_new_block(size_t size);
};

}  // namespace project
}  // namespace tkl
