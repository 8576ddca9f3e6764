#pragma once
// The platform's screen and cursor as a pointing device's driver reaches them. On Windows they
// are the system's (user32). Elsewhere the platform layer that stands in for user32 lives in the
// class library, which knows nothing of the software devices: the device looks its functions up
// by name in the process, as a driver would bind to user32, and keeps a pointer of its own when
// the process has no platform layer loaded.

#include "tkl/platform/win32.h"

// The screen's size in pixels; false without a platform desktop.
bool sim_host_screen(LONG* width, LONG* height);
// Where the cursor is; false without a platform desktop.
bool sim_host_cursor(POINT* at);
// Moves the cursor there (the platform clamps it to the screen); false without a desktop.
bool sim_host_move_cursor(LONG x, LONG y);
