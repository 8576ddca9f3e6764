#include "sim/tactra/kinds.h"
#include "sim/tactra/objects.h"

namespace {

// A property record must be a header followed by exactly the property's values, for the device.
HRESULT check_property_record(const TACTRA_PROPHEADER* h, unsigned values) {
    if (values == 0)
        return TACTRA_ERROR_UNSUPPORTED;
    if (!h || h->dwHeaderSize != sizeof(TACTRA_PROPHEADER) ||
        h->dwSize != sizeof(TACTRA_PROPHEADER) + values * sizeof(DWORD) || h->dwObj != 0 ||
        h->dwHow != 0)
        return TACTRA_ERROR_INVALIDPARAM;
    return S_OK;
}

bool value_allowed(DWORD property, unsigned index, DWORD value) {
    switch (property) {
    case TACTRA_PROP_AXISMODE:
        return value == TACTRA_PROPAXISMODE_ABS || value == TACTRA_PROPAXISMODE_REL;
    case TACTRA_PROP_FFGAIN:
        return value <= TACTRA_NOMINAL_MAX;
    case TACTRA_PROP_SCREENRESOLUTION:
        return value > 0 && value <= 0xFFFF;
    case TACTRA_PROP_FORCEOUTPUT:
        return value <= 1;
    default:
        return false;
    }
}

}  // namespace

SimTactraDevice::SimTactraDevice(SimTactra& root, int slot)
    : root_(root), core_(sim_module(), sim_module().next_id(), slot, tactra_limits(), false) {}

SimTactraDevice::~SimTactraDevice() { core_.unacquire(); }

HRESULT SimTactraDevice::GetCapabilities(TACTRA_DEVCAPS* caps) {
    SimCallScope c(sim_module(), "GetCapabilities", id());
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    if (!caps || caps->dwSize != sizeof(TACTRA_DEVCAPS))
        return c.done(TACTRA_ERROR_INVALIDPARAM);
    if (!core_.attached())
        return c.done(TACTRA_ERROR_INPUTLOST);
    caps->dwFlags = TACTRA_EDFL_ATTACHEDONLY | TACTRA_EDFL_FORCEFEEDBACK;
    caps->dwDevType = TACTRA_DEVTYPE_FORCEMOUSE;
    caps->dwAxes = core_.limits.maxAxes;
    caps->dwButtons = core_.limits.buttons;
    caps->dwMaxEffects = sim_module().capacity();
    return c.done(S_OK);
}

HRESULT SimTactraDevice::GetDeviceInfo(TACTRA_DEVICEINSTANCE* instance) {
    SimCallScope c(sim_module(), "GetDeviceInfo", id());
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    if (!instance || instance->dwSize != sizeof(TACTRA_DEVICEINSTANCE))
        return c.done(TACTRA_ERROR_INVALIDPARAM);
    if (!core_.attached())
        return c.done(TACTRA_ERROR_INPUTLOST);
    tactra_fill_instance(instance, sim_module().slot(core_.slot).instance);
    return c.done(S_OK);
}

HRESULT SimTactraDevice::GetProperty(DWORD property, TACTRA_PROPHEADER* header) {
    SimModule& m = sim_module();
    SimCallScope c(m, "GetProperty", id());
    c.call.args[0] = property;
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    const unsigned n = m.property_values(property);
    hr = check_property_record(header, n);
    if (FAILED(hr))
        return c.done(hr);
    if (!core_.attached())
        return c.done(TACTRA_ERROR_INPUTLOST);
    DWORD* data = sim_property_data(header);
    for (unsigned i = 0; i < n; ++i)
        c.call.args[1 + i] = data[i] = core_.prop(property, i);
    return c.done(S_OK);
}

HRESULT SimTactraDevice::SetProperty(DWORD property, const TACTRA_PROPHEADER* header) {
    SimModule& m = sim_module();
    SimCallScope c(m, "SetProperty", id());
    c.call.args[0] = property;
    const unsigned n = m.property_values(property);
    sim_log_property_values(c.call, header);
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    hr = check_property_record(header, n);
    if (FAILED(hr))
        return c.done(hr);
    const DWORD* data = sim_property_data(header);
    for (unsigned i = 0; i < n; ++i)
        if (!value_allowed(property, i, data[i]))
            return c.done(TACTRA_ERROR_INVALIDPARAM);
    if (!core_.attached())
        return c.done(TACTRA_ERROR_INPUTLOST);
    for (unsigned i = 0; i < n; ++i)
        core_.prop(property, i) = data[i];
    m.set_current_device(core_.slot);
    return c.done(S_OK);
}

HRESULT SimTactraDevice::Acquire() {
    SimCallScope c(sim_module(), "Acquire", id());
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    return c.done(core_.acquire());
}

HRESULT SimTactraDevice::Unacquire() { return sim_call_unacquire(core_); }

HRESULT SimTactraDevice::GetForceFeedbackState(DWORD* state) {
    return sim_call_ff_state(core_, state);
}

HRESULT SimTactraDevice::SendForceFeedbackCommand(DWORD command) {
    return sim_call_ff_command(core_, command);
}

HRESULT SimTactraDevice::EnumCreatedEffectObjects(LPTACTRAENUMCREATEDEFFECTSCALLBACK callback,
                                                  void* context, DWORD flags) {
    return sim_call_enum_created_effects<SimTactraEffect>(core_, callback, context, flags);
}

HRESULT SimTactraDevice::Poll() { return sim_call_poll(core_); }

HRESULT SimTactraDevice::SetCooperativeLevel(HWND window, DWORD flags) {
    SimCallScope c(sim_module(), "SetCooperativeLevel", id());
    c.call.args[0] = flags;
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    // Unlike DirectInput, the API lets the access choice go unsaid (the mouse is shared with
    // the system's pointer anyway); contradictory or unknown bits are refused.
    const DWORD all = TACTRA_SCL_EXCLUSIVE | TACTRA_SCL_NONEXCLUSIVE | TACTRA_SCL_FOREGROUND |
                      TACTRA_SCL_BACKGROUND;
    if (flags == 0 || (flags & ~all) ||
        (flags & (TACTRA_SCL_EXCLUSIVE | TACTRA_SCL_NONEXCLUSIVE)) ==
            (TACTRA_SCL_EXCLUSIVE | TACTRA_SCL_NONEXCLUSIVE) ||
        (flags & (TACTRA_SCL_FOREGROUND | TACTRA_SCL_BACKGROUND)) ==
            (TACTRA_SCL_FOREGROUND | TACTRA_SCL_BACKGROUND))
        return c.done(TACTRA_ERROR_INVALIDPARAM);
    return c.done(core_.set_cooperative_level(flags));
}

HRESULT SimTactraDevice::Escape(DWORD command, void* data, DWORD size) {
    SimCallScope c(sim_module(), "Escape", id());
    c.call.args[0] = command;
    c.call.args[1] = size;
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    if ((data == nullptr) != (size == 0))
        return c.done(TACTRA_ERROR_INVALIDPARAM);
    if (!core_.attached())
        return c.done(TACTRA_ERROR_INPUTLOST);
    if (!core_.acquired)
        return c.done(TACTRA_ERROR_NOTACQUIRED);
    // The software mouse defines no driver-specific commands.
    return c.done(TACTRA_ERROR_UNSUPPORTED);
}

HRESULT SimTactraDevice::RunControlPanel(HWND, DWORD flags) {
    return sim_call_run_control_panel(sim_module(), id(), flags);
}

HRESULT SimTactraDevice::Initialize(HINSTANCE, DWORD version, REFGUID device) {
    SimCallScope c(sim_module(), "Initialize", id());
    c.call.args[0] = version;
    c.call.guid = device;
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    hr = tactra_check_version(version);
    if (FAILED(hr))
        return c.done(hr);
    return c.done(core_.initialize(device));
}

HRESULT SimTactraDevice::CreateEffect(const TACTRA_EFFECT* effect, ITactraEffect** out,
                                      IUnknown* outer) {
    SimCallScope c(sim_module(), "CreateEffect", id());
    tactra_log_params(c.call, effect, TACTRA_EP_ALLPARAMS);
    HRESULT hr;
    if (out)
        *out = nullptr;
    if (c.injected(&hr))
        return c.done(hr);
    if (!out || !effect)
        return c.done(TACTRA_ERROR_INVALIDPARAM);
    if (outer)
        return c.done(TACTRA_ERROR_NOAGGREGATION);
    if (effect->dwSize != sizeof(TACTRA_EFFECT))
        return c.done(TACTRA_ERROR_INVALIDPARAM);
    SimBlock block;
    if (!tactra_kind_block(effect->guid, &block))
        return c.done(TACTRA_ERROR_DEVICENOTREG);
    const SimEffectInput in = tactra_view(*effect, effect->guid);
    hr = tactra_check_inner(core_, block, in, TACTRA_EP_ALLPARAMS, nullptr);
    if (FAILED(hr))
        return c.done(hr);
    return sim_create_effect<SimTactraEffect>(c, *this, core_, effect->guid, block, &in, true, out);
}
