#include "sim/common/callscope.h"
#include "sim/common/control.h"
#include "sim/tactra/objects.h"

SimTactraEffect::SimTactraEffect(SimTactraDevice& device, SimDeviceCore& core, const GUID& kind,
                                 SimBlock block)
    : device_(device), kind_(kind), core_(core, sim_module().next_id(), block) {
    core_.owner = this;
}

HRESULT SimTactraEffect::GetEffectGuid(GUID* kind) {
    SimCallScope c(sim_module(), "GetEffectGuid", core_.id);
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    if (!kind)
        return c.done(TACTRA_ERROR_INVALIDPARAM);
    *kind = kind_;
    return c.done(S_OK);
}

HRESULT SimTactraEffect::GetParameters(TACTRA_EFFECT* effect, DWORD mask) {
    SimCallScope c(sim_module(), "GetParameters", core_.id);
    c.call.args[0] = mask;
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    hr = sim_fill(core_.params, core_.samples(), core_.sample_count(), core_.block, effect,
                  static_cast<TACTRA_ENVELOPE*>(nullptr), mask, sizeof(TACTRA_EFFECT));
    if (effect && effect->dwSize == sizeof(TACTRA_EFFECT) && !FAILED(hr))
        effect->guid = kind_;
    return c.done(hr);
}

HRESULT SimTactraEffect::SetParameters(const TACTRA_EFFECT* effect, DWORD mask) {
    SimCallScope c(sim_module(), "SetParameters", core_.id);
    c.call.args[0] = mask;
    if (effect) {
        c.call.hasParams = TRUE;
        if (effect->dwSize == sizeof(TACTRA_EFFECT)) {
            SimEffectInput in = sim_view(*effect, sizeof(TACTRA_EFFECT), effect->guid);
            in.dwReserved = effect->dwReserved;
            sim_capture(in, mask, &c.call.params);
            c.call.guid = effect->guid;
        } else {
            c.call.params.dwSize = effect->dwSize;
        }
    }
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    if (!effect)
        return c.done(TACTRA_ERROR_INVALIDPARAM);
    // The kind is the effect's own; a record naming another is still read for its fields only.
    SimEffectInput in = sim_view(*effect, sizeof(TACTRA_EFFECT), kind_);
    in.dwReserved = effect->dwReserved;
    return c.done(core_.set(in, mask));
}

HRESULT SimTactraEffect::Start(DWORD iterations, DWORD flags) {
    SimCallScope c(sim_module(), "Start", core_.id);
    c.call.args[0] = iterations;
    c.call.args[1] = flags;
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    return c.done(core_.start(iterations, flags));
}

HRESULT SimTactraEffect::Stop() {
    SimCallScope c(sim_module(), "Stop", core_.id);
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    return c.done(core_.stop());
}

HRESULT SimTactraEffect::GetEffectStatus(DWORD* status) {
    SimCallScope c(sim_module(), "GetEffectStatus", core_.id);
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    hr = core_.status(status);
    if (SUCCEEDED(hr))
        c.call.args[0] = *status;
    return c.done(hr);
}

HRESULT SimTactraEffect::Download() {
    SimCallScope c(sim_module(), "Download", core_.id);
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    return c.done(core_.download());
}

HRESULT SimTactraEffect::Unload() {
    SimCallScope c(sim_module(), "Unload", core_.id);
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    return c.done(core_.unload());
}
