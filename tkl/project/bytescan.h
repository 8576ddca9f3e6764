#pragma once
// Scans of project bytes eight at a time, for texts of any length and lists beyond what the
// reader's sixteen-byte scan keeps (pairlist.h): the ends of texts and the count of one byte
// value. Every load stays inside the bounds it is given, so data that ends exactly where it
// should is never read past.

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tkl {
namespace project {

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "bytes are flagged in little-endian words");

inline uint64_t load_u64(const char* p) {
    uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// The top bit of each byte set exactly where that byte of v is zero. Exact for every byte (no
// borrow runs from one byte into the next), so the bits can be counted as well as searched.
inline uint64_t zero_byte_bits(uint64_t v) {
    const uint64_t low7 = 0x7F7F7F7F7F7F7F7Full;
    return ~(((v & low7) + low7) | v) & ~low7;
}

// The number of bytes among eight flagged in zero_byte_bits form.
inline size_t flagged_bytes(uint64_t bits) {
    return size_t(((bits >> 7) * 0x0101010101010101ull) >> 56);
}

// Index of the lowest flagged byte (bits not 0).
inline size_t first_flagged_byte(uint64_t bits) { return size_t(__builtin_ctzll(bits)) >> 3; }

// The length of the zero-terminated text at p within `limit` bytes, or -1 when unterminated.
// Names, keys and numbers are short and found within a word or two; memchr takes over for
// long texts.
inline ptrdiff_t text_length(const char* p, size_t limit) {
    const size_t inline_part = limit < 64 ? limit : 64;
    size_t i = 0;
    for (; i + 8 <= inline_part; i += 8) {
        const uint64_t zeros = zero_byte_bits(load_u64(p + i));
        if (zeros)
            return ptrdiff_t(i + first_flagged_byte(zeros));
    }
    if (i < inline_part) {
        if (inline_part >= 8) {
            // The last word ends where the part does; the bytes it shares with the word before
            // are not zero.
            const size_t last = inline_part - 8;
            const uint64_t zeros = zero_byte_bits(load_u64(p + last));
            if (zeros)
                return ptrdiff_t(last + first_flagged_byte(zeros));
        } else {
            for (; i < inline_part; ++i)
                if (p[i] == 0)
                    return ptrdiff_t(i);
        }
    }
    if (limit == inline_part)
        return -1;
    const void* end = std::memchr(p + inline_part, 0, limit - inline_part);
    return end ? static_cast<const char*>(end) - p : -1;
}

// How many of the `size` bytes at p equal c.
inline size_t count_byte(const char* p, size_t size, unsigned char c) {
    const uint64_t pattern = 0x0101010101010101ull * c;
    size_t count = 0, i = 0;
    for (; i + 8 <= size; i += 8)
        count += flagged_bytes(zero_byte_bits(load_u64(p + i) ^ pattern));
    for (; i < size; ++i)
        count += static_cast<unsigned char>(p[i]) == c;
    return count;
}

}  // namespace project
}  // namespace tkl
