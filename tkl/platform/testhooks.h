#pragma once
// Hooks into the POSIX platform layer, for tests only. Windows has no counterpart: tests
// there observe the real system calls instead.

#if !defined(_WIN32)
#include "tkl/platform/win32.h"

extern "C" {
// Receives what OutputDebugStringA (caption null) and MessageBoxA would print. Null restores
// stderr.
typedef void (*TklOutputHook)(const char* caption, const char* text, UINT style, void* context);
TKL_API void tkl_platform_set_output_hook(TklOutputHook hook, void* context);

// Resizes the virtual screen; the cursor is clamped into it.
TKL_API void tkl_platform_set_screen_size(int width, int height);
}
#endif
