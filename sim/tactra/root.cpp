#include "sim/tactra/objects.h"

#include <cstdio>

HRESULT SimTactra::CreateDevice(REFGUID instance, ITactraDevice** out, IUnknown* outer) {
    return sim_call_create_device<SimTactraDevice>(*this, instance, out, outer, SIM_E_POINTER);
}

HRESULT SimTactra::EnumDevices(DWORD deviceType, LPTACTRAENUMDEVICESCALLBACK callback, void* context,
                               DWORD flags) {
    SimModule& m = sim_module();
    SimCallScope c(m, "EnumDevices", 0);
    c.call.args[0] = deviceType;
    c.call.args[1] = flags;
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    if (!callback || (flags & ~(TACTRA_EDFL_ATTACHEDONLY | TACTRA_EDFL_FORCEFEEDBACK)))
        return c.done(TACTRA_ERROR_INVALIDPARAM);
    if (deviceType != 0 && deviceType != TACTRA_DEVTYPE_FORCEMOUSE)
        return c.done(S_OK);
    GUID found[SIM_MAX_DEVICES];
    const unsigned count = m.present_instances(found);
    unsigned reported = 0;
    for (unsigned i = 0; i < count; ++i) {
        TACTRA_DEVICEINSTANCE inst;
        inst.dwSize = sizeof inst;
        tactra_fill_instance(&inst, found[i]);
        // Enumerated mice are told apart by number.
        std::snprintf(inst.tszInstanceName, sizeof inst.tszInstanceName, "Software force mouse %u", i + 1);
        ++reported;
        if (callback(&inst, context) == TACTRA_ENUM_STOP)
            break;
    }
    c.call.args[2] = reported;
    return c.done(S_OK);
}

HRESULT SimTactra::GetDeviceStatus(REFGUID instance) {
    SimCallScope c(sim_module(), "GetDeviceStatus", 0);
    c.call.guid = instance;
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    return c.done(sim_module().find(instance) >= 0 ? S_OK : S_FALSE);
}

HRESULT SimTactra::RunControlPanel(HWND, DWORD flags) {
    return sim_call_run_control_panel(sim_module(), 0, flags);
}

HRESULT SimTactra::Initialize(HINSTANCE, DWORD version) {
    SimCallScope c(sim_module(), "Initialize", 0);
    c.call.args[0] = version;
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    return c.done(tactra_check_version(version));
}
