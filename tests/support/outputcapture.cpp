#include "tests/support/outputcapture.h"

#include "tkl/platform/win32.h"

namespace tkltest {
namespace {

OutputCapture* g_active = nullptr;

#if defined(_WIN32)

void WINAPI capture_debug_string(LPCSTR text) {
    if (g_active)
        g_active->record({false, "", text ? text : "", 0});
}

int WINAPI capture_message_box(HWND, LPCSTR text, LPCSTR caption, UINT style) {
    if (g_active)
        g_active->record({true, caption ? caption : "", text ? text : "", style});
    return IDOK;
}

// Points the library's import slot of `function` (from any DLL) at `replacement`; returns the old
// target so it can be put back.
void* patch_import(HMODULE module, const char* function, void* replacement) {
    if (!module)
        return nullptr;
    auto* base = reinterpret_cast<BYTE*>(module);
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!dir.VirtualAddress)
        return nullptr;
    auto* desc = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
    for (; desc->Name; ++desc) {
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + desc->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + desc->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::string(reinterpret_cast<const char*>(byName->Name)) != function)
                continue;
            DWORD old;
            VirtualProtect(&slots->u1.Function, sizeof(void*), PAGE_READWRITE, &old);
            void* previous = reinterpret_cast<void*>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof(void*), old, &old);
            return previous;
        }
    }
    return nullptr;
}

void* g_oldDebugString = nullptr;
void* g_oldMessageBox = nullptr;

// The library this program linked: tkl.dll, or tkl_inside.dll for the suites that reach the
// allocation hook.
HMODULE library() {
    HMODULE module = GetModuleHandleA("tkl.dll");
    return module ? module : GetModuleHandleA("tkl_inside.dll");
}

void install() {
    HMODULE tkl = library();
    g_oldDebugString = patch_import(tkl, "OutputDebugStringA",
                                    reinterpret_cast<void*>(&capture_debug_string));
    g_oldMessageBox = patch_import(tkl, "MessageBoxA",
                                   reinterpret_cast<void*>(&capture_message_box));
}

void uninstall() {
    HMODULE tkl = library();
    if (g_oldDebugString)
        patch_import(tkl, "OutputDebugStringA", g_oldDebugString);
    if (g_oldMessageBox)
        patch_import(tkl, "MessageBoxA", g_oldMessageBox);
}

#else

void hook(const char* caption, const char* text, UINT style, void*) {
    if (!g_active)
        return;
    if (caption)
        g_active->record({true, caption, text, style});
    else
        g_active->record({false, "", text, 0});
}

void install() { tkl_platform_set_output_hook(&hook, nullptr); }
void uninstall() { tkl_platform_set_output_hook(nullptr, nullptr); }

#endif

}  // namespace

OutputCapture::OutputCapture() {
    g_active = this;
    install();
}

OutputCapture::~OutputCapture() {
    uninstall();
    g_active = nullptr;
}

std::vector<std::string> OutputCapture::debugLines() const {
    std::vector<std::string> lines;
    for (const CapturedOutput& e : entries_)
        if (!e.messageBox)
            lines.push_back(e.text);
    return lines;
}

}  // namespace tkltest
