// Debugger output and message boxes on POSIX: there is no debugger channel or desktop, so both
// are written to stderr, unless the program has set an output hook.
#include "tkl/platform/win32.h"

#include <cstdio>

namespace {
TklOutputHook g_hook = nullptr;
void* g_hookContext = nullptr;
}  // namespace

extern "C" {

void tkl_platform_set_output_hook(TklOutputHook hook, void* context) {
    g_hook = hook;
    g_hookContext = context;
}

void OutputDebugStringA(LPCSTR text) {
    if (!text)
        return;
    if (g_hook) {
        g_hook(nullptr, text, 0, g_hookContext);
        return;
    }
    std::fputs(text, stderr);
}

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT style) {
    if (g_hook) {
        g_hook(caption ? caption : "", text ? text : "", style, g_hookContext);
        return IDOK;
    }
    std::fprintf(stderr, "[%s] %s\n", caption ? caption : "", text ? text : "");
    return IDOK;
}

}  // extern "C"
