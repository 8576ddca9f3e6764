// The joystick device: identity, acquisition, cooperative level and properties.
#include "sim/dinput/objects.h"

#include <cstdint>
#include <cstring>

namespace {

// A property named by MAKEDIPROP(n) is the small number n in place of a GUID's address.
DWORD property_number(REFGUID prop) {
    const uintptr_t n = reinterpret_cast<uintptr_t>(&prop);
    return n <= 0xFFFF ? DWORD(n) : 0;
}

// A per-object property header that names one of the joystick's axes.
bool names_axis(const SimJoystickFormat& format, const DIPROPHEADER& h) {
    if (h.dwHow == DIPH_BYOFFSET) {
        const int object = format.object_at(h.dwObj);
        return object >= 0 && object < SIM_JOY_AXES;
    }
    if (h.dwHow == DIPH_BYID) {
        for (unsigned i = 0; i < SIM_JOY_AXES; ++i)
            if ((sim_joy_object(i).dwType & ~DWORD(DIDFT_FFACTUATOR)) == h.dwObj)
                return true;
    }
    return false;
}

// A property record must be a header followed by exactly the property's values. Only the range
// may name an axis; the joystick keeps one range for both.
HRESULT check_property_record(const SimJoystickFormat& format, DWORD number, unsigned values,
                              const DIPROPHEADER* h) {
    if (values == 0)
        return DIERR_UNSUPPORTED;
    if (!h || h->dwHeaderSize != sizeof(DIPROPHEADER) ||
        h->dwSize != sizeof(DIPROPHEADER) + values * sizeof(DWORD))
        return DIERR_INVALIDPARAM;
    if (h->dwHow == DIPH_DEVICE ? h->dwObj != 0 : number != 4)
        return DIERR_INVALIDPARAM;
    if (h->dwHow != DIPH_DEVICE && !names_axis(format, *h))
        return DIERR_OBJECTNOTFOUND;
    return DI_OK;
}

}  // namespace

SimDIDevice::SimDIDevice(SimDirectInput& root, int slot)
    : root_(root), core_(sim_module(), sim_module().next_id(), slot, di_limits(), true) {}

SimDIDevice::~SimDIDevice() { core_.unacquire(); }

HRESULT SimDIDevice::GetCapabilities(LPDIDEVCAPS caps) {
    SimCallScope c(sim_module(), "GetCapabilities", id());
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    if (!caps || (caps->dwSize != sizeof(DIDEVCAPS) && caps->dwSize != sizeof(DIDEVCAPS_DX3)))
        return c.done(DIERR_INVALIDPARAM);
    if (!core_.attached())
        return c.done(DIERR_INPUTLOST);
    const DWORD size = caps->dwSize;
    std::memset(reinterpret_cast<BYTE*>(caps) + sizeof(DWORD), 0, size - sizeof(DWORD));
    caps->dwFlags = DIDC_ATTACHED | DIDC_FORCEFEEDBACK | DIDC_FFATTACK | DIDC_FFFADE |
                    DIDC_SATURATION | DIDC_POSNEGCOEFFICIENTS | DIDC_POSNEGSATURATION | DIDC_DEADBAND;
    caps->dwDevType = DIDEVTYPE_JOYSTICK | (DIDEVTYPEJOYSTICK_TRADITIONAL << 8) | DIDEVTYPE_HID;
    caps->dwAxes = SIM_JOY_AXES;
    caps->dwButtons = SIM_JOY_BUTTONS;
    caps->dwPOVs = 0;
    if (size == sizeof(DIDEVCAPS)) {
        caps->dwFFSamplePeriod = 1000;
        caps->dwFFMinTimeResolution = 1000;
        caps->dwFirmwareRevision = 1;
        caps->dwHardwareRevision = 1;
        caps->dwFFDriverVersion = 1;
    }
    return c.done(DI_OK);
}

HRESULT SimDIDevice::GetProperty(REFGUID prop, LPDIPROPHEADER header) {
    SimModule& m = sim_module();
    SimCallScope c(m, "GetProperty", id());
    const DWORD number = property_number(prop);
    c.call.args[0] = number;
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    const unsigned n = m.property_values(number);
    hr = check_property_record(format_, number, n, header);
    if (FAILED(hr))
        return c.done(hr);
    if (!core_.attached())
        return c.done(DIERR_INPUTLOST);
    DWORD* data = sim_property_data(header);
    for (unsigned i = 0; i < n; ++i)
        c.call.args[1 + i] = data[i] = core_.prop(number, i);
    return c.done(DI_OK);
}

HRESULT SimDIDevice::SetProperty(REFGUID prop, LPCDIPROPHEADER header) {
    SimModule& m = sim_module();
    SimCallScope c(m, "SetProperty", id());
    const DWORD number = property_number(prop);
    c.call.args[0] = number;
    sim_log_property_values(c.call, header);
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    const unsigned n = m.property_values(number);
    hr = check_property_record(format_, number, n, header);
    if (FAILED(hr))
        return c.done(hr);
    const DWORD* data = sim_property_data(header);
    switch (number) {
    case 2:
        if (data[0] > DIPROPAXISMODE_REL)
            return c.done(DIERR_INVALIDPARAM);
        break;
    case 4:
        if (LONG(data[0]) >= LONG(data[1]))
            return c.done(DIERR_INVALIDPARAM);
        break;
    case 7:
        if (data[0] > DI_FFNOMINALMAX)
            return c.done(DIERR_INVALIDPARAM);
        break;
    case 9:
        if (data[0] > DIPROPAUTOCENTER_ON)
            return c.done(DIERR_INVALIDPARAM);
        break;
    default:
        break;
    }
    // Only the gain may change while the device is acquired.
    if (number != 7 && core_.acquired)
        return c.done(DIERR_ACQUIRED);
    if (!core_.attached())
        return c.done(DIERR_INPUTLOST);
    for (unsigned i = 0; i < n; ++i)
        core_.prop(number, i) = data[i];
    m.set_current_device(core_.slot);
    return c.done(DI_OK);
}

HRESULT SimDIDevice::Acquire() {
    SimCallScope c(sim_module(), "Acquire", id());
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    // DirectInput will not acquire a device before it knows the data format.
    if (!format_.is_set())
        return c.done(DIERR_INVALIDPARAM);
    return c.done(core_.acquire());
}

HRESULT SimDIDevice::Unacquire() { return sim_call_unacquire(core_); }

HRESULT SimDIDevice::SetCooperativeLevel(HWND, DWORD flags) {
    SimCallScope c(sim_module(), "SetCooperativeLevel", id());
    c.call.args[0] = flags;
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    const DWORD access = flags & (DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE);
    const DWORD when = flags & (DISCL_FOREGROUND | DISCL_BACKGROUND);
    if ((flags & ~(access | when)) || (access != DISCL_EXCLUSIVE && access != DISCL_NONEXCLUSIVE) ||
        (when != DISCL_FOREGROUND && when != DISCL_BACKGROUND))
        return c.done(DIERR_INVALIDPARAM);
    return c.done(core_.set_cooperative_level(flags));
}

HRESULT SimDIDevice::GetDeviceInfo(LPDIDEVICEINSTANCEA info) {
    SimCallScope c(sim_module(), "GetDeviceInfo", id());
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    if (!info || (info->dwSize != sizeof(DIDEVICEINSTANCEA) &&
                  info->dwSize != sizeof(DIDEVICEINSTANCE_DX3A)))
        return c.done(DIERR_INVALIDPARAM);
    if (!core_.attached())
        return c.done(DIERR_INPUTLOST);
    di_fill_instance(info, info->dwSize, sim_module().slot(core_.slot).instance);
    return c.done(DI_OK);
}

HRESULT SimDIDevice::RunControlPanel(HWND, DWORD flags) {
    return sim_call_run_control_panel(sim_module(), id(), flags);
}

HRESULT SimDIDevice::Initialize(HINSTANCE instance, DWORD version, REFGUID guid) {
    return di_call_initialize(id(), core_, instance, version, guid);
}
