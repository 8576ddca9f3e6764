#pragma once
// An object's type properties read once: the value of the first pair of every key a builder
// asks for, found and read in one pass over the pairs, so that each builder step looks its
// keys up without scanning the texts again.

#include "tkl/platform/win32.h"
#include "tkl/project/pairlist.h"

#include <cstdint>

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
    // Indexes a list of whole pairs with the ends of its texts (as ProjectReader hands them
    // out).
    TypeProperties(const PairList& pairs, const PairEnds& ends);

    // The numeric value of the first pair with that key, or `fallback` when there is none.
    LONG get(PropertyKey key, LONG fallback) const {
        return present_ & bit(int(key)) ? values_[int(key)] : fallback;
    }

private:
    static constexpr uint64_t bit(int key) { return uint64_t(1) << key; }
    static_assert(int(PropertyKey::Count) <= 64, "one bit per key");

    uint64_t present_;                       // the keys that have a pair
    LONG values_[int(PropertyKey::Count)];   // read only where present
};

}  // namespace project
}  // namespace tkl
