#include "tkl/project/buildsteps.h"

#include "tkl/project/effectcopy.h"
#include "tkl/project/properties.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace tkl {
namespace project {
namespace {

constexpr LONG kFull = 10000;
// Hundredths of a degree to radians.
constexpr double kRadiansPerHundredth = 0.000174532925;

template <typename T>
T* alloc_block(TACTRA_EFFECT& effect) {
    T* block = static_cast<T*>(std::calloc(1, sizeof(T)));
    effect.lpvTypeSpecificParams = block;
    effect.cbTypeSpecificParams = block ? sizeof(T) : 0;
    return block;
}

bool alloc_axes(TACTRA_EFFECT& effect, DWORD axes, DWORD flag) {
    effect.dwFlags |= flag;
    effect.cAxes = axes;
    effect.rgdwAxes = static_cast<DWORD*>(std::calloc(axes, sizeof(DWORD)));
    effect.rglDirection = static_cast<LONG*>(std::calloc(axes, sizeof(LONG)));
    return effect.rgdwAxes && effect.rglDirection;
}

LONG clamp_full(int64_t v) { return LONG(v < -kFull ? -kFull : v > kFull ? kFull : v); }

}  // namespace

TVXEffect** alloc_effects(int n) {
    TVXEffect** list = static_cast<TVXEffect**>(std::calloc(size_t(n) + 1, sizeof(TVXEffect*)));
    if (!list)
        return nullptr;
    for (int i = 0; i < n; ++i) {
        TVXEffect* effect = static_cast<TVXEffect*>(std::calloc(1, sizeof(TVXEffect)));
        TACTRA_EFFECT* record =
            effect ? static_cast<TACTRA_EFFECT*>(std::calloc(1, sizeof(TACTRA_EFFECT))) : nullptr;
        if (!record) {
            std::free(effect);
            free_effect_list(list);
            return nullptr;
        }
        record->dwSize = sizeof(TACTRA_EFFECT);
        record->dwFlags = TACTRA_FEFFECT_OBJECTOFFSETS;
        record->dwSamplePeriod = 0;
        record->dwGain = kFull;
        effect->lpEffect = record;
        list[i] = effect;
    }
    return list;
}

void set_common_fields(TACTRA_EFFECT& effect, const PairList& props, bool withTrigger) {
    effect.dwDuration = get_property(props, "InfiniteDuration", 0)
                            ? TACTRA_INFINITE
                            : DWORD(get_property(props, "Duration", -1));
    effect.dwGain = DWORD(get_property(props, "Gain", kFull));
    if (withTrigger) {
        effect.dwTriggerButton = DWORD(get_property(props, "TriggerButton", -1));
        effect.dwTriggerRepeatInterval = DWORD(get_property(props, "RepeatInterval", -1));
    }
}

bool set_polar_direction(TACTRA_EFFECT& effect, const PairList& props) {
    if (!alloc_axes(effect, 2, TACTRA_FEFFECT_POLAR))
        return false;
    effect.rgdwAxes[0] = TACTRA_AXIS_X;
    effect.rgdwAxes[1] = TACTRA_AXIS_Y;
    effect.rglDirection[0] = get_property(props, "Direction", 0);
    effect.rglDirection[1] = 0;
    return true;
}

bool set_angle_direction(TACTRA_EFFECT& effect, const PairList& props) {
    if (!alloc_axes(effect, 2, TACTRA_FEFFECT_CARTESIAN))
        return false;
    const double theta = get_property(props, "Direction", 0) * kRadiansPerHundredth;
    effect.rgdwAxes[0] = TACTRA_AXIS_X;
    effect.rgdwAxes[1] = TACTRA_AXIS_Y;
    // 0 points up the screen (negative Y), 9000 to the right; truncated toward zero.
    effect.rglDirection[0] = LONG(kFull * std::sin(theta));
    effect.rglDirection[1] = LONG(-kFull * std::cos(theta));
    return true;
}

bool set_axis_choice(TACTRA_EFFECT& effect, const PairList& props) {
    const LONG axes = get_property(props, "Axes", 0);
    if (!alloc_axes(effect, axes == 2 ? 2 : 1, TACTRA_FEFFECT_CARTESIAN))
        return false;
    effect.rgdwAxes[0] = axes == 1 ? TACTRA_AXIS_Y : TACTRA_AXIS_X;
    effect.rglDirection[0] = kFull;
    if (axes == 2) {
        effect.rgdwAxes[1] = TACTRA_AXIS_Y;
        effect.rglDirection[1] = kFull;
    }
    return true;
}

bool set_single_axis(TACTRA_EFFECT& effect, bool yAxis) {
    if (!alloc_axes(effect, 1, TACTRA_FEFFECT_CARTESIAN))
        return false;
    effect.rgdwAxes[0] = yAxis ? TACTRA_AXIS_Y : TACTRA_AXIS_X;
    effect.rglDirection[0] = kFull;
    return true;
}

bool set_envelope(TACTRA_EFFECT& effect, const PairList& props) {
    const LONG infinite = get_property(props, "InfiniteDuration", 0);
    const LONG attackLevel = get_property(props, "AttackLevel", 0);
    const LONG attackTime = get_property(props, "AttackDuration", 100000);
    const LONG magnitude = get_property(props, "Magnitude", 5000);
    const LONG fadeLevel = get_property(props, "FadeLevel", 0);
    const LONG fadeTime = get_property(props, "FadeDuration", 100000);
    const bool flatAttack = attackTime == 0 || attackLevel == magnitude;
    const bool flatFade = fadeTime == 0 || fadeLevel == magnitude || infinite;
    if (flatAttack && flatFade)
        return true;
    TACTRA_ENVELOPE* envelope = static_cast<TACTRA_ENVELOPE*>(std::calloc(1, sizeof *envelope));
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

bool set_condition_block(TACTRA_EFFECT& effect, const PairList& props, DWORD records) {
    TACTRA_CONDITION* block =
        static_cast<TACTRA_CONDITION*>(std::calloc(records, sizeof(TACTRA_CONDITION)));
    if (!block)
        return false;
    static const char* const kKeys[2][6] = {
        {"Offset", "PosCoefficient", "NegCoefficient", "PosSaturation", "NegSaturation", "DeadBand"},
        {"Offset2", "PosCoefficient2", "NegCoefficient2", "PosSaturation2", "NegSaturation2",
         "DeadBand2"}};
    for (DWORD i = 0; i < records; ++i) {
        const char* const* k = kKeys[i];
        block[i].lOffset = get_property(props, k[0], 0);
        block[i].lPositiveCoefficient = get_property(props, k[1], kFull);
        block[i].lNegativeCoefficient = get_property(props, k[2], kFull);
        block[i].dwPositiveSaturation = DWORD(get_property(props, k[3], kFull));
        block[i].dwNegativeSaturation = DWORD(get_property(props, k[4], kFull));
        block[i].lDeadBand = get_property(props, k[5], 0);
    }
    effect.lpvTypeSpecificParams = block;
    effect.cbTypeSpecificParams = DWORD(records * sizeof(TACTRA_CONDITION));
    return true;
}

bool set_wall_block(TACTRA_EFFECT& effect, const PairList& props) {
    TACTRA_CONDITION* wall = alloc_block<TACTRA_CONDITION>(effect);
    if (!wall)
        return false;
    const LONG hardness = get_property(props, "Hardness", 0);
    wall->lOffset = get_property(props, "Offset", 0);
    if (get_property(props, "WallSense", 0) == 0) {
        wall->lPositiveCoefficient = hardness;
        wall->dwPositiveSaturation = kFull;
    } else {
        wall->lNegativeCoefficient = hardness;
        wall->dwNegativeSaturation = kFull;
    }
    return true;
}

bool set_constant_block(TACTRA_EFFECT& effect, const PairList& props) {
    TACTRA_CONSTANTFORCE* force = alloc_block<TACTRA_CONSTANTFORCE>(effect);
    if (!force)
        return false;
    force->lMagnitude = get_property(props, "Magnitude", 5000);
    return true;
}

bool set_ramp_block(TACTRA_EFFECT& effect, const PairList& props) {
    TACTRA_RAMPFORCE* ramp = alloc_block<TACTRA_RAMPFORCE>(effect);
    if (!ramp)
        return false;
    const int64_t magnitude = get_property(props, "Magnitude", 5000);
    const int64_t change = get_property(props, "MagnitudeChange", 0);
    const int64_t start = magnitude - change / 2;
    ramp->lStart = clamp_full(start);
    ramp->lEnd = clamp_full(start + change);
    return true;
}

bool set_periodic_block(TACTRA_EFFECT& effect, const PairList& props) {
    TACTRA_PERIODIC* periodic = alloc_block<TACTRA_PERIODIC>(effect);
    if (!periodic)
        return false;
    periodic->dwMagnitude = DWORD(get_property(props, "Magnitude", 5000));
    periodic->lOffset = get_property(props, "ValueOffset", 0);
    periodic->dwPhase = DWORD(get_property(props, "Phase", 0));
    periodic->dwPeriod = DWORD(get_property(props, "Period", 1000000));
    return true;
}

bool set_custom_force_block(TACTRA_EFFECT& effect, const PairList& props) {
    TACTRA_CUSTOMFORCE* force = alloc_block<TACTRA_CUSTOMFORCE>(effect);
    if (!force)
        return false;
    // A project's force profile carries no samples.
    force->cChannels = DWORD(get_property(props, "ProfileChannels", 1));
    force->dwSamplePeriod = DWORD(get_property(props, "ProfileSamplingPeriod", 0));
    return true;
}

bool set_texture_block(TACTRA_EFFECT& effect, const PairList& props, bool positive,
                       bool negative) {
    TACTRA_TEXTURE* texture = alloc_block<TACTRA_TEXTURE>(effect);
    if (!texture)
        return false;
    // The format has no keys for the other fields: a valid, otherwise empty record.
    texture->dwSize = sizeof(TACTRA_TEXTURE);
    texture->dwPositiveRoughness = positive ? DWORD(get_property(props, "PosRoughness", 1)) : 1;
    texture->dwNegativeRoughness = negative ? DWORD(get_property(props, "NegRoughness", 1)) : 1;
    return true;
}

}  // namespace project
}  // namespace tkl
