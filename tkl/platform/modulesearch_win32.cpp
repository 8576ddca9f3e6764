// Windows' own search for a DLL loaded by name.
#if defined(_WIN32)
#include "tkl/platform/modulesearch.h"

#include "tkl/platform/win32.h"

#include <cstdio>
#include <cstring>

void tkl_describe_module_search(const char* name, char* text, size_t size) {
    char program[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, program, sizeof program);
    const char* slash = n > 0 && n < sizeof program ? std::strrchr(program, '\\') : nullptr;
    const int folder = slash ? int(slash - program) + 1 : 0;
    std::snprintf(text, size, "%s in the program's folder (%.*s), then the system folders and PATH",
                  name, folder, program);
}
#endif
