// The joystick device: force-feedback effects and commands.
#include "sim/common/callscope.h"
#include "sim/common/control.h"
#include "sim/dinput/kinds.h"
#include "sim/dinput/objects.h"

#include <new>

HRESULT SimDIDevice::CreateEffect(REFGUID rguid, LPCDIEFFECT effect, LPDIRECTINPUTEFFECT* out,
                                  LPUNKNOWN outer) {
    SimCallScope c(sim_module(), "CreateEffect", id());
    c.call.guid = rguid;
    if (effect) {
        c.call.hasParams = TRUE;
        if (effect->dwSize == sizeof(DIEFFECT))
            sim_capture(sim_view(*effect, sizeof(DIEFFECT), rguid), DIEP_ALLPARAMS, &c.call.params);
        else
            c.call.params.dwSize = effect->dwSize;
        c.call.params.guid = rguid;
    }
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
    SimDIEffect* created = new (std::nothrow) SimDIEffect(*this, core_, rguid, kind->block);
    if (!created)
        return c.done(DIERR_OUTOFMEMORY);
    if (effect) {
        const SimEffectInput in = sim_view(*effect, sizeof(DIEFFECT), rguid);
        hr = created->core().create(&in, false);
    } else {
        hr = created->core().create(nullptr, false);
    }
    if (FAILED(hr)) {
        created->drop();
        return c.done(hr);
    }
    c.call.args[0] = created->core().id;
    *out = created;
    return c.done(hr);
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
    SimCallScope c(sim_module(), "GetForceFeedbackState", id());
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    return c.done(core_.ff_state(state));
}

HRESULT SimDIDevice::SendForceFeedbackCommand(DWORD flags) {
    SimCallScope c(sim_module(), "SendForceFeedbackCommand", id());
    c.call.args[0] = flags;
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    return c.done(core_.ff_command(flags));
}

HRESULT SimDIDevice::EnumCreatedEffectObjects(LPDIENUMCREATEDEFFECTOBJECTSCALLBACK callback,
                                              LPVOID ref, DWORD flags) {
    SimCallScope c(sim_module(), "EnumCreatedEffectObjects", id());
    c.call.args[0] = flags;
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    if (!callback || flags)
        return c.done(DIERR_INVALIDPARAM);
    // The callback may release the effect it is given, so step on first.
    for (SimEffectCore* e = core_.first_effect(); e;) {
        SimEffectCore* next = e->next_on_device();
        if (callback(static_cast<SimDIEffect*>(e->owner), ref) == DIENUM_STOP)
            break;
        e = next;
    }
    return c.done(DI_OK);
}

HRESULT SimDIDevice::Escape(LPDIEFFESCAPE escape) {
    SimCallScope c(sim_module(), "Escape", id());
    if (escape)
        c.call.args[0] = escape->dwCommand;
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    if (!escape || escape->dwSize != sizeof(DIEFFESCAPE))
        return c.done(DIERR_INVALIDPARAM);
    hr = core_.ready_for_effects();
    if (FAILED(hr))
        return c.done(hr);
    // The software joystick defines no driver-specific commands.
    return c.done(DIERR_UNSUPPORTED);
}
