#include "tkl/project/pairlist.h"

#include <emmintrin.h>

#include <cstring>

namespace tkl {
namespace project {
namespace {

constexpr uint32_t kSpan = 16;

// Bits set in each byte value.
struct BitCounts {
    unsigned char of[256];
    constexpr BitCounts() : of() {
        for (int v = 0; v < 256; ++v)
            for (int b = v; b; b &= b - 1)
                ++of[v];
    }
};
constexpr BitCounts kBitCounts{};

// The zero bytes among the 16 at p, one bit each.
uint32_t zero_bits16(const char* p) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    return uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_setzero_si128())));
}

// Stores base + the index of each set bit of `bits` at out and returns how many there are.
// Texts are rarely much shorter than eight bytes, so three stores cover most spans: they are
// made whether or not the span holds that many ends (a store beyond the count is overwritten by
// the next span's), and only a span with more ends loops.
inline __attribute__((always_inline)) uint32_t keep_ends(uint32_t bits, uint32_t base,
                                                         uint32_t* out) {
    const uint32_t guard = 1u << kSpan;
    const uint32_t second = bits & (bits - 1);
    const uint32_t third = second & (second - 1);
    out[0] = base + uint32_t(__builtin_ctz(bits | guard));
    out[1] = base + uint32_t(__builtin_ctz(second | guard));
    out[2] = base + uint32_t(__builtin_ctz(third | guard));
    const uint32_t count = kBitCounts.of[bits & 0xFF] + kBitCounts.of[bits >> 8];
    if (count > 3)
        for (uint32_t more = third & (third - 1), k = 3; more; more &= more - 1, ++k)
            out[k] = base + uint32_t(__builtin_ctz(more));
    return count;
}

// The zero bytes among the last `size` % 16 bytes of the `size` at p, from bit 0 on.
uint32_t tail_zero_bits(const char* p, size_t size) {
    const size_t rest = size % kSpan;
    if (size >= kSpan)  // the span ending with the data; the bytes shifted out were seen before
        return zero_bits16(p + size - kSpan) >> (kSpan - rest);
    char span[kSpan];
    std::memset(span, 0xFF, sizeof span);
    std::memcpy(span, p, rest);
    return zero_bits16(span);
}

}  // namespace

bool find_pair_ends(const PairList& list, PairEnds& ends) {
    ends.kept = 0;
    if (list.size == 0)
        return true;
    const char* const p = list.data;
    const size_t size = list.size;
    const size_t spans = size - size % kSpan;
    uint32_t found = 0;
    size_t i = 0;
    // A span may hold sixteen ends: they are kept while there is room for that many.
    for (; i < spans && found <= PairEnds::kKept; i += kSpan)
        found += keep_ends(zero_bits16(p + i), uint32_t(i), ends.at + found);
    if (i == spans && i < size && found <= PairEnds::kKept) {
        found += keep_ends(tail_zero_bits(p, size), uint32_t(i), ends.at + found);
        i = size;
    }
    // Ends beyond those (a list of very many pairs) are only counted; the pairs they end are
    // walked text by text.
    const size_t total = found + count_byte(p + i, size - i, 0);
    ends.kept = found & ~uint32_t(1);
    return total % 2 == 0 && p[size - 1] == 0;
}

}  // namespace project
}  // namespace tkl
