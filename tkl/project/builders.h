#pragma once
// The effect builders: one row per object type, turning an object's type properties into its
// effect records.

#include "tkl/project/effectallocator.h"
#include "tkl/project/typeproperties.h"

namespace tkl {
namespace project {

struct BuilderRow {
    const char* type;
    // Builds the effects from `alloc`: a list, or null. `count` is 1 on entry and holds the
    // number of effects on return; null with a nonzero count is a failed allocation.
    TVXEffect** (*build)(const BuilderRow& row, const TypeProperties& props,
                         EffectAllocator& alloc, LONG& count);
    const GUID* kind;  // the row's effect kind (periodic: chosen by "Waveform")
};

// The row of a type name (exact, case-sensitive, first match), or null: such an object yields
// no effects ("Compound" gets its effects from link_compounds).
const BuilderRow* find_builder(const char* type);

}  // namespace project
}  // namespace tkl
