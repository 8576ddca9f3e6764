#pragma once
// An object's type properties read once: the value of the first pair of every key a builder
// asks for, found in one pass over the pairs, so that each builder step looks its keys up
// without scanning the texts again.

#include "tkl/project/projectreader.h"

namespace tkl {
namespace project {

// Every key the builders read.
enum class PropertyKey {
    InfiniteDuration, Duration, Gain, TriggerButton, RepeatInterval, Axes, Axis, Direction,
    Offset, PosCoefficient, NegCoefficient, PosSaturation, NegSaturation, DeadBand,
    Offset2, PosCoefficient2, NegCoefficient2, PosSaturation2, NegSaturation2, DeadBand2,
    WallSense, Hardness, TextureStyle, PosRoughness, NegRoughness, Magnitude, AttackLevel,
    AttackDuration, FadeLevel, FadeDuration, MagnitudeChange, Waveform, ValueOffset, Phase,
    Period, ProfileChannels, ProfileSamplingPeriod,
    Count
};

class TypeProperties {
public:
    // Indexes a list of whole pairs (as ProjectReader hands them out).
    explicit TypeProperties(const PairList& pairs);

    // The numeric value of the first pair with that key, or `fallback` when there is none.
    LONG get(PropertyKey key, LONG fallback) const;

private:
    const char* values_[int(PropertyKey::Count)];
};

}  // namespace project
}  // namespace tkl
