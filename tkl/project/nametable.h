#pragma once
// A fixed set of names (type names, property keys) found by their text: an open-addressing
// table filled at compile time, so that a text read from project data is compared in full
// with at most a few of the names.

#include "tkl/project/bytescan.h"

#include <cstddef>
#include <cstdint>

namespace tkl {
namespace project {

// The same `length` bytes at a and b.
inline bool same_bytes(const char* a, const char* b, size_t length) {
    if (length >= 8) {
        // Whole words, the last one overlapping the one before.
        for (size_t i = 0; i + 8 < length; i += 8)
            if (load_u64(a + i) != load_u64(b + i))
                return false;
        return load_u64(a + length - 8) == load_u64(b + length - 8);
    }
    for (size_t i = 0; i < length; ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

template <size_t N>
class NameTable {
public:
    // The names are the `name` members of the rows; the first of equal names is found.
    template <typename Row>
    constexpr NameTable(const Row (&rows)[N], const char* const Row::*name)
        : names_(), lengths_(), slots_() {
        for (size_t s = 0; s < kSlots; ++s)
            slots_[s] = -1;
        for (size_t i = 0; i < N; ++i) {
            names_[i] = rows[i].*name;
            size_t length = 0;
            while (names_[i][length])
                ++length;
            lengths_[i] = static_cast<unsigned char>(length);
            size_t s = hash(names_[i], length) % kSlots;
            while (slots_[s] >= 0)
                s = (s + 1) % kSlots;
            slots_[s] = static_cast<signed char>(i);
        }
    }

    // The index of the row named by the `length` bytes at text, or -1.
    int find(const char* text, size_t length) const {
        for (size_t s = hash(text, length) % kSlots; slots_[s] >= 0; s = (s + 1) % kSlots) {
            const size_t i = size_t(slots_[s]);
            if (lengths_[i] == length && same_bytes(names_[i], text, length))
                return int(i);
        }
        return -1;
    }

private:
    // Room for twice the names and more: a probe rarely passes a name of another slot.
    static constexpr size_t kSlots = 128;
    static_assert(N <= kSlots / 2, "a sparse table");

    // The length with the first, middle and last characters: the names of each table differ in
    // these, so the hash is cheap and collisions are rare.
    static constexpr uint32_t hash(const char* text, size_t length) {
        return length == 0 ? 0
                           : uint32_t(length) * 131u + static_cast<unsigned char>(text[0]) * 31u +
                                 static_cast<unsigned char>(text[length / 2]) * 7u +
                                 static_cast<unsigned char>(text[length - 1]);
    }

    const char* names_[N];
    unsigned char lengths_[N];
    signed char slots_[kSlots];
};

}  // namespace project
}  // namespace tkl
