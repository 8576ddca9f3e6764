#pragma once
// Numeric property values: decimal texts read as the standard library's atol does.

#include "tkl/project/projectreader.h"

#include <cstdint>

namespace tkl {
namespace project {

// Optional white space, optional sign, decimal digits up to the first other character; no
// digits read as 0. Values beyond 32 bits saturate at LONG's limits.
LONG parse_number(const char* text);

// Eight decimal digits in the bytes of w, the first in the lowest byte: their number, or -1 when
// a byte is not a digit. Each byte is compared with '0' and '9' by adding offsets that carry
// into its top bit only, and the digits are combined pairwise: 2 of them, then 4, then 8.
inline int64_t eight_digits(uint64_t w) {
    const uint64_t ones = 0x0101010101010101ull, tops = ones * 0x80;
    const uint64_t atLeast0 = w + ones * (0x80 - '0');
    const uint64_t above9 = w + ones * (0x7F - '9');
    if ((w | ~atLeast0 | above9) & tops)
        return -1;
    uint64_t v = w - ones * '0';
    v = (v * 10 + (v >> 8)) & 0x00FF00FF00FF00FFull;
    v = (v * 100 + (v >> 16)) & 0x0000FFFF0000FFFFull;
    v = (v * 10000 + (v >> 32)) & 0xFFFFFFFFull;
    return int64_t(v);
}

// parse_number of a pair's value, the pair lying in `list`: a value of at most eight digits is
// read as one word of the list's bytes.
inline LONG read_number(const PairList& list, const Pair& pair) {
    const char* digits = pair.value;
    size_t n = pair.valueLength;
    const bool signed_ = n > 0 && (*digits == '-' || *digits == '+');
    if (signed_) {
        ++digits;
        --n;
    }
    if (n >= 1 && n <= 8) {
        // The digits as the top n bytes of a word, '0' below them: the word is read where it
        // lies inside the list, ending at the last digit or starting at the first.
        const unsigned pad = unsigned(8 - n) * 8;
        const uint64_t padding = 0x3030303030303030ull & ~(~uint64_t(0) << pad);
        const size_t before = size_t(digits - list.data);
        int64_t value = -1;
        if (before + n >= 8)
            value = eight_digits((load_u64(digits + n - 8) >> pad << pad) | padding);
        else if (before + 8 <= list.size)
            value = eight_digits((load_u64(digits) << pad) | padding);
        if (value >= 0)
            return LONG(signed_ && pair.value[0] == '-' ? -value : value);
    }
    return parse_number(pair.value);
}

// The value of the first pair with that key, or `fallback` when there is none.
LONG get_property(const PairList& pairs, const char* key, LONG fallback);

}  // namespace project
}  // namespace tkl
