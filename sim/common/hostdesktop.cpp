#include "sim/common/hostdesktop.h"

// On Windows the system's; in a single-module program (WebAssembly) the platform layer is
// linked in beside the device and called directly.
#if defined(_WIN32) || defined(__EMSCRIPTEN__)

bool sim_host_screen(LONG* width, LONG* height) {
    *width = GetSystemMetrics(SM_CXSCREEN);
    *height = GetSystemMetrics(SM_CYSCREEN);
    return *width > 0 && *height > 0;
}

bool sim_host_cursor(POINT* at) { return GetCursorPos(at) != FALSE; }

bool sim_host_move_cursor(LONG x, LONG y) { return SetCursorPos(x, y) != FALSE; }

#else

#include <dlfcn.h>

namespace {

// Looked up at each use: the library that provides them may be loaded or unloaded meanwhile.
// libtkl.so exports them as tkl_<name> (tkl/platform/win32.h).
template <class Fn>
Fn platform(const char* name) {
    return reinterpret_cast<Fn>(dlsym(RTLD_DEFAULT, name));
}

}  // namespace

bool sim_host_screen(LONG* width, LONG* height) {
    auto metrics = platform<int (*)(int)>("tkl_GetSystemMetrics");
    if (!metrics)
        return false;
    *width = metrics(SM_CXSCREEN);
    *height = metrics(SM_CYSCREEN);
    return *width > 0 && *height > 0;
}

bool sim_host_cursor(POINT* at) {
    auto get = platform<BOOL (*)(POINT*)>("tkl_GetCursorPos");
    return get && get(at);
}

bool sim_host_move_cursor(LONG x, LONG y) {
    auto set = platform<BOOL (*)(int, int)>("tkl_SetCursorPos");
    return set && set(x, y);
}

#endif
