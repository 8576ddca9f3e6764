#include "sim/dinput/objects.h"

SimDIEffect::SimDIEffect(SimDIDevice& device, SimDeviceCore& core, const GUID& kind, SimBlock block)
    : device_(device), kind_(kind), core_(core, sim_module().next_id(), block) {
    core_.owner = this;
}

// An effect belongs to the device it was created on for good.
HRESULT SimDIEffect::Initialize(HINSTANCE instance, DWORD version, REFGUID guid) {
    return di_call_initialize(core_.id, core_.device, instance, version, guid);
}

HRESULT SimDIEffect::GetEffectGuid(LPGUID guid) {
    return sim_call_effect_guid(core_, kind_, guid);
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
    di_log_params(c.call, effect, kind_, mask);
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    if (!effect)
        return c.done(DIERR_INVALIDPARAM);
    return c.done(core_.set(sim_view(*effect, sizeof(DIEFFECT), kind_), mask));
}

void di_log_params(SimCall& call, const DIEFFECT* effect, const GUID& kind, DWORD mask) {
    call.guid = kind;
    if (!effect)
        return;
    call.hasParams = TRUE;
    if (effect->dwSize == sizeof(DIEFFECT))
        sim_capture(sim_view(*effect, sizeof(DIEFFECT), kind), mask, &call.params);
    else
        call.params.dwSize = effect->dwSize;
    call.params.guid = kind;
}

HRESULT SimDIEffect::Start(DWORD iterations, DWORD flags) {
    return sim_call_start(core_, iterations, flags);
}

HRESULT SimDIEffect::Stop() { return sim_call_stop(core_); }

HRESULT SimDIEffect::GetEffectStatus(LPDWORD status) {
    return sim_call_status(core_, status);
}

HRESULT SimDIEffect::Download() { return sim_call_download(core_); }

HRESULT SimDIEffect::Unload() { return sim_call_unload(core_); }

HRESULT SimDIEffect::Escape(LPDIEFFESCAPE escape) {
    return di_call_escape(core_.id, core_.device, escape);
}
