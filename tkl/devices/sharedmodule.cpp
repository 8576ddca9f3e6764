#include "tkl/devices/sharedmodule.h"

BOOL tkl_load_shared(const char* name, HMODULE& handle, LONG& loads, BOOL& held) {
    HMODULE module = LoadLibraryA(name);
    if (!module)
        return FALSE;
    handle = module;
    ++loads;
    held = TRUE;
    return TRUE;
}

void tkl_free_shared(HMODULE& handle, LONG& loads, BOOL& held) {
    if (!held)
        return;
    held = FALSE;
    HMODULE module = handle;
    if (--loads == 0)
        handle = nullptr;
    if (module)
        FreeLibrary(module);
}
