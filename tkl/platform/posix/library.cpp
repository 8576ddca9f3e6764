// Library loading on POSIX: Windows module names map to shared objects by the "lib" prefix and
// ".so" suffix, so "tactra.dll" finds libtactra.so through the usual dlopen search (our own
// RUNPATH of $ORIGIN first).
#include "tkl/platform/win32.h"

#include <dlfcn.h>
#include <string>
#include <strings.h>

namespace {

// "dir/name.dll" -> "dir/libname.so"; names without ".dll" are used as they stand.
bool shared_object_name(const char* name, std::string& out) {
    size_t len = std::strlen(name);
    if (len < 5 || strcasecmp(name + len - 4, ".dll") != 0)
        return false;
    const char* slash = std::strrchr(name, '/');
    size_t base = slash ? size_t(slash - name) + 1 : 0;
    out.assign(name, base);
    out += "lib";
    out.append(name + base, len - 4 - base);
    out += ".so";
    return true;
}

}  // namespace

extern "C" {

HMODULE LoadLibraryA(LPCSTR name) {
    if (!name || !*name)
        return nullptr;
    void* handle = nullptr;
    try {
        std::string so;
        if (shared_object_name(name, so))
            handle = dlopen(so.c_str(), RTLD_NOW | RTLD_LOCAL);
    } catch (...) {
        return nullptr;
    }
    if (!handle)
        handle = dlopen(name, RTLD_NOW | RTLD_LOCAL);
    return handle;
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
    void* handle = nullptr;
    try {
        std::string so;
        if (shared_object_name(name, so))
            handle = dlopen(so.c_str(), RTLD_NOW | RTLD_NOLOAD);
    } catch (...) {
        return nullptr;
    }
    if (!handle)
        handle = dlopen(name, RTLD_NOW | RTLD_NOLOAD);
    // Windows hands out no reference here; balance the one dlopen took.
    if (handle)
        dlclose(handle);
    return handle;
}

}  // extern "C"
