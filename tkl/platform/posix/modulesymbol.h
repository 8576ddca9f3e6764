#pragma once
// The platform layer's own symbol lookup, shared by library loading and resources.

#include "tkl/platform/win32.h"

// The address of `symbol` in `module`, or in the main program for a null module; null when
// there is none.
void* tkl_module_symbol(HMODULE module, const char* symbol);
