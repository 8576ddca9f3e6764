// Library loading on POSIX: Windows module names map to shared objects by the "lib" prefix and
// ".so" suffix. A plain name ("tactra.dll") is looked for beside libtkl.so itself first, then
// through the usual dlopen search. dlopen searches the RUNPATH of whoever calls it, and that is
// not always us: a sanitizer's or a launcher's interposed dlopen becomes the caller, and
// LD_LIBRARY_PATH outranks RUNPATH. Our own folder first keeps the module the library's
// installer put beside it the one that is found.
#include "tkl/platform/win32.h"
#include "tkl/platform/modulesearch.h"
#include "tkl/platform/posix/modulesymbol.h"

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

// `file` in the folder this library was loaded from; false when that can't be told.
bool beside_this_library(const char* file, char (&out)[PATH_MAX]) {
    Dl_info info;
    if (!dladdr(reinterpret_cast<void*>(&shared_object_name), &info) || !info.dli_fname)
        return false;
    const char* slash = std::strrchr(info.dli_fname, '/');
    if (!slash)
        return false;
    const int dir = int(slash - info.dli_fname) + 1;
    const int n = std::snprintf(out, sizeof out, "%.*s%s", dir, info.dli_fname, file);
    return n > 0 && size_t(n) < sizeof out;
}

void* open_module(LPCSTR name, int mode) {
    char so[PATH_MAX];
    if (!shared_object_name(name, so))
        return dlopen(name, mode);
    void* handle = nullptr;
    char beside[PATH_MAX];
    if (!std::strchr(so, '/') && beside_this_library(so, beside))
        handle = dlopen(beside, mode);
    if (!handle)
        handle = dlopen(so, mode);
    return handle ? handle : dlopen(name, mode);
}

}  // namespace

void* tkl_module_symbol(HMODULE module, const char* symbol) {
    void* handle = module ? module : dlopen(nullptr, RTLD_NOW);
    if (!handle)
        return nullptr;
    void* found = dlsym(handle, symbol);
    if (!module)
        dlclose(handle);
    return found;
}

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

void tkl_describe_module_search(const char* name, char* text, size_t size) {
    char so[PATH_MAX];
    if (!shared_object_name(name, so)) {
        std::snprintf(text, size, "%s on the dynamic linker's search path", name);
        return;
    }
    char beside[PATH_MAX];
    if (!std::strchr(so, '/') && beside_this_library(so, beside))
        std::snprintf(text, size,
                      "%s, then %s on the dynamic linker's search path (LD_LIBRARY_PATH, the "
                      "program's RUNPATH, the system folders)",
                      beside, so);
    else
        std::snprintf(text, size, "%s on the dynamic linker's search path", so);
}
