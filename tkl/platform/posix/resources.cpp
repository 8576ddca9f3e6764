// Module resources on POSIX. cmake/TklResource.cmake embeds each resource as an exported data
// symbol named after its type and name (upper-cased, each byte in hex), holding a pointer to
// the bytes and their count; finding a resource is looking that symbol up in the module.
#include "tkl/platform/win32.h"
#include "tkl/platform/posix/modulesymbol.h"

#include <cctype>
#include <cstdio>

namespace {

// The layout the generated sources define.
struct EmbeddedResource {
    const unsigned char* data;
    unsigned long size;
};

// Appends the id ("#12" for a numbered one) in hex at out[pos]; false when it doesn't fit.
bool append_id(char* out, size_t size, size_t& pos, LPCSTR id) {
    char number[16];
    const char* text = id;
    if (IS_INTRESOURCE(id)) {
        std::snprintf(number, sizeof number, "#%u", unsigned(reinterpret_cast<uintptr_t>(id)));
        text = number;
    }
    static const char digits[] = "0123456789abcdef";
    for (; *text; ++text) {
        if (pos + 3 > size)
            return false;
        const unsigned char c = static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(*text)));
        out[pos++] = digits[c >> 4];
        out[pos++] = digits[c & 15];
    }
    out[pos] = 0;
    return true;
}

}  // namespace

extern "C" {

HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
    if (!name || !type)
        return nullptr;
    char symbol[512] = "tkl_resource_";
    size_t pos = sizeof "tkl_resource_" - 1;
    if (!append_id(symbol, sizeof symbol, pos, type) || pos + 2 > sizeof symbol)
        return nullptr;
    symbol[pos++] = '_';
    if (!append_id(symbol, sizeof symbol, pos, name))
        return nullptr;
    return tkl_module_symbol(module, symbol);
}

HGLOBAL LoadResource(HMODULE, HRSRC resource) { return resource; }

LPVOID LockResource(HGLOBAL data) {
    if (!data)
        return nullptr;
    return const_cast<unsigned char*>(static_cast<const EmbeddedResource*>(data)->data);
}

DWORD SizeofResource(HMODULE, HRSRC resource) {
    if (!resource)
        return 0;
    return DWORD(static_cast<const EmbeddedResource*>(resource)->size);
}

}  // extern "C"
