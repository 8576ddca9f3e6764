#include "tkl/project/typeproperties.h"

#include "tkl/project/properties.h"

#include <cstdint>
#include <cstring>

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

constexpr size_t text_length(const char* text) {
    size_t n = 0;
    while (text[n])
        ++n;
    return n;
}

// A key's length with its first, middle and last characters: the names above all differ in
// these, so the hash is cheap and collisions are rare (a match is still compared in full).
constexpr uint32_t key_hash(const char* key, size_t length) {
    return length == 0 ? 0
                       : uint32_t(length) * 131u + static_cast<unsigned char>(key[0]) * 31u +
                             static_cast<unsigned char>(key[length / 2]) * 7u +
                             static_cast<unsigned char>(key[length - 1]);
}

// Open addressing over the key names, filled at compile time: a pair's key is hashed as its
// end is found and compared with at most a few names.
struct KeyHash {
    static constexpr size_t kSlots = 128;
    signed char slot[kSlots];  // index into kKeys, -1 for none
    unsigned char length[kKeyCount];
    constexpr KeyHash() : slot(), length() {
        for (size_t s = 0; s < kSlots; ++s)
            slot[s] = -1;
        for (size_t i = 0; i < kKeyCount; ++i) {
            const char* name = kKeys[i].name;
            length[i] = static_cast<unsigned char>(text_length(name));
            size_t s = key_hash(name, length[i]) % kSlots;
            while (slot[s] >= 0)
                s = (s + 1) % kSlots;
            slot[s] = static_cast<signed char>(i);
        }
    }
};
constexpr KeyHash kKeyHash{};

// The known key named by the `length` characters at name, or null.
const KeyName* find_key(const char* name, size_t length) {
    for (size_t s = key_hash(name, length) % KeyHash::kSlots; kKeyHash.slot[s] >= 0; s = (s + 1) % KeyHash::kSlots) {
        const size_t i = size_t(kKeyHash.slot[s]);
        if (kKeyHash.length[i] == length && std::memcmp(kKeys[i].name, name, length) == 0)
            return &kKeys[i];
    }
    return nullptr;
}

}  // namespace

TypeProperties::TypeProperties(const PairList& pairs) : values_() {
    const char* p = pairs.data;
    const char* const end = pairs.data + pairs.size;
    // Whole pairs only: a key without a whole value ends the list, as in next_pair.
    while (p < end) {
        const char* key = p;
        while (p < end && *p)
            ++p;
        const size_t keyLength = size_t(p - key);
        if (++p >= end)
            break;
        const char* value = p;
        while (p < end && *p)
            ++p;
        if (p++ >= end)
            break;
        const KeyName* known = find_key(key, keyLength);
        // The first pair with a key wins.
        if (known && !values_[int(known->key)])
            values_[int(known->key)] = value;
    }
}

LONG TypeProperties::get(PropertyKey key, LONG fallback) const {
    const char* value = values_[int(key)];
    return value ? parse_number(value) : fallback;
}

}  // namespace project
}  // namespace tkl
