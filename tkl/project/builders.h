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
    // number of effects on return; null with a nonzero count is a failed allocation. Null for
    // "Compound", whose effects come from link_compounds.
    TVXEffect** (*build)(const BuilderRow& row, const TypeProperties& props,
                         ProjectArena& arena, LONG& count);
    const GUID* kind;  // the row's effect kind (periodic: chosen by "Waveform")
};

// The rows: every type name the library knows, numbered from 0.
inline constexpr size_t kBuilderRows = 17;

// The row of the type name of `length` characters (exact, case-sensitive), or null: an object
// of any other type yields no effects. `readable` bytes from type on may be read.
const BuilderRow* find_builder(const char* type, size_t length, size_t readable);

// The number of a row, below kBuilderRows.
size_t builder_row_number(const BuilderRow& row);

}  // namespace project
}  // namespace tkl
