#pragma once
/// @file
/// The library's last-error code and how each error is reported as it is set.

#include "tkl/platform/win32.h"
#include "tkl/platform/export.h"

/// Error codes: 0 is no error, 1 to 15 the library's own; any other value is a failure
/// HRESULT passed up unchanged from a lower layer.
enum TKL_ERROR_CODE {
    TKL_ERR_NONE = 0,                          ///< nothing is reported
    TKL_ERR_UNKNOWN = 1,                       ///< "Unknown Error"
    TKL_ERR_ALLOCATION_FAILED = 2,             ///< "Allocation Failed"
    TKL_ERR_INVALID_PARAMETER = 3,             ///< "Invalid Parameter"
    TKL_ERR_NULL_PARAMETER = 4,                ///< "Null Parameter"
    TKL_ERR_WRONG_FORM = 5,                    ///< "Wrong Form"
    TKL_ERR_DEVICE_IS_NULL = 6,                ///< "Device is NULL"
    TKL_ERR_INVALID_GUID = 7,                  ///< "Invalid GUID"
    TKL_ERR_EFFECT_NOT_INITIALIZED = 8,        ///< "Effect Not Initialized"
    TKL_ERR_CANT_INIT_DEVICE = 9,              ///< "Can't Initialize Device"
    TKL_ERR_CANT_CREATE_EFFECT = 10,           ///< "Can't Create Effect"
    TKL_ERR_CANT_CREATE_EFFECT_FROM_TVX = 11,  ///< "Can't Create Effect From TVX"
    TKL_ERR_NO_EFFECTS_FOUND = 12,             ///< "No Effects Found"
    TKL_ERR_EFFECT_IS_COMPOUND = 13,           ///< "Effect is a Compound Effect"
    TKL_ERR_PROJECT_ALREADY_OPEN = 14,         ///< "CTactraProject Already Open"
    TKL_ERR_PROJECT_NOT_OPEN = 15              ///< "CTactraProject Not Open"
};

/// @name Reporting flags; other bits are ignored.
/// @{
#define TKL_ERRH_DEBUG_OUTPUT 0x00000001u  ///< each error to the debugger output
#define TKL_ERRH_MESSAGE_BOX 0x00000002u   ///< each error in a message box
/// @}

/// One process-wide last-error code, neither per thread nor locked: the last writer wins.
/// Every public operation clears it first and then sets the code of its first failure.
class TKL_API CTKLErrors {
public:
    /// Stores the code (also 0) and, for a non-zero code, reports it as the flags say:
    /// debugger output first, then a modal message box.
    static void SetErrorCode(LONG code);
    /// The code stored last; reading does not clear it.
    static LONG GetLastErrorCode();
    /// Replaces the reporting flags from the next SetErrorCode on.
    static void SetErrorHandling(DWORD flags);
    /// Writes the code's text into buffer, NUL-terminated and cut to fit its size bytes
    /// (nothing is written when size is 0; buffer may then be null), and returns the length of
    /// the whole text without the NUL, as snprintf does. Codes 0 to 15 give their messages
    /// above ("No Error" for 0); any other code gives "Tactra/DirectInput Error" and the code
    /// in hex, with its DirectInput and product force API names where it has any:
    /// "Tactra/DirectInput Error 0x80004005 (E_FAIL/DIERR_GENERIC)". Sets no code.
    static DWORD GetErrorText(LONG code, char* buffer, DWORD size);

private:
    static LONG m_Err;                   ///< 0 at load
    static DWORD m_dwErrHandlingFlags;   ///< TKL_ERRH_DEBUG_OUTPUT at load
};
