#include "tkl/core/tklerrors.h"

#include <cstdint>
#include <cstdio>

LONG CTKLErrors::m_Err = TKL_ERR_NONE;
DWORD CTKLErrors::m_dwErrHandlingFlags = TKL_ERRH_DEBUG_OUTPUT;

namespace {

const char* const kMessages[15] = {
    "Unknown Error",
    "Allocation Failed",
    "Invalid Parameter",
    "Null Parameter",
    "Wrong Form",
    "Device is NULL",
    "Invalid GUID",
    "Effect Not Initialized",
    "Can't Initialize Device",
    "Can't Create Effect",
    "Can't Create Effect From TVX",
    "No Effects Found",
    "Effect is a Compound Effect",
    "CTactraProject Already Open",
    "CTactraProject Not Open",
};
const char kLowerLayerMessage[] = "Tactra/DirectInput Error";

}  // namespace

void CTKLErrors::SetErrorCode(LONG code) {
    m_Err = code;
    const DWORD flags = m_dwErrHandlingFlags & (TKL_ERRH_DEBUG_OUTPUT | TKL_ERRH_MESSAGE_BOX);
    if (code == TKL_ERR_NONE || flags == 0)
        return;

    // Codes are 32-bit on both targets; print them through fixed types so that the text is
    // the same wherever long is wider.
    const int32_t value = int32_t(code);
    char id[128];
    const char* message;
    // code - 1 taken unsigned: exactly 1..15 fall into the table, negatives wrap far above it.
    const uint32_t row = uint32_t(value) - 1u;
    if (row < 15u) {
        message = kMessages[row];
        std::snprintf(id, sizeof id, "[ID = %ld]", long(value));
    } else {
        message = kLowerLayerMessage;
        std::snprintf(id, sizeof id, "[HRESULT = 0x%lX (CODE = %ld)]",
                      static_cast<unsigned long>(uint32_t(value)),
                      long(uint32_t(value) & 0xFFFFu));
    }

    char text[256];
    if (flags & TKL_ERRH_DEBUG_OUTPUT) {
        std::snprintf(text, sizeof text, "*** TKL Error!  \"%s\" %s\n", message, id);
        OutputDebugStringA(text);
    }
    if (flags & TKL_ERRH_MESSAGE_BOX) {
        std::snprintf(text, sizeof text, "TKL has detected the following error:\n\n\"%s\"\n%s\n",
                      message, id);
        MessageBoxA(nullptr, text, "TKL Error", MB_ICONERROR);
    }
}

LONG CTKLErrors::GetLastErrorCode() { return m_Err; }

void CTKLErrors::SetErrorHandling(DWORD flags) { m_dwErrHandlingFlags = flags; }
