#pragma once
// The effect kinds the software force mouse knows, with the block each expects.

#include "sim/common/effectparams.h"

// False for a kind the device does not know.
bool tactra_kind_block(const GUID& kind, SimBlock* block);
