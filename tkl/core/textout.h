#pragma once
// Hands a text to a caller's buffer the way snprintf does, for every function that writes one.

#include "tkl/platform/win32.h"

namespace tkl {

// Copies text into buffer, NUL-terminated and cut to fit size bytes (nothing when buffer is
// null or size is 0); returns the length of the whole text.
DWORD write_text(const char* text, char* buffer, DWORD size);

}  // namespace tkl
