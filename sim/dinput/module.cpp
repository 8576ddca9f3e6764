// The DirectInput stand-in's module state, its joystick's identity, and its control API.
#include "sim/dinput/kinds.h"
#include "sim/dinput/objects.h"

#include <cstdio>
#include <cstring>

namespace {

void init_properties(SimAttachedDevice& d) {
    d.props[1][0] = 0;                      // DIPROP_BUFFERSIZE: unbuffered
    d.props[2][0] = DIPROPAXISMODE_ABS;     // DIPROP_AXISMODE
    d.props[4][0] = 0;                      // DIPROP_RANGE
    d.props[4][1] = 0xFFFF;
    d.props[7][0] = DI_FFNOMINALMAX;        // DIPROP_FFGAIN
    d.props[9][0] = DIPROPAUTOCENTER_ON;    // DIPROP_AUTOCENTER
    d.props[TACTRA_PROP_FORCEOUTPUT][0] = 1;  // actuators on (DISFFC_SETACTUATORSON/OFF)
}

unsigned property_values(DWORD number) {
    switch (number) {
    case 1:
    case 2:
    case 7:
    case 9:
        return 1;
    case 4:
        return 2;
    default:
        return 0;
    }
}

const SimModuleConfig kConfig = {
    {0xD1570001, 0x5349, 0x4D4A, {'J', 'O', 'Y', 'S', 'T', 'I', 0, 1}},
    0xD1571000,
    16,
    init_properties,
    property_values,
    di_render_kind,
    SimRenderScale::DeviceUnits,
    0,
};

// Axes by offset (0, 4) or id; buttons from offset 48, as in the standard joystick format.
const SimDeviceLimits kLimits = {SIM_JOY_AXES, SIM_JOY_BUTTONS, 48, true};

const GUID kProduct = {0xD1570000, 0x5349, 0x4D4A, {'J', 'O', 'Y', 'S', 'T', 'I', 0, 0}};

}  // namespace

SimModule& sim_module() {
    static SimModule module(kConfig);
    return module;
}

const SimDeviceLimits& di_limits() { return kLimits; }

HRESULT di_check_version(DWORD version) {
    if (version == 0x0300 || version == 0x0500)
        return DI_OK;
    return version > 0x0500 ? DIERR_OLDDIRECTINPUTVERSION : DIERR_BETADIRECTINPUTVERSION;
}

HRESULT di_call_initialize(unsigned object, SimDeviceCore& device, HINSTANCE instance,
                           DWORD version, REFGUID guid) {
    SimCallScope c(sim_module(), "Initialize", object);
    c.call.args[0] = version;
    c.call.guid = guid;
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    if (!instance)
        return c.done(DIERR_INVALIDPARAM);
    hr = di_check_version(version);
    if (FAILED(hr))
        return c.done(hr);
    return c.done(device.initialize(guid));
}

HRESULT di_call_escape(unsigned object, const SimDeviceCore& device, const DIEFFESCAPE* escape) {
    SimCallScope c(sim_module(), "Escape", object);
    if (escape)
        c.call.args[0] = escape->dwCommand;
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    if (!escape || escape->dwSize != sizeof(DIEFFESCAPE))
        return c.done(DIERR_INVALIDPARAM);
    hr = device.ready_for_effects();
    if (FAILED(hr))
        return c.done(hr);
    // The software joystick defines no driver-specific commands.
    return c.done(DIERR_UNSUPPORTED);
}

void di_fill_instance(DIDEVICEINSTANCEA* info, DWORD size, const GUID& instance) {
    std::memset(reinterpret_cast<BYTE*>(info) + sizeof(DWORD), 0, size - sizeof(DWORD));
    info->guidInstance = instance;
    info->guidProduct = kProduct;
    info->dwDevType = DIDEVTYPE_JOYSTICK | (DIDEVTYPEJOYSTICK_TRADITIONAL << 8) | DIDEVTYPE_HID;
    std::snprintf(info->tszInstanceName, sizeof info->tszInstanceName, "Software force joystick");
    std::snprintf(info->tszProductName, sizeof info->tszProductName, "Software force joystick");
    if (size == sizeof(DIDEVICEINSTANCEA)) {
        info->guidFFDriver = kProduct;
        info->wUsagePage = 0x01;  // generic desktop
        info->wUsage = 0x04;      // joystick
    }
}

SIM_DEFINE_CONTROL_API(dinputsim_)
