#pragma once
// Modules linked into the program itself, for targets without dynamic loading (WebAssembly).
// There LoadLibraryA, GetProcAddress and FreeLibrary reach a module through a table of its
// exports that the program registers once, so that the library's code that loads a device by
// name runs unchanged.

#if defined(__EMSCRIPTEN__)
#include "tkl/platform/win32.h"

extern "C" {
// One export of a linked module; a table ends with a null name.
struct TklLinkedExport {
    const char* name;
    FARPROC address;
};

// Makes `exports` reachable as the module `name` ("tactra.dll"; compared without regard to
// case); a null name registers the program's own exports (GetModuleHandleA(nullptr)). The table
// must outlive every use. False when the name is taken or the registry is full.
TKL_API BOOL tkl_platform_link_module(LPCSTR name, const TklLinkedExport* exports);
}
#endif
