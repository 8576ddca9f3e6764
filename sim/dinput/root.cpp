#include "sim/dinput/objects.h"

HRESULT SimDirectInput::CreateDevice(REFGUID rguid, LPDIRECTINPUTDEVICEA* out, LPUNKNOWN outer) {
    return sim_call_create_device<SimDIDevice>(*this, rguid, out, outer, E_POINTER);
}

HRESULT SimDirectInput::EnumDevices(DWORD devType, LPDIENUMDEVICESCALLBACKA callback, LPVOID ref,
                                    DWORD flags) {
    SimModule& m = sim_module();
    SimCallScope c(m, "EnumDevices", 0);
    c.call.args[0] = devType;
    c.call.args[1] = flags;
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    const DWORD known = DIEDFL_ATTACHEDONLY | DIEDFL_FORCEFEEDBACK | DIEDFL_INCLUDEALIASES |
                        DIEDFL_INCLUDEPHANTOMS;
    if (!callback || (flags & ~known) || GET_DIDEVICE_TYPE(devType) > DIDEVTYPE_JOYSTICK)
        return c.done(DIERR_INVALIDPARAM);
    // The stand-in has joysticks only.
    const DWORD type = GET_DIDEVICE_TYPE(devType);
    if (type != 0 && type != DIDEVTYPE_JOYSTICK)
        return c.done(DI_OK);
    GUID found[SIM_MAX_DEVICES];
    const unsigned count = m.present_instances(found);
    unsigned reported = 0;
    for (unsigned i = 0; i < count; ++i) {
        DIDEVICEINSTANCEA info;
        info.dwSize = sizeof info;
        di_fill_instance(&info, sizeof info, found[i]);
        ++reported;
        if (callback(&info, ref) == DIENUM_STOP)
            break;
    }
    c.call.args[2] = reported;
    return c.done(DI_OK);
}

HRESULT SimDirectInput::GetDeviceStatus(REFGUID instance) {
    SimCallScope c(sim_module(), "GetDeviceStatus", 0);
    c.call.guid = instance;
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    return c.done(sim_module().find(instance) >= 0 ? DI_OK : DIERR_DEVICENOTREG);
}

HRESULT SimDirectInput::RunControlPanel(HWND, DWORD flags) {
    return sim_call_run_control_panel(sim_module(), 0, flags);
}

HRESULT SimDirectInput::Initialize(HINSTANCE instance, DWORD version) {
    SimCallScope c(sim_module(), "Initialize", 0);
    c.call.args[0] = version;
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    if (!instance)
        return c.done(DIERR_INVALIDPARAM);
    return c.done(di_check_version(version));
}
