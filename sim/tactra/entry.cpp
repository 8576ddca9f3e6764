// The API's entry point: exported undecorated, looked up by name.
#include "sim/tactra/objects.h"

#include <new>

extern "C" SIM_EXPORT HRESULT WINAPI TactraCreateA(HINSTANCE instance, DWORD version, ITactra** out,
                                                  IUnknown* outer) {
    SimCallScope c(sim_module(), "TactraCreateA", 0);
    c.call.args[0] = version;
    HRESULT hr;
    if (out)
        *out = nullptr;
    if (c.injected(&hr))
        return c.done(hr);
    if (!out)
        return c.done(TACTRA_ERROR_INVALIDPARAM);
    if (outer)
        return c.done(TACTRA_ERROR_NOAGGREGATION);
    hr = tactra_check_version(version);
    if (FAILED(hr))
        return c.done(hr);
    SimTactra* root = new (std::nothrow) SimTactra();
    if (!root)
        return c.done(TACTRA_ERROR_OUTOFMEMORY);
    *out = root;
    return c.done(S_OK);
}
