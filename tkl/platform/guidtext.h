#pragma once
// The braced registry form of a GUID, "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}", for narrow and
// wide texts alike: the POSIX CLSIDFromString and the project reader parse it the same way, so
// identifiers read the same on both targets.

#include "tkl/platform/win32.h"

#include <cstdint>
#include <cstring>
#include <type_traits>

namespace tkl {

// Characters of the braced form, without a terminator.
inline constexpr int kGuidTextLength = 38;

namespace guidtext {

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the digits are read as little-endian words");

// Four bytes decoded from the eight hexadecimal digits in the bytes of v (the first digit in
// the lowest byte), the first byte lowest. The result has a top bit set for each byte of v
// that is not a digit: all eight are checked and decoded at once, each byte compared with the
// bounds of the digit and letter ranges by adding offsets that carry into its top bit only.
inline uint64_t hex8(uint64_t v, uint32_t& out) {
    const uint64_t ones = 0x0101010101010101ull, tops = ones * 0x80;
    const uint64_t lower = v | ones * 0x20;  // 'A'-'F' as 'a'-'f'; digits keep their codes
    const uint64_t digit = (v + ones * (0x80 - '0')) & ~(v + ones * (0x7F - '9'));
    const uint64_t letter = (lower + ones * (0x80 - 'a')) & ~(lower + ones * (0x7F - 'f'));
    // Bytes beyond ASCII carry across the lanes above; they are no digits in any case.
    const uint64_t invalid = (v | ~(digit | letter)) & tops;
    const uint64_t nibbles = (v & ones * 0x0F) + ((letter & tops) >> 7) * 9;
    uint64_t bytes = (nibbles << 4 | nibbles >> 8) & 0x00FF00FF00FF00FFull;
    bytes = (bytes | bytes >> 8) & 0x0000FFFF0000FFFFull;
    out = uint32_t(bytes | bytes >> 16);
    return invalid;
}

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

}  // namespace guidtext

// Parses exactly kGuidTextLength characters at text (the caller has checked the length);
// false, with `out` untouched, for anything but the braced form.
inline bool parse_braced_guid(const char* text, GUID& out) {
    if (text[0] != '{' || text[9] != '-' || text[14] != '-' || text[19] != '-' ||
        text[24] != '-' || text[37] != '}')
        return false;
    // Text order: Data1, Data2 and Data3 as numbers, Data4 as written. (Plain variables: words
    // gathered in an array would be vectorised through memory, reading back wider than written.)
    uint32_t data1, data23, data4a, data4b;
    const uint64_t invalid = guidtext::hex8(guidtext::load8(text + 1), data1) |
                             guidtext::hex8(guidtext::load4x2(text + 10, text + 15), data23) |
                             guidtext::hex8(guidtext::load4x2(text + 20, text + 25), data4a) |
                             guidtext::hex8(guidtext::load8(text + 29), data4b);
    if (invalid)
        return false;
    out.Data1 = __builtin_bswap32(data1);
    out.Data2 = uint16_t((data23 & 0xFF) << 8 | (data23 >> 8 & 0xFF));
    out.Data3 = uint16_t((data23 >> 16 & 0xFF) << 8 | data23 >> 24);
    std::memcpy(out.Data4, &data4a, 4);
    std::memcpy(out.Data4 + 4, &data4b, 4);
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
