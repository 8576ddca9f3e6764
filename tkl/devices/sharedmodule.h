#pragma once
// A lower-layer module loaded by name and shared by every device object of one kind, through
// the kind's static handle and load counter. Each object takes and frees only its own load
// (`held`), so an open device never loses its module and the last one out frees it.

#include "tkl/platform/win32.h"

// Loads `name` for one object; FALSE (nothing held) when the module cannot be loaded.
BOOL tkl_load_shared(const char* name, HMODULE& handle, LONG& loads, BOOL& held);
// Frees the object's load, if it holds one; the handle is forgotten with the last load.
void tkl_free_shared(HMODULE& handle, LONG& loads, BOOL& held);
