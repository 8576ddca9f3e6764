// Library loading where the program is one module (WebAssembly): each "DLL" is a table of
// exports registered by the program, found by its file name. A module keeps a load count as a
// loaded library would, so that FreeLibrary balances LoadLibraryA and a module that nobody
// loaded is not reported as loaded.
#include "tkl/platform/linkedmodules.h"
#include "tkl/platform/modulesearch.h"
#include "tkl/platform/posix/modulesymbol.h"

#include <cstdio>

#include <cstring>
#include <strings.h>

namespace {

struct LinkedModule {
    const char* name;  // null: the program itself
    const TklLinkedExport* exports;
    unsigned loads;
};

const unsigned kMaxModules = 8;
LinkedModule g_modules[kMaxModules];
unsigned g_moduleCount = 0;
// The program's handle when it registered no exports of its own.
LinkedModule g_program = {nullptr, nullptr, 1};

// "dir/name.dll" and "NAME.DLL" both name the module "name.dll".
const char* file_name(const char* path) {
    const char* slash = std::strrchr(path, '/');
    const char* backslash = std::strrchr(path, '\\');
    const char* last = slash > backslash ? slash : backslash;
    return last ? last + 1 : path;
}

LinkedModule* find(LPCSTR name) {
    for (unsigned i = 0; i < g_moduleCount; ++i) {
        LinkedModule& m = g_modules[i];
        if (name ? m.name && strcasecmp(m.name, file_name(name)) == 0 : !m.name)
            return &m;
    }
    return nullptr;
}

LinkedModule* program() {
    LinkedModule* own = find(nullptr);
    return own ? own : &g_program;
}

// Only handles this file handed out are looked into.
LinkedModule* known(HMODULE handle) {
    if (handle == &g_program)
        return &g_program;
    for (unsigned i = 0; i < g_moduleCount; ++i)
        if (handle == &g_modules[i])
            return &g_modules[i];
    return nullptr;
}

}  // namespace

void* tkl_module_symbol(HMODULE handle, const char* symbol) {
    LinkedModule* m = handle ? known(handle) : program();
    if (!m || !m->exports || !symbol)
        return nullptr;
    for (const TklLinkedExport* e = m->exports; e->name; ++e)
        if (std::strcmp(e->name, symbol) == 0)
            return reinterpret_cast<void*>(e->address);
    return nullptr;
}

extern "C" {

BOOL tkl_platform_link_module(LPCSTR name, const TklLinkedExport* exports) {
    if (!exports || (name && !*name) || find(name) || g_moduleCount == kMaxModules)
        return FALSE;
    g_modules[g_moduleCount++] = {name, exports, name ? 0u : 1u};
    return TRUE;
}

HMODULE LoadLibraryA(LPCSTR name) {
    if (!name || !*name)
        return nullptr;
    LinkedModule* m = find(name);
    if (!m)
        return nullptr;
    ++m->loads;
    return m;
}

FARPROC GetProcAddress(HMODULE module, LPCSTR name) {
    if (!module || !name)
        return nullptr;
    return reinterpret_cast<FARPROC>(tkl_module_symbol(module, name));
}

BOOL FreeLibrary(HMODULE module) {
    LinkedModule* m = known(module);
    if (!m || !m->name || m->loads == 0)
        return FALSE;
    --m->loads;
    return TRUE;
}

HMODULE GetModuleHandleA(LPCSTR name) {
    if (!name)
        return program();
    LinkedModule* m = find(name);
    return m && m->loads ? m : nullptr;
}

}  // extern "C"

void tkl_describe_module_search(const char* name, char* text, size_t size) {
    if (!text || size == 0)
        return;
    std::snprintf(text, size, "the modules this program linked in and registered; none is %s",
                  name ? name : "(null)");
}
