#include "tkl/project/pairlist.h"

#include <emmintrin.h>

#include <cstring>

namespace tkl {
namespace project {
namespace {

constexpr size_t kSpan = 16;

// The zero bytes among the 16 at p, one bit each.
uint64_t zero_bits16(const char* p) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    return uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_setzero_si128())));
}

// The zero bytes among the last `size` % 16 bytes of the `size` at p, from bit 0 on.
uint64_t tail_zero_bits(const char* p, size_t size) {
    const size_t rest = size % kSpan;
    if (size >= kSpan)  // the span ending with the data; the bytes shifted out were seen before
        return zero_bits16(p + size - kSpan) >> (kSpan - rest);
    char span[kSpan];
    std::memset(span, 0xFF, sizeof span);
    std::memcpy(span, p, rest);
    return zero_bits16(span);
}

}  // namespace

size_t find_zero_bytes(const char* p, size_t size, size_t* ends, size_t wanted) {
    size_t found = 0;
    for (size_t i = 0; i < size && found < wanted; i += kSpan) {
        uint64_t zeros = i + kSpan <= size ? zero_bits16(p + i) : tail_zero_bits(p, size);
        for (; zeros && found < wanted; zeros &= zeros - 1)
            ends[found++] = i + size_t(__builtin_ctzll(zeros));
    }
    return found;
}

bool find_pair_ends(const PairList& list, PairEnds& ends) {
    const char* const p = list.data;
    const size_t size = list.size;
    const size_t covered = size < PairEnds::kCovered ? size : PairEnds::kCovered;
    ends.words = uint32_t((covered + 63) / 64);
    // Whole pairs are an even number of texts, the last one ending the list.
    uint64_t parity = 0;
    for (uint32_t w = 0; w < ends.words; ++w) {
        const size_t first = size_t(w) * 64;
        const size_t last = first + 64 < covered ? first + 64 : covered;
        uint64_t zeros = 0;
        size_t i = first;
        for (; i + kSpan <= last; i += kSpan)
            zeros |= zero_bits16(p + i) << (i - first);
        if (i < last)
            zeros |= tail_zero_bits(p, last) << (i - first);
        ends.zeros[w] = zeros;
        parity ^= zeros;
    }
    // Zeros beyond the covered bytes (a list of very many pairs) are only counted.
    const size_t beyond = count_byte(p + covered, size - covered, 0);
    return size == 0 || ((__builtin_parityll(parity) ^ (beyond & 1)) == 0 && p[size - 1] == 0);
}

}  // namespace project
}  // namespace tkl
