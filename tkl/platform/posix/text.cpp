// Text services: the GUID registry form and the ANSI-to-wide conversion.
#include "tkl/platform/guidtext.h"

namespace {

bool parse_registry_guid(LPCOLESTR text, GUID& out) {
    for (int i = 0; i < tkl::kGuidTextLength; ++i)
        if (text[i] == 0)
            return false;
    return text[tkl::kGuidTextLength] == 0 && tkl::parse_braced_guid(text, out);
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
