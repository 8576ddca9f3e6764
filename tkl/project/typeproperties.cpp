#include "tkl/project/typeproperties.h"

#include "tkl/project/nametable.h"
#include "tkl/project/properties.h"

namespace tkl {
namespace project {
namespace {

struct KeyName {
    const char* name;
    PropertyKey key;
};

constexpr KeyName kKeys[] = {
    {"AttackDuration", PropertyKey::AttackDuration},
    {"AttackLevel", PropertyKey::AttackLevel},
    {"Axes", PropertyKey::Axes},
    {"Axis", PropertyKey::Axis},
    {"DeadBand", PropertyKey::DeadBand},
    {"DeadBand2", PropertyKey::DeadBand2},
    {"Direction", PropertyKey::Direction},
    {"Duration", PropertyKey::Duration},
    {"FadeDuration", PropertyKey::FadeDuration},
    {"FadeLevel", PropertyKey::FadeLevel},
    {"Gain", PropertyKey::Gain},
    {"Hardness", PropertyKey::Hardness},
    {"InfiniteDuration", PropertyKey::InfiniteDuration},
    {"Magnitude", PropertyKey::Magnitude},
    {"MagnitudeChange", PropertyKey::MagnitudeChange},
    {"NegCoefficient", PropertyKey::NegCoefficient},
    {"NegCoefficient2", PropertyKey::NegCoefficient2},
    {"NegRoughness", PropertyKey::NegRoughness},
    {"NegSaturation", PropertyKey::NegSaturation},
    {"NegSaturation2", PropertyKey::NegSaturation2},
    {"Offset", PropertyKey::Offset},
    {"Offset2", PropertyKey::Offset2},
    {"Period", PropertyKey::Period},
    {"Phase", PropertyKey::Phase},
    {"PosCoefficient", PropertyKey::PosCoefficient},
    {"PosCoefficient2", PropertyKey::PosCoefficient2},
    {"PosRoughness", PropertyKey::PosRoughness},
    {"PosSaturation", PropertyKey::PosSaturation},
    {"PosSaturation2", PropertyKey::PosSaturation2},
    {"ProfileChannels", PropertyKey::ProfileChannels},
    {"ProfileSamplingPeriod", PropertyKey::ProfileSamplingPeriod},
    {"RepeatInterval", PropertyKey::RepeatInterval},
    {"TextureStyle", PropertyKey::TextureStyle},
    {"TriggerButton", PropertyKey::TriggerButton},
    {"ValueOffset", PropertyKey::ValueOffset},
    {"WallSense", PropertyKey::WallSense},
    {"Waveform", PropertyKey::Waveform},
};
constexpr size_t kKeyCount = sizeof kKeys / sizeof kKeys[0];
static_assert(kKeyCount == size_t(PropertyKey::Count), "one name per key");

constexpr NameTable<kKeyCount> kKeyTable(kKeys, &KeyName::name);
static_assert(kKeyTable.ready(), "a slot for every key");

}  // namespace

// Each value is read as its pair is met, once: builder steps ask for some keys more than once.
TypeProperties::TypeProperties(const PairList& pairs, const PairEnds& ends) {
    uint64_t present = 0;
    PairCursor cursor(pairs, ends);
    Pair pair;
    while (cursor.next(pair)) {
        const int found = kKeyTable.find(pair.key, pair.keyLength,
                                         size_t(pairs.data + pairs.size - pair.key));
        if (found < 0)
            continue;
        const int key = int(kKeys[found].key);
        // The first pair with a key wins.
        if (!(present & bit(key))) {
            present |= bit(key);
            values_[key] = read_number(pairs, pair);
        }
    }
    present_ = present;
}

}  // namespace project
}  // namespace tkl
