#pragma once
// Where copies of effect records and their blocks are allocated. Lists handed out to callers
// live on the heap, each piece freed on its own. (A loaded project's own effects are built in
// its arena, ProjectArena, and freed all at once with the project.)

#include "tkl/project/tvx.h"

#include <cstddef>

namespace tkl {
namespace project {

class EffectAllocator {
public:
    // `size` zeroed bytes, or null.
    virtual void* zeroed(size_t size) = 0;
    // A copy of `size` bytes at `source` (at least one byte is allocated), or null.
    virtual void* copy(const void* source, size_t size) = 0;
    // Gives back a block of a copy that failed half-way.
    virtual void release(void* block) = 0;
    // Gives back a partly built effect.
    virtual void discard(TVXEffect* effect) = 0;

protected:
    ~EffectAllocator() = default;
};

// The heap: every piece its own malloc block, freed by free_effect.
class HeapAllocator final : public EffectAllocator {
public:
    void* zeroed(size_t size) override;
    void* copy(const void* source, size_t size) override;
    void release(void* block) override;
    void discard(TVXEffect* effect) override;
};

}  // namespace project
}  // namespace tkl
