#include "tkl/devices/sharedmodule.h"

#include "tkl/core/tklerrors.h"
#include "tkl/platform/modulesearch.h"

#include <cstdio>

namespace {

// The error code alone cannot say which module was missing or where it was looked for; the
// debugger output, when it is on, gets a line that does.
void report_missing(const char* name) {
    if (!(CTKLErrors::GetErrorHandling() & TKL_ERRH_DEBUG_OUTPUT))
        return;
    char where[2048];  // two paths at most
    tkl_describe_module_search(name, where, sizeof where);
    char line[sizeof where + 64];
    std::snprintf(line, sizeof line, "*** TKL: module %s not found; looked for %s\n", name, where);
    OutputDebugStringA(line);
}

}  // namespace

BOOL tkl_load_shared(const char* name, HMODULE& handle, LONG& loads, BOOL& held) {
    HMODULE module = LoadLibraryA(name);
    if (!module) {
        report_missing(name);
        return FALSE;
    }
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
