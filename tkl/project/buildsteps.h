#pragma once
// The steps the effect builders share: default effects, the common fields, the direction
// forms, the envelope and the type-specific blocks. Each step returns false only when an
// allocation fails; absent keys take their defaults.

#include "tkl/project/projectreader.h"
#include "tkl/project/tvx.h"

namespace tkl {
namespace project {

// A list of n default effects (n + 1 entries), or null.
TVXEffect** alloc_effects(int n);

// Duration, gain and, unless skipped, the trigger fields.
void set_common_fields(TACTRA_EFFECT& effect, const PairList& props, bool withTrigger);

// Polar "Direction" on X and Y.
bool set_polar_direction(TACTRA_EFFECT& effect, const PairList& props);
// X and Y components of the polar "Direction", truncated toward zero.
bool set_angle_direction(TACTRA_EFFECT& effect, const PairList& props);
// X, Y or both by "Axes".
bool set_axis_choice(TACTRA_EFFECT& effect, const PairList& props);
// One axis, X or Y, at full scale.
bool set_single_axis(TACTRA_EFFECT& effect, bool yAxis);

// An envelope unless it would leave the magnitude unchanged.
bool set_envelope(TACTRA_EFFECT& effect, const PairList& props);

// `records` condition records from the first and the "2" keys.
bool set_condition_block(TACTRA_EFFECT& effect, const PairList& props, DWORD records);
// One condition record pushing on one side of "Offset".
bool set_wall_block(TACTRA_EFFECT& effect, const PairList& props);
bool set_constant_block(TACTRA_EFFECT& effect, const PairList& props);
bool set_ramp_block(TACTRA_EFFECT& effect, const PairList& props);
bool set_periodic_block(TACTRA_EFFECT& effect, const PairList& props);
bool set_custom_force_block(TACTRA_EFFECT& effect, const PairList& props);
bool set_texture_block(TACTRA_EFFECT& effect, const PairList& props, bool positive,
                       bool negative);

}  // namespace project
}  // namespace tkl
