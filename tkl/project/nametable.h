#pragma once
// A fixed set of names (type names, property keys) found by their text: a table filled at
// compile time with a hash of a text's length and first eight characters that gives every
// name a slot of its own, so that a text read from project data is compared with one name at
// most, a word at a time.

#include "tkl/project/bytescan.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

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
        : words_(), lengths_(), slots_(), multiplier_(0) {
        for (size_t i = 0; i < N; ++i) {
            const char* text = rows[i].*name;
            size_t length = 0;
            for (; text[length]; ++length)
                words_[i][length / 8] |= uint64_t(static_cast<unsigned char>(text[length]))
                                         << (8 * (length % 8));
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
                const size_t s = slot(words_[i][0], lengths_[i], m);
                distinct = slots_[s] < 0;
                slots_[s] = static_cast<signed char>(i);
            }
            if (distinct)
                multiplier_ = m;
        }
    }

    // Every name has a slot of its own (else find would miss names).
    constexpr bool ready() const { return multiplier_ != 0; }

    // The index of the row named by the `length` bytes at text, or -1; `readable` bytes from
    // text on may be read (the text's own and what follows it).
    int find(const char* text, size_t length, size_t readable) const {
        if (length == 0 || length >= kMaxName)
            return -1;
        const uint64_t first = first_word(text, length, readable);
        const int i = slots_[slot(first, length, multiplier_)];
        if (i < 0 || lengths_[i] != length || words_[i][0] != first)
            return -1;
        if (length <= 8)
            return i;
        // The rest: the last eight characters, and beyond sixteen the second eight.
        const char* name = reinterpret_cast<const char*>(words_[i]);
        if (load_u64(text + length - 8) != load_u64(name + length - 8))
            return -1;
        return length <= 16 || load_u64(text + 8) == load_u64(name + 8) ? i : -1;
    }

private:
    static constexpr size_t kSlotBits = 8;
    static constexpr size_t kSlots = size_t(1) << kSlotBits;
    static_assert(N <= 64, "few names in many slots");

    // The first eight characters of a text (fewer in a shorter one, zeros after them).
    static uint64_t first_word(const char* text, size_t length, size_t readable) {
        const size_t bytes = length < 8 ? length : 8;
        if (readable >= 8)
            return load_u64(text) & (~uint64_t(0) >> (64 - 8 * bytes));
        uint64_t word = 0;
        std::memcpy(&word, text, bytes);
        return word;
    }

    static constexpr size_t slot(uint64_t first, size_t length, uint64_t multiplier) {
        return size_t(((first ^ length) * multiplier) >> (64 - kSlotBits));
    }

    uint64_t words_[N][kMaxName / 8];  // each name's characters, zeros after them
    unsigned char lengths_[N];
    signed char slots_[kSlots];
    uint64_t multiplier_;
};

}  // namespace project
}  // namespace tkl
