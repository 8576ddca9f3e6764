// DirectInput's entry point: exported undecorated, looked up by name.
#include "sim/dinput/objects.h"

#include <new>

extern "C" SIM_EXPORT HRESULT WINAPI DirectInputCreateA(HINSTANCE instance, DWORD version,
                                                       LPDIRECTINPUTA* out, LPUNKNOWN outer) {
    SimCallScope c(sim_module(), "DirectInputCreateA", 0);
    c.call.args[0] = version;
    HRESULT hr;
    if (out)
        *out = nullptr;
    if (c.injected(&hr))
        return c.done(hr);
    if (!out || !instance)
        return c.done(DIERR_INVALIDPARAM);
    if (outer)
        return c.done(DIERR_NOAGGREGATION);
    hr = di_check_version(version);
    if (FAILED(hr))
        return c.done(hr);
    SimDirectInput* root = new (std::nothrow) SimDirectInput();
    if (!root)
        return c.done(DIERR_OUTOFMEMORY);
    *out = root;
    return c.done(DI_OK);
}
