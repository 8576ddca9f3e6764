#include "tkl/core/tklerrors.h"

#include "tkl/core/errortexts.h"

#include <cstdint>
#include <cstdio>

LONG CTKLErrors::m_Err = TKL_ERR_NONE;
DWORD CTKLErrors::m_dwErrHandlingFlags = TKL_ERRH_DEBUG_OUTPUT;

void CTKLErrors::SetErrorCode(LONG code) {
    m_Err = code;
    const DWORD flags = m_dwErrHandlingFlags & (TKL_ERRH_DEBUG_OUTPUT | TKL_ERRH_MESSAGE_BOX);
    if (code == TKL_ERR_NONE || flags == 0)
        return;

    // Codes are 32-bit on both targets; print them through fixed types so that the text is
    // the same wherever long is wider.
    const int32_t value = int32_t(code);
    char id[128];
    const char* message = tkl::error_message(code);
    if (tkl::is_library_code(code)) {
        std::snprintf(id, sizeof id, "[ID = %ld]", long(value));
    } else {
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
