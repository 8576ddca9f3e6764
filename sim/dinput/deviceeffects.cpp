// The joystick device: force-feedback effects and commands.
#include "sim/dinput/kinds.h"
#include "sim/dinput/objects.h"

HRESULT SimDIDevice::CreateEffect(REFGUID rguid, LPCDIEFFECT effect, LPDIRECTINPUTEFFECT* out,
                                  LPUNKNOWN outer) {
    SimCallScope c(sim_module(), "CreateEffect", id());
    di_log_params(c.call, effect, rguid, DIEP_ALLPARAMS);
    HRESULT hr;
    if (out)
        *out = nullptr;
    if (c.injected(&hr))
        return c.done(hr);
    if (!out)
        return c.done(E_POINTER);
    if (outer)
        return c.done(DIERR_NOAGGREGATION);
    const DIKind* kind = di_find_kind(rguid);
    if (!kind)
        return c.done(DIERR_DEVICENOTREG);
    if (effect && effect->dwSize != sizeof(DIEFFECT))
        return c.done(DIERR_INVALIDPARAM);
    if (!effect)
        return sim_create_effect<SimDIEffect>(c, *this, core_, rguid, kind->block, nullptr, false, out);
    const SimEffectInput in = sim_view(*effect, sizeof(DIEFFECT), rguid);
    return sim_create_effect<SimDIEffect>(c, *this, core_, rguid, kind->block, &in, false, out);
}

HRESULT SimDIDevice::EnumEffects(LPDIENUMEFFECTSCALLBACKA callback, LPVOID ref, DWORD effType) {
    SimCallScope c(sim_module(), "EnumEffects", id());
    c.call.args[0] = effType;
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    if (!callback)
        return c.done(DIERR_INVALIDPARAM);
    unsigned count;
    const DIKind* kinds = di_kinds(&count);
    const DWORD wanted = DIEFT_GETTYPE(effType);
    for (unsigned i = 0; i < count; ++i) {
        if (wanted != DIEFT_ALL && wanted != DIEFT_HARDWARE && DIEFT_GETTYPE(kinds[i].type) != wanted)
            continue;
        DIEFFECTINFOA info;
        info.dwSize = sizeof info;
        di_fill_effect_info(kinds[i], &info);
        if (callback(&info, ref) == DIENUM_STOP)
            break;
    }
    return c.done(DI_OK);
}

HRESULT SimDIDevice::GetEffectInfo(LPDIEFFECTINFOA info, REFGUID rguid) {
    SimCallScope c(sim_module(), "GetEffectInfo", id());
    c.call.guid = rguid;
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    if (!info || info->dwSize != sizeof(DIEFFECTINFOA))
        return c.done(DIERR_INVALIDPARAM);
    const DIKind* kind = di_find_kind(rguid);
    if (!kind)
        return c.done(DIERR_DEVICENOTREG);
    di_fill_effect_info(*kind, info);
    return c.done(DI_OK);
}

HRESULT SimDIDevice::GetForceFeedbackState(LPDWORD state) {
    return sim_call_ff_state(core_, state);
}

HRESULT SimDIDevice::SendForceFeedbackCommand(DWORD flags) {
    return sim_call_ff_command(core_, flags);
}

HRESULT SimDIDevice::EnumCreatedEffectObjects(LPDIENUMCREATEDEFFECTOBJECTSCALLBACK callback,
                                              LPVOID ref, DWORD flags) {
    return sim_call_enum_created_effects<SimDIEffect>(core_, callback, ref, flags);
}

HRESULT SimDIDevice::Escape(LPDIEFFESCAPE escape) { return di_call_escape(id(), core_, escape); }
