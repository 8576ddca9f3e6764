#pragma once
// The effect kinds as tkl-play names and groups them.

#include "tkl/platform/win32.h"

namespace play {

// The product kind of `kind`, which may also be a DirectInput kind as the DirectInput
// stand-in stores it (its spring stands for both springs).
GUID product_kind(const GUID& kind);
// A short readable name ("spring", "sine wave", ...); "unknown kind" for others.
const char* kind_name(const GUID& kind);
// Whether the kind's force depends on where the pointer is (springs and walls, textures,
// grids, enclosures, ellipses), so that a map of it over the screen says something.
bool is_position_dependent(const GUID& kind);

}  // namespace play
