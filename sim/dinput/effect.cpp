#include "sim/common/callscope.h"
#include "sim/common/control.h"
#include "sim/dinput/objects.h"

SimDIEffect::SimDIEffect(SimDIDevice& device, SimDeviceCore& core, const GUID& kind, SimBlock block)
    : device_(device), kind_(kind), core_(core, sim_module().next_id(), block) {
    core_.owner = this;
}

HRESULT SimDIEffect::Initialize(HINSTANCE instance, DWORD version, REFGUID guid) {
    SimModule& m = sim_module();
    SimCallScope c(m, "Initialize", core_.id);
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
    if (m.find(guid) < 0)
        return c.done(DIERR_DEVICENOTREG);
    // An effect belongs to the device it was created on for good.
    if (!core_.device.attached() || !IsEqualGUID(m.slot(core_.device.slot).instance, guid))
        return c.done(DIERR_ALREADYINITIALIZED);
    return c.done(DI_NOEFFECT);
}

HRESULT SimDIEffect::GetEffectGuid(LPGUID guid) {
    SimCallScope c(sim_module(), "GetEffectGuid", core_.id);
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    if (!guid)
        return c.done(DIERR_INVALIDPARAM);
    *guid = kind_;
    return c.done(DI_OK);
}

HRESULT SimDIEffect::GetParameters(LPDIEFFECT effect, DWORD mask) {
    SimCallScope c(sim_module(), "GetParameters", core_.id);
    c.call.args[0] = mask;
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    return c.done(sim_fill(core_.params, core_.samples(), core_.sample_count(), core_.block, effect,
                           static_cast<DIENVELOPE*>(nullptr), mask, sizeof(DIEFFECT)));
}

HRESULT SimDIEffect::SetParameters(LPCDIEFFECT effect, DWORD mask) {
    SimCallScope c(sim_module(), "SetParameters", core_.id);
    c.call.args[0] = mask;
    c.call.guid = kind_;
    if (effect) {
        c.call.hasParams = TRUE;
        if (effect->dwSize == sizeof(DIEFFECT))
            sim_capture(sim_view(*effect, sizeof(DIEFFECT), kind_), mask, &c.call.params);
        else
            c.call.params.dwSize = effect->dwSize;
        c.call.params.guid = kind_;
    }
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    if (!effect)
        return c.done(DIERR_INVALIDPARAM);
    return c.done(core_.set(sim_view(*effect, sizeof(DIEFFECT), kind_), mask));
}

HRESULT SimDIEffect::Start(DWORD iterations, DWORD flags) {
    SimCallScope c(sim_module(), "Start", core_.id);
    c.call.args[0] = iterations;
    c.call.args[1] = flags;
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    return c.done(core_.start(iterations, flags));
}

HRESULT SimDIEffect::Stop() {
    SimCallScope c(sim_module(), "Stop", core_.id);
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    return c.done(core_.stop());
}

HRESULT SimDIEffect::GetEffectStatus(LPDWORD status) {
    SimCallScope c(sim_module(), "GetEffectStatus", core_.id);
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    hr = core_.status(status);
    if (SUCCEEDED(hr))
        c.call.args[0] = *status;
    return c.done(hr);
}

HRESULT SimDIEffect::Download() {
    SimCallScope c(sim_module(), "Download", core_.id);
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    return c.done(core_.download());
}

HRESULT SimDIEffect::Unload() {
    SimCallScope c(sim_module(), "Unload", core_.id);
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    return c.done(core_.unload());
}

HRESULT SimDIEffect::Escape(LPDIEFFESCAPE escape) {
    SimCallScope c(sim_module(), "Escape", core_.id);
    if (escape)
        c.call.args[0] = escape->dwCommand;
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    if (!escape || escape->dwSize != sizeof(DIEFFESCAPE))
        return c.done(DIERR_INVALIDPARAM);
    hr = core_.device.ready_for_effects();
    if (FAILED(hr))
        return c.done(hr);
    return c.done(DIERR_UNSUPPORTED);
}
