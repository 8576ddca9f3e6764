#include "sim/tactra/objects.h"

SimTactraEffect::SimTactraEffect(SimTactraDevice& device, SimDeviceCore& core, const GUID& kind,
                                 SimBlock block)
    : device_(device), kind_(kind), core_(core, sim_module().next_id(), block) {
    core_.owner = this;
    core_.iface = static_cast<ITactraEffect*>(this);
}

SimTactraEffect::~SimTactraEffect() { tactra_drop_inner(core_.device, *this); }

HRESULT SimTactraEffect::GetEffectGuid(GUID* kind) {
    return sim_call_effect_guid(core_, kind_, kind);
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
    tactra_log_params(c.call, effect, mask);
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    if (!effect)
        return c.done(TACTRA_ERROR_INVALIDPARAM);
    // The kind is the effect's own; a record naming another is still read for its fields only.
    const SimEffectInput in = tactra_view(*effect, kind_);
    hr = tactra_check_inner(core_.device, core_.block, in, mask, this);
    if (FAILED(hr))
        return c.done(hr);
    return c.done(core_.set(in, mask));
}

SimEffectInput tactra_view(const TACTRA_EFFECT& effect, const GUID& kind) {
    SimEffectInput in = sim_view(effect, sizeof(TACTRA_EFFECT), kind);
    in.dwReserved = effect.dwReserved;
    return in;
}

void tactra_log_params(SimCall& call, const TACTRA_EFFECT* effect, DWORD mask) {
    if (!effect)
        return;
    call.hasParams = TRUE;
    if (effect->dwSize != sizeof(TACTRA_EFFECT)) {
        call.params.dwSize = effect->dwSize;
        return;
    }
    sim_capture(tactra_view(*effect, effect->guid), mask, &call.params);
    call.guid = effect->guid;
}

HRESULT SimTactraEffect::Start(DWORD iterations, DWORD flags) {
    return sim_call_start(core_, iterations, flags);
}

HRESULT SimTactraEffect::Stop() { return sim_call_stop(core_); }

HRESULT SimTactraEffect::GetEffectStatus(DWORD* status) {
    return sim_call_status(core_, status);
}

HRESULT SimTactraEffect::Download() { return sim_call_download(core_); }

HRESULT SimTactraEffect::Unload() { return sim_call_unload(core_); }
