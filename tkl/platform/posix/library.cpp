// Library loading on POSIX: Windows module names map to shared objects by the "lib" prefix and
// ".so" suffix, so "tactra.dll" finds libtactra.so through the usual dlopen search (our own
// RUNPATH of $ORIGIN first).
#include "tkl/platform/win32.h"

#include <dlfcn.h>
#include <limits.h>
#include <cstdio>
#include <strings.h>

namespace {

// "dir/name.dll" -> "dir/libname.so"; false for names without ".dll" (used as they stand).
bool shared_object_name(const char* name, char (&out)[PATH_MAX]) {
    const size_t len = std::strlen(name);
    if (len < 5 || strcasecmp(name + len - 4, ".dll") != 0)
        return false;
    const char* slash = std::strrchr(name, '/');
    const int dir = slash ? int(slash - name) + 1 : 0;
    const int stem = int(len) - 4 - dir;
    const int n = std::snprintf(out, sizeof out, "%.*slib%.*s.so", dir, name, stem, name + dir);
    return n > 0 && size_t(n) < sizeof out;
}

void* open_module(LPCSTR name, int mode) {
    char so[PATH_MAX];
    void* handle = shared_object_name(name, so) ? dlopen(so, mode) : nullptr;
    return handle ? handle : dlopen(name, mode);
}

}  // namespace

extern "C" {

HMODULE LoadLibraryA(LPCSTR name) {
    if (!name || !*name)
        return nullptr;
    return open_module(name, RTLD_NOW | RTLD_LOCAL);
}

FARPROC GetProcAddress(HMODULE module, LPCSTR name) {
    if (!module || !name)
        return nullptr;
    return reinterpret_cast<FARPROC>(dlsym(module, name));
}

BOOL FreeLibrary(HMODULE module) {
    if (!module)
        return FALSE;
    return dlclose(module) == 0 ? TRUE : FALSE;
}

HMODULE GetModuleHandleA(LPCSTR name) {
    if (!name)
        return dlopen(nullptr, RTLD_NOW);
    void* handle = open_module(name, RTLD_NOW | RTLD_NOLOAD);
    // Windows hands out no reference here; balance the one dlopen took.
    if (handle)
        dlclose(handle);
    return handle;
}

}  // extern "C"
