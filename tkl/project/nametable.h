#pragma once
// A fixed set of names (type names, property keys) found by their text: a table filled at
// compile time with a hash that gives every name a slot of its own, so that a text read from
// project data is compared with one name at most.

#include "tkl/project/bytescan.h"

#include <cstddef>
#include <cstdint>

namespace tkl {
namespace project {

template <size_t N>
class NameTable {
public:
    // Longest name, its terminator included.
    static constexpr size_t kMaxName = 24;

    // The names are the `name` members of the rows: all different, each of 1 to 23 characters
    // (anything else fails to compile).
    template <typename Row>
    constexpr NameTable(const Row (&rows)[N], const char* const Row::*name)
        : names_(), lengths_(), slots_(), multiplier_(0) {
        for (size_t i = 0; i < N; ++i) {
            const char* text = rows[i].*name;
            size_t length = 0;
            while (text[length])
                ++length;
            for (size_t c = 0; c < length; ++c)
                names_[i][c] = text[c];
            lengths_[i] = static_cast<unsigned char>(length);
        }
        // Odd multipliers in turn until one gives every name a slot of its own: with four
        // slots or more per name, a few dozen tries find one.
        uint64_t m = 0x9E3779B97F4A7C15ull;
        for (int tries = 0; tries < 1000 && multiplier_ == 0; ++tries, m += 0x2545F4914F6CDD1Eull) {
            bool distinct = true;
            for (size_t s = 0; s < kSlots; ++s)
                slots_[s] = -1;
            for (size_t i = 0; i < N && distinct; ++i) {
                const size_t s = slot(features(names_[i], lengths_[i]), m);
                distinct = slots_[s] < 0;
                slots_[s] = static_cast<signed char>(i);
            }
            if (distinct)
                multiplier_ = m;
        }
    }

    // Every name has a slot of its own (else find would miss names).
    constexpr bool ready() const { return multiplier_ != 0; }

    // The index of the row named by the `length` bytes at text, or -1.
    int find(const char* text, size_t length) const {
        if (length == 0 || length >= kMaxName)
            return -1;
        const int i = slots_[slot(features(text, length), multiplier_)];
        return i >= 0 && lengths_[i] == length && same_text(names_[i], text, length) ? i : -1;
    }

private:
    static constexpr size_t kSlotBits = 8;
    static constexpr size_t kSlots = size_t(1) << kSlotBits;
    static_assert(N <= 64, "few names in many slots");

    // The length with the first, middle and last characters: what the hash spreads.
    static constexpr uint64_t features(const char* text, size_t length) {
        return uint64_t(length) | uint64_t(static_cast<unsigned char>(text[0])) << 8 |
               uint64_t(static_cast<unsigned char>(text[length / 2])) << 16 |
               uint64_t(static_cast<unsigned char>(text[length - 1])) << 24;
    }
    static constexpr size_t slot(uint64_t features, uint64_t multiplier) {
        return size_t((features * multiplier) >> (64 - kSlotBits));
    }

    // The `length` (1 to 23) bytes of a name (padded with zeros) equal those at text: a few
    // overlapping loads, none beyond the text.
    static bool same_text(const char (&name)[kMaxName], const char* text, size_t length) {
        if (length >= 8) {
            bool same = load_u64(name) == load_u64(text) &&
                        load_u64(name + length - 8) == load_u64(text + length - 8);
            return length > 16 ? same && load_u64(name + 8) == load_u64(text + 8) : same;
        }
        if (length >= 4)
            return load_u32(name) == load_u32(text) &&
                   load_u32(name + length - 4) == load_u32(text + length - 4);
        return name[0] == text[0] && name[length / 2] == text[length / 2] &&
               name[length - 1] == text[length - 1];
    }

    char names_[N][kMaxName];
    unsigned char lengths_[N];
    signed char slots_[kSlots];
    uint64_t multiplier_;
};

}  // namespace project
}  // namespace tkl
