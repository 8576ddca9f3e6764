#pragma once
// The effects the stand-in's joystick supports: DirectInput's standard effect GUIDs.

#include "sim/common/effectparams.h"
#include "sim/render/rendereffect.h"
#include "tkl/platform/dinput.h"

struct DIKind {
    const GUID* guid;
    SimBlock block;
    SimRenderKind law;
    DWORD type;  // DIEFT_ type and capability bits
    const char* name;
};

// The supported effects, in DirectInput's order.
const DIKind* di_kinds(unsigned* count);
// The row for an effect GUID, or null: DirectInput answers DIERR_DEVICENOTREG then.
const DIKind* di_find_kind(REFGUID guid);
// The force law of an effect GUID (None for one the joystick does not support).
SimRenderKind di_render_kind(const GUID& guid);
// Fills an effect description for EnumEffects and GetEffectInfo.
void di_fill_effect_info(const DIKind& kind, DIEFFECTINFOA* info);
