#pragma once
// The braced registry form of a GUID, "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}", for narrow and
// wide texts alike: the POSIX CLSIDFromString and the project reader parse it the same way, so
// identifiers read the same on both targets. The parser uses SSE2 (x86-64 has it; the i686
// build compiles the files that include this header with -msse2).

#include "tkl/platform/win32.h"

#include <emmintrin.h>

#include <cstdint>
#include <cstring>
#include <type_traits>

namespace tkl {

// Characters of the braced form, without a terminator.
inline constexpr int kGuidTextLength = 38;

namespace guidtext {

inline uint64_t load8(const char* p) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

inline uint64_t load4x2(const char* first, const char* second) {
    uint32_t a, b;
    std::memcpy(&a, first, 4);
    std::memcpy(&b, second, 4);
    return uint64_t(a) | uint64_t(b) << 32;
}

// Sixteen hexadecimal digits (bytes of v in text order) decoded to eight bytes, in the low
// half of `bytes`; false when any byte is not a digit (bytes beyond ASCII compare as negative).
inline bool hex16(__m128i v, __m128i& bytes) {
    const __m128i lower = _mm_or_si128(v, _mm_set1_epi8(0x20));  // 'A'-'F' as 'a'-'f'
    const __m128i digit = _mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8('0' - 1)),
                                        _mm_cmplt_epi8(v, _mm_set1_epi8('9' + 1)));
    const __m128i letter = _mm_and_si128(_mm_cmpgt_epi8(lower, _mm_set1_epi8('a' - 1)),
                                         _mm_cmplt_epi8(lower, _mm_set1_epi8('f' + 1)));
    const __m128i nibbles = _mm_add_epi8(_mm_and_si128(v, _mm_set1_epi8(0x0F)),
                                         _mm_and_si128(letter, _mm_set1_epi8(9)));
    // Each pair of digits, first one high, in the low byte of its 16-bit lane.
    const __m128i pairs =
        _mm_or_si128(_mm_slli_epi16(_mm_and_si128(nibbles, _mm_set1_epi16(0x00FF)), 4),
                     _mm_srli_epi16(nibbles, 8));
    bytes = _mm_packus_epi16(pairs, pairs);
    return _mm_movemask_epi8(_mm_or_si128(digit, letter)) == 0xFFFF;
}

}  // namespace guidtext

// Parses exactly kGuidTextLength characters at text (the caller has checked the length);
// false, with `out` untouched, for anything but the braced form. The 32 digits are checked
// and decoded sixteen at a time.
inline bool parse_braced_guid(const char* text, GUID& out) {
    if (text[0] != '{' || text[9] != '-' || text[14] != '-' || text[19] != '-' ||
        text[24] != '-' || text[37] != '}')
        return false;
    // Text order: Data1, Data2 and Data3 as numbers, then Data4 as written.
    __m128i numbers, data4;
    const bool valid =
        guidtext::hex16(_mm_set_epi64x(int64_t(guidtext::load4x2(text + 10, text + 15)),
                                       int64_t(guidtext::load8(text + 1))),
                        numbers) &
        guidtext::hex16(_mm_set_epi64x(int64_t(guidtext::load8(text + 29)),
                                       int64_t(guidtext::load4x2(text + 20, text + 25))),
                        data4);
    if (!valid)
        return false;
    uint64_t n;
    _mm_storel_epi64(reinterpret_cast<__m128i*>(&n), numbers);
    out.Data1 = __builtin_bswap32(uint32_t(n));
    out.Data2 = __builtin_bswap16(uint16_t(n >> 32));
    out.Data3 = __builtin_bswap16(uint16_t(n >> 48));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out.Data4), data4);
    return true;
}

// The same for wide texts: no character beyond ASCII belongs to the form.
template <typename Char>
bool parse_braced_guid(const Char* text, GUID& out) {
    char narrow[kGuidTextLength];
    for (int i = 0; i < kGuidTextLength; ++i) {
        const auto code = static_cast<typename std::make_unsigned<Char>::type>(text[i]);
        if (code > 0x7F)
            return false;
        narrow[i] = char(code);
    }
    return parse_braced_guid(narrow, out);
}

}  // namespace tkl
