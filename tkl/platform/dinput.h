#pragma once
// The DirectInput 5 surface: the system header on Windows (dinput.dll is loaded by name and
// never linked; the GUIDs and c_dfDIJoystick are static data from dxguid and dinput), our own
// declarations with the same vtable layout elsewhere.

#if defined(_WIN32)
#  ifndef DIRECTINPUT_VERSION
#    define DIRECTINPUT_VERSION 0x0500
#  endif
#  include <dinput.h>
#else
#  include "tkl/platform/posix/dinput5.h"
#endif
