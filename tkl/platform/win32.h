#pragma once
// The Win32 and OLE surface the library calls. On Windows these are the system's own headers;
// elsewhere our declarations with fixed widths (DWORD and LONG keep 32 bits, so markers such as
// 0x80000000 mean the same on both targets) and a POSIX implementation.

#if defined(_WIN32)
#  include <windows.h>
#  include <objbase.h>
#else
#  include "tkl/platform/posix/win32types.h"
#  include "tkl/platform/export.h"

extern "C" {
// Each is exported as tkl_<name> (TKL_PLATFORM_NAME), which code compiled against this header
// calls; programs that look one up by name (dlsym) use that name.

// Library loading. "name.dll" opens "libname.so" beside libtkl.so, else through the normal
// dlopen search, then the literal name; in a WebAssembly program, the module linked in and
// registered under that name (tkl/platform/linkedmodules.h).
TKL_API HMODULE LoadLibraryA(LPCSTR name) TKL_PLATFORM_NAME(LoadLibraryA);
TKL_API FARPROC GetProcAddress(HMODULE module, LPCSTR name) TKL_PLATFORM_NAME(GetProcAddress);
TKL_API BOOL FreeLibrary(HMODULE module) TKL_PLATFORM_NAME(FreeLibrary);
// The main program's handle for null, otherwise the already loaded module of that name.
TKL_API HMODULE GetModuleHandleA(LPCSTR name) TKL_PLATFORM_NAME(GetModuleHandleA);

// Module resources: data that cmake/TklResource.cmake embeds in a module under a type and a
// name (compared without regard to case; "#n" or MAKEINTRESOURCEA(n) for numbered ones). A
// null module is the main program, which must export its symbols (ENABLE_EXPORTS).
TKL_API HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type)
    TKL_PLATFORM_NAME(FindResourceA);
// The resource's data handle; LockResource gives its bytes, which live as long as the module.
TKL_API HGLOBAL LoadResource(HMODULE module, HRSRC resource) TKL_PLATFORM_NAME(LoadResource);
TKL_API LPVOID LockResource(HGLOBAL data) TKL_PLATFORM_NAME(LockResource);
// The resource's size in bytes; 0 for a null resource.
TKL_API DWORD SizeofResource(HMODULE module, HRSRC resource) TKL_PLATFORM_NAME(SizeofResource);

// Debugger output and message box: both go to stderr, or to the output hook when one is set.
TKL_API void OutputDebugStringA(LPCSTR text) TKL_PLATFORM_NAME(OutputDebugStringA);
TKL_API int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT style)
    TKL_PLATFORM_NAME(MessageBoxA);

// Receives what OutputDebugStringA (caption null) and MessageBoxA would print, in place of
// stderr (no debugger listens here); null restores stderr. One hook for the process.
typedef void (*TklOutputHook)(const char* caption, const char* text, UINT style, void* context);
TKL_API void tkl_platform_set_output_hook(TklOutputHook hook, void* context);

// The virtual desktop: a 1024 x 768 screen and a cursor.
TKL_API int GetSystemMetrics(int index) TKL_PLATFORM_NAME(GetSystemMetrics);
TKL_API BOOL GetCursorPos(POINT* point) TKL_PLATFORM_NAME(GetCursorPos);
// Moves the cursor, clamped to the screen as Windows does.
TKL_API BOOL SetCursorPos(int x, int y) TKL_PLATFORM_NAME(SetCursorPos);

// Parses the braced registry form "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}"; anything else
// gives CO_E_CLASSSTRING and an all-zero GUID. An empty text gives GUID_NULL and S_OK.
TKL_API HRESULT CLSIDFromString(LPCOLESTR text, CLSID* clsid) TKL_PLATFORM_NAME(CLSIDFromString);
// Widens each byte to one wide character (the library's texts are 8-bit ANSI).
TKL_API int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR src, int cbSrc,
                                LPWSTR dst, int cchDst) TKL_PLATFORM_NAME(MultiByteToWideChar);
}
#endif
