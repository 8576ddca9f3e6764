#pragma once
// The effect kinds the software force mouse knows, with the block each expects.

#include "sim/common/effectparams.h"
#include "sim/render/rendereffect.h"

// False for a kind the device does not know.
bool tactra_kind_block(const GUID& kind, SimBlock* block);
// The force law of a kind (None for one the device does not know).
SimRenderKind tactra_render_kind(const GUID& kind);
