// Text services: the GUID registry form and the ANSI-to-wide conversion.
#include "tkl/platform/win32.h"

namespace {

int hex_digit(WCHAR c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

// Reads `digits` hex digits at text[pos]; false on any other character.
bool read_hex(LPCOLESTR text, int pos, int digits, uint32_t& value) {
    value = 0;
    for (int i = 0; i < digits; ++i) {
        int d = hex_digit(text[pos + i]);
        if (d < 0)
            return false;
        value = (value << 4) | uint32_t(d);
    }
    return true;
}

bool parse_registry_guid(LPCOLESTR text, GUID& out) {
    // {xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}: 38 characters exactly.
    for (int i = 0; i < 38; ++i)
        if (text[i] == 0)
            return false;
    if (text[38] != 0 || text[0] != u'{' || text[37] != u'}' || text[9] != u'-' ||
        text[14] != u'-' || text[19] != u'-' || text[24] != u'-')
        return false;
    uint32_t v;
    if (!read_hex(text, 1, 8, v)) return false;
    out.Data1 = v;
    if (!read_hex(text, 10, 4, v)) return false;
    out.Data2 = uint16_t(v);
    if (!read_hex(text, 15, 4, v)) return false;
    out.Data3 = uint16_t(v);
    static const int bytePos[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (int i = 0; i < 8; ++i) {
        if (!read_hex(text, bytePos[i], 2, v)) return false;
        out.Data4[i] = uint8_t(v);
    }
    return true;
}

}  // namespace

extern "C" {

HRESULT CLSIDFromString(LPCOLESTR text, CLSID* clsid) {
    if (!clsid)
        return E_INVALIDARG;
    *clsid = GUID_NULL;
    if (!text || !*text)
        return S_OK;
    GUID parsed;
    if (!parse_registry_guid(text, parsed))
        return CO_E_CLASSSTRING;
    *clsid = parsed;
    return S_OK;
}

int MultiByteToWideChar(UINT, DWORD, LPCSTR src, int cbSrc, LPWSTR dst, int cchDst) {
    if (!src || cbSrc == 0 || cchDst < 0)
        return 0;
    // -1: the text and its terminator.
    int count = cbSrc < 0 ? int(std::strlen(src)) + 1 : cbSrc;
    if (cchDst == 0)
        return count;
    if (!dst || cchDst < count)
        return 0;
    for (int i = 0; i < count; ++i)
        dst[i] = WCHAR(static_cast<unsigned char>(src[i]));
    return count;
}

}  // extern "C"
