// The virtual desktop: one screen and one cursor, kept inside the screen as Windows keeps it.
#include "tkl/platform/win32.h"

namespace {
const int kWidth = 1024;
const int kHeight = 768;
POINT g_cursor = {0, 0};

LONG clamp(LONG v, LONG lo, LONG hi) { return v < lo ? lo : (v > hi ? hi : v); }

void clamp_cursor() {
    g_cursor.x = clamp(g_cursor.x, 0, kWidth - 1);
    g_cursor.y = clamp(g_cursor.y, 0, kHeight - 1);
}
}  // namespace

extern "C" {

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXSCREEN: return kWidth;
    case SM_CYSCREEN: return kHeight;
    default: return 0;
    }
}

BOOL GetCursorPos(POINT* point) {
    if (!point)
        return FALSE;
    *point = g_cursor;
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    g_cursor.x = x;
    g_cursor.y = y;
    clamp_cursor();
    return TRUE;
}

}  // extern "C"
