#pragma once
// The one table of error texts: what the debugger line and message box print, and what
// CTKLErrors::GetErrorText writes.

#include "tkl/platform/win32.h"

namespace tkl {

// The message of a code as the reports print it: its row for 1..15, "No Error" for 0, and
// "Tactra/DirectInput Error" for every other code.
const char* error_message(LONG code);

// True for the library's own codes, 0 to 15; every other code is a lower layer's HRESULT.
bool is_library_code(LONG code);

// The DirectInput and product force API names of a lower layer's result, "/"-separated, or
// null when the value has none.
const char* result_names(LONG code);

}  // namespace tkl
