#pragma once
// The braced registry form of a GUID, "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}", for narrow and
// wide texts alike: the POSIX CLSIDFromString and the project reader parse it the same way, so
// identifiers read the same on both targets.

#include "tkl/platform/win32.h"

#include <cstdint>
#include <type_traits>

namespace tkl {

// Characters of the braced form, without a terminator.
inline constexpr int kGuidTextLength = 38;

// Hexadecimal digit values by character code; -1 for any other character.
struct GuidHexTable {
    signed char value[256];
    constexpr GuidHexTable() : value() {
        for (int c = 0; c < 256; ++c)
            value[c] = static_cast<signed char>(c >= '0' && c <= '9'   ? c - '0'
                                                : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                                       : -1);
    }
};
inline constexpr GuidHexTable kGuidHex{};

template <typename Char>
int guid_hex_digit(Char c) {
    // Wide characters beyond one byte are never digits.
    const auto code = static_cast<typename std::make_unsigned<Char>::type>(c);
    return code < 256 ? kGuidHex.value[code] : -1;
}

// Parses exactly kGuidTextLength characters at text (the caller has checked the length);
// false, with `out` untouched, for anything but the braced form.
template <typename Char>
bool parse_braced_guid(const Char* text, GUID& out) {
    if (text[0] != Char('{') || text[9] != Char('-') || text[14] != Char('-') ||
        text[19] != Char('-') || text[24] != Char('-') || text[37] != Char('}'))
        return false;
    // The 16 bytes in text order: Data1, Data2 and Data3 as numbers, Data4 as written.
    static const unsigned char kBytePos[16] = {1, 3, 5, 7, 10, 12, 15, 17,
                                               20, 22, 25, 27, 29, 31, 33, 35};
    uint8_t bytes[16];
    int bad = 0;
    for (int i = 0; i < 16; ++i) {
        const int high = guid_hex_digit(text[kBytePos[i]]);
        const int low = guid_hex_digit(text[kBytePos[i] + 1]);
        bad |= high | low;
        bytes[i] = uint8_t((high & 15) << 4 | (low & 15));
    }
    if (bad < 0)
        return false;
    GUID g;
    g.Data1 = uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 | bytes[3];
    g.Data2 = uint16_t(bytes[4] << 8 | bytes[5]);
    g.Data3 = uint16_t(bytes[6] << 8 | bytes[7]);
    for (int i = 0; i < 8; ++i)
        g.Data4[i] = bytes[8 + i];
    out = g;
    return true;
}

}  // namespace tkl
