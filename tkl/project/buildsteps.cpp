#include "tkl/project/buildsteps.h"

#include <cmath>
#include <cstdint>

namespace tkl {
namespace project {
namespace {

constexpr LONG kFull = 10000;
// Hundredths of a degree to radians.
constexpr double kRadiansPerHundredth = 0.000174532925;

template <typename T>
T* alloc_block(ProjectArena& arena, TACTRA_EFFECT& effect) {
    T* block = static_cast<T*>(arena.allocate(sizeof(T)));
    effect.lpvTypeSpecificParams = block;
    effect.cbTypeSpecificParams = block ? sizeof(T) : 0;
    return block;
}

// The axes and their directions share one piece.
bool alloc_axes(ProjectArena& arena, TACTRA_EFFECT& effect, DWORD axes, DWORD flag) {
    effect.dwFlags |= flag;
    effect.cAxes = axes;
    DWORD* piece = static_cast<DWORD*>(arena.allocate(2 * axes * sizeof(DWORD)));
    effect.rgdwAxes = piece;
    effect.rglDirection = piece ? reinterpret_cast<LONG*>(piece + axes) : nullptr;
    return piece != nullptr;
}

LONG clamp_full(int64_t v) { return LONG(v < -kFull ? -kFull : v > kFull ? kFull : v); }

}  // namespace

// One piece holds the list, its effects and their records.
TVXEffect** alloc_effects(ProjectArena& arena, int n) {
    struct Slot {
        TVXEffect effect;
        TACTRA_EFFECT record;
    };
    const size_t listSize = (size_t(n) + 1) * sizeof(TVXEffect*);
    const size_t slotsAt = (listSize + alignof(Slot) - 1) & ~(alignof(Slot) - 1);
    char* piece = static_cast<char*>(arena.allocate(slotsAt + size_t(n) * sizeof(Slot)));
    if (!piece)
        return nullptr;
    TVXEffect** list = reinterpret_cast<TVXEffect**>(piece);
    Slot* slots = reinterpret_cast<Slot*>(piece + slotsAt);
    for (int i = 0; i < n; ++i) {
        TACTRA_EFFECT& record = slots[i].record;
        record.dwSize = sizeof(TACTRA_EFFECT);
        record.dwFlags = TACTRA_FEFFECT_OBJECTOFFSETS;
        record.dwSamplePeriod = 0;
        record.dwGain = kFull;
        slots[i].effect.lpEffect = &record;
        list[i] = &slots[i].effect;
    }
    return list;
}

void set_common_fields(TACTRA_EFFECT& effect, const TypeProperties& props, bool withTrigger) {
    effect.dwDuration = props.get(PropertyKey::InfiniteDuration, 0)
                            ? TACTRA_INFINITE
                            : DWORD(props.get(PropertyKey::Duration, -1));
    effect.dwGain = DWORD(props.get(PropertyKey::Gain, kFull));
    if (withTrigger) {
        effect.dwTriggerButton = DWORD(props.get(PropertyKey::TriggerButton, -1));
        effect.dwTriggerRepeatInterval = DWORD(props.get(PropertyKey::RepeatInterval, -1));
    }
}

bool set_polar_direction(ProjectArena& arena, TACTRA_EFFECT& effect,
                         const TypeProperties& props) {
    if (!alloc_axes(arena, effect, 2, TACTRA_FEFFECT_POLAR))
        return false;
    effect.rgdwAxes[0] = TACTRA_AXIS_X;
    effect.rgdwAxes[1] = TACTRA_AXIS_Y;
    effect.rglDirection[0] = props.get(PropertyKey::Direction, 0);
    effect.rglDirection[1] = 0;
    return true;
}

bool set_angle_direction(ProjectArena& arena, TACTRA_EFFECT& effect,
                         const TypeProperties& props) {
    if (!alloc_axes(arena, effect, 2, TACTRA_FEFFECT_CARTESIAN))
        return false;
    const double theta = props.get(PropertyKey::Direction, 0) * kRadiansPerHundredth;
    effect.rgdwAxes[0] = TACTRA_AXIS_X;
    effect.rgdwAxes[1] = TACTRA_AXIS_Y;
    // 0 points up the screen (negative Y), 9000 to the right; truncated toward zero.
    effect.rglDirection[0] = LONG(kFull * std::sin(theta));
    effect.rglDirection[1] = LONG(-kFull * std::cos(theta));
    return true;
}

bool set_axis_choice(ProjectArena& arena, TACTRA_EFFECT& effect,
                     const TypeProperties& props) {
    const LONG axes = props.get(PropertyKey::Axes, 0);
    if (!alloc_axes(arena, effect, axes == 2 ? 2 : 1, TACTRA_FEFFECT_CARTESIAN))
        return false;
    effect.rgdwAxes[0] = axes == 1 ? TACTRA_AXIS_Y : TACTRA_AXIS_X;
    effect.rglDirection[0] = kFull;
    if (axes == 2) {
        effect.rgdwAxes[1] = TACTRA_AXIS_Y;
        effect.rglDirection[1] = kFull;
    }
    return true;
}

bool set_single_axis(ProjectArena& arena, TACTRA_EFFECT& effect, bool yAxis) {
    if (!alloc_axes(arena, effect, 1, TACTRA_FEFFECT_CARTESIAN))
        return false;
    effect.rgdwAxes[0] = yAxis ? TACTRA_AXIS_Y : TACTRA_AXIS_X;
    effect.rglDirection[0] = kFull;
    return true;
}

bool set_envelope(ProjectArena& arena, TACTRA_EFFECT& effect,
                  const TypeProperties& props) {
    const LONG infinite = props.get(PropertyKey::InfiniteDuration, 0);
    const LONG attackLevel = props.get(PropertyKey::AttackLevel, 0);
    const LONG attackTime = props.get(PropertyKey::AttackDuration, 100000);
    const LONG magnitude = props.get(PropertyKey::Magnitude, 5000);
    const LONG fadeLevel = props.get(PropertyKey::FadeLevel, 0);
    const LONG fadeTime = props.get(PropertyKey::FadeDuration, 100000);
    const bool flatAttack = attackTime == 0 || attackLevel == magnitude;
    const bool flatFade = fadeTime == 0 || fadeLevel == magnitude || infinite;
    if (flatAttack && flatFade)
        return true;
    TACTRA_ENVELOPE* envelope = static_cast<TACTRA_ENVELOPE*>(arena.allocate(sizeof *envelope));
    if (!envelope)
        return false;
    envelope->dwSize = sizeof(TACTRA_ENVELOPE);
    envelope->dwAttackLevel = DWORD(attackLevel);
    envelope->dwAttackTime = DWORD(attackTime);
    // An effect that never ends never fades: it stays at its magnitude.
    envelope->dwFadeLevel = DWORD(infinite ? magnitude : fadeLevel);
    envelope->dwFadeTime = DWORD(infinite ? 0 : fadeTime);
    effect.lpEnvelope = envelope;
    return true;
}

bool set_condition_block(ProjectArena& arena, TACTRA_EFFECT& effect,
                         const TypeProperties& props, DWORD records) {
    TACTRA_CONDITION* block =
        static_cast<TACTRA_CONDITION*>(arena.allocate(records * sizeof(TACTRA_CONDITION)));
    if (!block)
        return false;
    typedef PropertyKey K;
    static const PropertyKey kKeys[2][6] = {
        {K::Offset, K::PosCoefficient, K::NegCoefficient, K::PosSaturation, K::NegSaturation,
         K::DeadBand},
        {K::Offset2, K::PosCoefficient2, K::NegCoefficient2, K::PosSaturation2,
         K::NegSaturation2, K::DeadBand2}};
    for (DWORD i = 0; i < records; ++i) {
        const PropertyKey* k = kKeys[i];
        block[i].lOffset = props.get(k[0], 0);
        block[i].lPositiveCoefficient = props.get(k[1], kFull);
        block[i].lNegativeCoefficient = props.get(k[2], kFull);
        block[i].dwPositiveSaturation = DWORD(props.get(k[3], kFull));
        block[i].dwNegativeSaturation = DWORD(props.get(k[4], kFull));
        block[i].lDeadBand = props.get(k[5], 0);
    }
    effect.lpvTypeSpecificParams = block;
    effect.cbTypeSpecificParams = DWORD(records * sizeof(TACTRA_CONDITION));
    return true;
}

bool set_wall_block(ProjectArena& arena, TACTRA_EFFECT& effect,
                    const TypeProperties& props) {
    TACTRA_CONDITION* wall = alloc_block<TACTRA_CONDITION>(arena, effect);
    if (!wall)
        return false;
    const LONG hardness = props.get(PropertyKey::Hardness, 0);
    wall->lOffset = props.get(PropertyKey::Offset, 0);
    if (props.get(PropertyKey::WallSense, 0) == 0) {
        wall->lPositiveCoefficient = hardness;
        wall->dwPositiveSaturation = kFull;
    } else {
        wall->lNegativeCoefficient = hardness;
        wall->dwNegativeSaturation = kFull;
    }
    return true;
}

bool set_constant_block(ProjectArena& arena, TACTRA_EFFECT& effect,
                        const TypeProperties& props) {
    TACTRA_CONSTANTFORCE* force = alloc_block<TACTRA_CONSTANTFORCE>(arena, effect);
    if (!force)
        return false;
    force->lMagnitude = props.get(PropertyKey::Magnitude, 5000);
    return true;
}

bool set_ramp_block(ProjectArena& arena, TACTRA_EFFECT& effect,
                    const TypeProperties& props) {
    TACTRA_RAMPFORCE* ramp = alloc_block<TACTRA_RAMPFORCE>(arena, effect);
    if (!ramp)
        return false;
    const int64_t magnitude = props.get(PropertyKey::Magnitude, 5000);
    const int64_t change = props.get(PropertyKey::MagnitudeChange, 0);
    const int64_t start = magnitude - change / 2;
    ramp->lStart = clamp_full(start);
    ramp->lEnd = clamp_full(start + change);
    return true;
}

bool set_periodic_block(ProjectArena& arena, TACTRA_EFFECT& effect,
                        const TypeProperties& props) {
    TACTRA_PERIODIC* periodic = alloc_block<TACTRA_PERIODIC>(arena, effect);
    if (!periodic)
        return false;
    periodic->dwMagnitude = DWORD(props.get(PropertyKey::Magnitude, 5000));
    periodic->lOffset = props.get(PropertyKey::ValueOffset, 0);
    periodic->dwPhase = DWORD(props.get(PropertyKey::Phase, 0));
    periodic->dwPeriod = DWORD(props.get(PropertyKey::Period, 1000000));
    return true;
}

bool set_custom_force_block(ProjectArena& arena, TACTRA_EFFECT& effect,
                            const TypeProperties& props) {
    TACTRA_CUSTOMFORCE* force = alloc_block<TACTRA_CUSTOMFORCE>(arena, effect);
    if (!force)
        return false;
    // A project's force profile carries no samples.
    force->cChannels = DWORD(props.get(PropertyKey::ProfileChannels, 1));
    force->dwSamplePeriod = DWORD(props.get(PropertyKey::ProfileSamplingPeriod, 0));
    return true;
}

bool set_texture_block(ProjectArena& arena, TACTRA_EFFECT& effect,
                       const TypeProperties& props, bool positive, bool negative) {
    TACTRA_TEXTURE* texture = alloc_block<TACTRA_TEXTURE>(arena, effect);
    if (!texture)
        return false;
    // The format has no keys for the other fields: a valid, otherwise empty record.
    texture->dwSize = sizeof(TACTRA_TEXTURE);
    texture->dwPositiveRoughness = positive ? DWORD(props.get(PropertyKey::PosRoughness, 1)) : 1;
    texture->dwNegativeRoughness = negative ? DWORD(props.get(PropertyKey::NegRoughness, 1)) : 1;
    return true;
}

}  // namespace project
}  // namespace tkl
