#pragma once
// The steps the effect builders share: default effects, the common fields, the direction
// forms, the envelope and the type-specific blocks. Each step allocates from the project's
// arena and returns false only when an allocation fails; absent keys take their defaults.

#include "tkl/project/projectarena.h"
#include "tkl/project/tvx.h"
#include "tkl/project/typeproperties.h"

namespace tkl {
namespace project {

// A list of n default effects (n + 1 entries), or null.
TVXEffect** alloc_effects(ProjectArena& arena, int n);

// Duration, gain and, unless skipped, the trigger fields.
void set_common_fields(TACTRA_EFFECT& effect, const TypeProperties& props, bool withTrigger);

// Polar "Direction" on X and Y.
bool set_polar_direction(ProjectArena& arena, TACTRA_EFFECT& effect,
                         const TypeProperties& props);
// X and Y components of the polar "Direction", truncated toward zero.
bool set_angle_direction(ProjectArena& arena, TACTRA_EFFECT& effect,
                         const TypeProperties& props);
// X, Y or both by "Axes".
bool set_axis_choice(ProjectArena& arena, TACTRA_EFFECT& effect,
                     const TypeProperties& props);
// One axis, X or Y, at full scale.
bool set_single_axis(ProjectArena& arena, TACTRA_EFFECT& effect, bool yAxis);

// An envelope unless it would leave the magnitude unchanged.
bool set_envelope(ProjectArena& arena, TACTRA_EFFECT& effect,
                  const TypeProperties& props);

// `records` condition records from the first and the "2" keys.
bool set_condition_block(ProjectArena& arena, TACTRA_EFFECT& effect,
                         const TypeProperties& props, DWORD records);
// One condition record pushing on one side of "Offset".
bool set_wall_block(ProjectArena& arena, TACTRA_EFFECT& effect,
                    const TypeProperties& props);
bool set_constant_block(ProjectArena& arena, TACTRA_EFFECT& effect,
                        const TypeProperties& props);
bool set_ramp_block(ProjectArena& arena, TACTRA_EFFECT& effect,
                    const TypeProperties& props);
bool set_periodic_block(ProjectArena& arena, TACTRA_EFFECT& effect,
                        const TypeProperties& props);
bool set_custom_force_block(ProjectArena& arena, TACTRA_EFFECT& effect,
                            const TypeProperties& props);
bool set_texture_block(ProjectArena& arena, TACTRA_EFFECT& effect,
                       const TypeProperties& props, bool positive, bool negative);

}  // namespace project
}  // namespace tkl
