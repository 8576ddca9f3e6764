#pragma once
// Deep copy and release of TVXEffects and TVXEffect lists. Type-specific blocks are copied
// and freed through a constant table keyed by the effect's GUID. Copies are heap blocks, each
// freed on its own.

#include "tkl/project/tvx.h"

namespace tkl {
namespace project {

// A new, independent TVXEffect with its own record and sub-blocks, or null. The copy's
// record guid and dwReserved stay zero; an effect whose GUID has no block-table row is
// copied without its block.
TVXEffect* copy_effect(const TVXEffect* effect);

// Frees the effect with its record and sub-blocks; false for null or a block that failed to
// free.
bool free_effect(TVXEffect* effect);

// Frees each entry up to the first null, then the array; false (array kept) when an entry
// failed to free.
bool free_effect_list(TVXEffect** list);

}  // namespace project
}  // namespace tkl
