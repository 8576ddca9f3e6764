#pragma once
// The braced registry form of a GUID, "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}", for narrow and
// wide texts alike: the POSIX CLSIDFromString and the project reader parse it the same way, so
// identifiers read the same on both targets.

#include "tkl/platform/win32.h"

#include <cstdint>

namespace tkl {

// Characters of the braced form, without a terminator.
inline constexpr int kGuidTextLength = 38;

template <typename Char>
int guid_hex_digit(Char c) {
    if (c >= Char('0') && c <= Char('9')) return int(c - Char('0'));
    if (c >= Char('a') && c <= Char('f')) return int(c - Char('a')) + 10;
    if (c >= Char('A') && c <= Char('F')) return int(c - Char('A')) + 10;
    return -1;
}

template <typename Char>
bool guid_read_hex(const Char* text, int digits, uint32_t& value) {
    value = 0;
    for (int i = 0; i < digits; ++i) {
        const int d = guid_hex_digit(text[i]);
        if (d < 0)
            return false;
        value = (value << 4) | uint32_t(d);
    }
    return true;
}

// Parses exactly kGuidTextLength characters at text (the caller has checked the length);
// false, with `out` untouched, for anything but the braced form.
template <typename Char>
bool parse_braced_guid(const Char* text, GUID& out) {
    if (text[0] != Char('{') || text[9] != Char('-') || text[14] != Char('-') ||
        text[19] != Char('-') || text[24] != Char('-') || text[37] != Char('}'))
        return false;
    GUID g;
    uint32_t v;
    if (!guid_read_hex(text + 1, 8, v)) return false;
    g.Data1 = v;
    if (!guid_read_hex(text + 10, 4, v)) return false;
    g.Data2 = uint16_t(v);
    if (!guid_read_hex(text + 15, 4, v)) return false;
    g.Data3 = uint16_t(v);
    static const int bytePos[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (int i = 0; i < 8; ++i) {
        if (!guid_read_hex(text + bytePos[i], 2, v)) return false;
        g.Data4[i] = uint8_t(v);
    }
    out = g;
    return true;
}

}  // namespace tkl
