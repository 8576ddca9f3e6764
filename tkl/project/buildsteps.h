#pragma once
// The steps the effect builders share: default effects, the common fields, the direction
// forms, the envelope and the type-specific blocks. Each step allocates from the given
// allocator and returns false only when an allocation fails; absent keys take their defaults.

#include "tkl/project/effectallocator.h"
#include "tkl/project/typeproperties.h"

namespace tkl {
namespace project {

// A list of n default effects (n + 1 entries), or null.
TVXEffect** alloc_effects(EffectAllocator& alloc, int n);

// Duration, gain and, unless skipped, the trigger fields.
void set_common_fields(TACTRA_EFFECT& effect, const TypeProperties& props, bool withTrigger);

// Polar "Direction" on X and Y.
bool set_polar_direction(EffectAllocator& alloc, TACTRA_EFFECT& effect,
                         const TypeProperties& props);
// X and Y components of the polar "Direction", truncated toward zero.
bool set_angle_direction(EffectAllocator& alloc, TACTRA_EFFECT& effect,
                         const TypeProperties& props);
// X, Y or both by "Axes".
bool set_axis_choice(EffectAllocator& alloc, TACTRA_EFFECT& effect,
                     const TypeProperties& props);
// One axis, X or Y, at full scale.
bool set_single_axis(EffectAllocator& alloc, TACTRA_EFFECT& effect, bool yAxis);

// An envelope unless it would leave the magnitude unchanged.
bool set_envelope(EffectAllocator& alloc, TACTRA_EFFECT& effect,
                  const TypeProperties& props);

// `records` condition records from the first and the "2" keys.
bool set_condition_block(EffectAllocator& alloc, TACTRA_EFFECT& effect,
                         const TypeProperties& props, DWORD records);
// One condition record pushing on one side of "Offset".
bool set_wall_block(EffectAllocator& alloc, TACTRA_EFFECT& effect,
                    const TypeProperties& props);
bool set_constant_block(EffectAllocator& alloc, TACTRA_EFFECT& effect,
                        const TypeProperties& props);
bool set_ramp_block(EffectAllocator& alloc, TACTRA_EFFECT& effect,
                    const TypeProperties& props);
bool set_periodic_block(EffectAllocator& alloc, TACTRA_EFFECT& effect,
                        const TypeProperties& props);
bool set_custom_force_block(EffectAllocator& alloc, TACTRA_EFFECT& effect,
                            const TypeProperties& props);
bool set_texture_block(EffectAllocator& alloc, TACTRA_EFFECT& effect,
                       const TypeProperties& props, bool positive, bool negative);

}  // namespace project
}  // namespace tkl
