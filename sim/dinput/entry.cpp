// DirectInput's entry point: exported undecorated, looked up by name.
#include "sim/dinput/objects.h"

extern "C" SIM_EXPORT HRESULT WINAPI DirectInputCreateA(HINSTANCE instance, DWORD version,
                                                       LPDIRECTINPUTA* out, LPUNKNOWN outer) {
    return sim_call_create_root<SimDirectInput>("DirectInputCreateA", !instance, version,
                                                di_check_version, out, outer);
}
