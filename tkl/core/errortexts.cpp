#include "tkl/core/errortexts.h"

#include <cstdint>
#include <cstdio>

#include "tkl/core/textout.h"
#include "tkl/core/tklerrors.h"

namespace {

const char* const kMessages[16] = {
    "No Error",
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

struct ResultName {
    uint32_t value;
    const char* names;
};

// Results the devices are known to pass up. Several DirectInput names share a value; the one
// that says most is listed.
const ResultName kResultNames[] = {
    {0x80004001u, "E_NOTIMPL/DIERR_UNSUPPORTED/TACTRA_ERROR_UNSUPPORTED"},
    {0x80004002u, "E_NOINTERFACE/DIERR_NOINTERFACE"},
    {0x80004003u, "E_POINTER"},
    {0x80004005u, "E_FAIL/DIERR_GENERIC"},
    {0x80040110u, "CLASS_E_NOAGGREGATION/DIERR_NOAGGREGATION/TACTRA_ERROR_NOAGGREGATION"},
    {0x80040154u, "REGDB_E_CLASSNOTREG/DIERR_DEVICENOTREG/TACTRA_ERROR_DEVICENOTREG"},
    {0x80040200u, "DIERR_INSUFFICIENTPRIVS"},
    {0x80040201u, "DIERR_DEVICEFULL/TACTRA_ERROR_DEVICEFULL"},
    {0x80040202u, "DIERR_MOREDATA"},
    {0x80040203u, "DIERR_NOTDOWNLOADED/TACTRA_ERROR_NOTDOWNLOADED"},
    {0x80040204u, "DIERR_HASEFFECTS"},
    {0x80040205u, "DIERR_NOTEXCLUSIVEACQUIRED"},
    {0x80040206u, "DIERR_INCOMPLETEEFFECT/TACTRA_ERROR_INCOMPLETEEFFECT"},
    {0x80040207u, "DIERR_NOTBUFFERED"},
    {0x80040208u, "DIERR_EFFECTPLAYING/TACTRA_ERROR_EFFECTPLAYING"},
    {0x80040209u, "DIERR_UNPLUGGED"},
    {0x8004020Au, "DIERR_REPORTFULL"},
    {0x80070002u, "DIERR_NOTFOUND/TACTRA_ERROR_NOTFOUND"},
    {0x80070005u, "E_ACCESSDENIED/DIERR_OTHERAPPHASPRIO/TACTRA_ERROR_OTHERAPPHASPRIO"},
    {0x80070006u, "E_HANDLE"},
    {0x8007000Cu, "DIERR_NOTACQUIRED/TACTRA_ERROR_NOTACQUIRED"},
    {0x8007000Eu, "E_OUTOFMEMORY/DIERR_OUTOFMEMORY/TACTRA_ERROR_OUTOFMEMORY"},
    {0x80070015u, "DIERR_NOTINITIALIZED/TACTRA_ERROR_NOTINITIALIZED"},
    {0x8007001Eu, "DIERR_INPUTLOST/TACTRA_ERROR_INPUTLOST"},
    {0x80070057u, "E_INVALIDARG/DIERR_INVALIDPARAM/TACTRA_ERROR_INVALIDPARAM"},
    {0x80070077u, "DIERR_BADDRIVERVER"},
    {0x800700AAu, "DIERR_ACQUIRED"},
    {0x8007047Eu, "DIERR_OLDDIRECTINPUTVERSION/TACTRA_ERROR_OLDVERSION"},
    {0x80070481u, "DIERR_BETADIRECTINPUTVERSION/TACTRA_ERROR_BETAVERSION"},
    {0x800704DFu, "DIERR_ALREADYINITIALIZED"},
};

}  // namespace

namespace tkl {

// Codes are taken as unsigned 32-bit values, so that a negative code never indexes the table
// and the texts are the same wherever long is wider.
bool is_library_code(LONG code) { return uint32_t(int32_t(code)) < 16u; }

const char* error_message(LONG code) {
    return is_library_code(code) ? kMessages[uint32_t(int32_t(code))] : kLowerLayerMessage;
}

const char* result_names(LONG code) {
    const uint32_t value = uint32_t(int32_t(code));
    for (const ResultName& entry : kResultNames)
        if (entry.value == value)
            return entry.names;
    return nullptr;
}

}  // namespace tkl

DWORD CTKLErrors::GetErrorText(LONG code, char* buffer, DWORD size) {
    // The whole text is made here first (it is short and bounded), so that the length returned
    // does not depend on how a C runtime's snprintf answers a buffer that is too small.
    const char* message = tkl::error_message(code);
    if (tkl::is_library_code(code))
        return tkl::write_text(message, buffer, size);
    char text[160];
    const unsigned long value = static_cast<unsigned long>(uint32_t(int32_t(code)));
    const char* names = tkl::result_names(code);
    if (names)
        std::snprintf(text, sizeof text, "%s 0x%08lX (%s)", message, value, names);
    else
        std::snprintf(text, sizeof text, "%s 0x%08lX", message, value);
    return tkl::write_text(text, buffer, size);
}
