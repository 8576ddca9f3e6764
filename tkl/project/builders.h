#pragma once
// The effect builders: one row per object type, turning an object's type properties into its
// effect records.

#include "tkl/project/projectarena.h"
#include "tkl/project/tvx.h"
#include "tkl/project/typeproperties.h"

namespace tkl {
namespace project {

struct BuilderRow {
    const char* type;
    // Builds the effects in the arena: a list, or null. `count` is 1 on entry and holds the
    // number of effects on return; null with a nonzero count is a failed allocation.
    TVXEffect** (*build)(const BuilderRow& row, const TypeProperties& props,
                         ProjectArena& arena, LONG& count);
    const GUID* kind;  // the row's effect kind (periodic: chosen by "Waveform")
};

// The row of the type name of `length` characters (exact, case-sensitive), or null: such an
// object yields no effects ("Compound" gets its effects from link_compounds).
const BuilderRow* find_builder(const char* type, size_t length);

}  // namespace project
}  // namespace tkl
