#include "sim/common/calls.h"

HRESULT sim_call_run_control_panel(SimModule& module, unsigned object, DWORD flags) {
    SimCallScope c(module, "RunControlPanel", object);
    c.call.args[0] = flags;
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    // A software device has no settings of its own to show.
    return c.done(flags ? TACTRA_ERROR_INVALIDPARAM : S_OK);
}

HRESULT sim_call_unacquire(SimDeviceCore& device) {
    SimCallScope c(device.module, "Unacquire", device.id);
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    return c.done(device.unacquire());
}

HRESULT sim_call_poll(SimDeviceCore& device) {
    SimCallScope c(device.module, "Poll", device.id);
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    if (!device.attached())
        return c.done(TACTRA_ERROR_INPUTLOST);
    // The device reports by itself; polling has nothing to do.
    return c.done(device.acquired ? SIM_S_NOEFFECT : TACTRA_ERROR_NOTACQUIRED);
}

HRESULT sim_call_ff_state(SimDeviceCore& device, DWORD* state) {
    SimCallScope c(device.module, "GetForceFeedbackState", device.id);
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    return c.done(device.ff_state(state));
}

HRESULT sim_call_ff_command(SimDeviceCore& device, DWORD command) {
    SimCallScope c(device.module, "SendForceFeedbackCommand", device.id);
    c.call.args[0] = command;
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    return c.done(device.ff_command(command));
}

HRESULT sim_call_effect_guid(SimEffectCore& effect, const GUID& kind, GUID* out) {
    SimCallScope c(effect.device.module, "GetEffectGuid", effect.id);
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    if (!out)
        return c.done(TACTRA_ERROR_INVALIDPARAM);
    *out = kind;
    return c.done(S_OK);
}

HRESULT sim_call_start(SimEffectCore& effect, DWORD iterations, DWORD flags) {
    SimCallScope c(effect.device.module, "Start", effect.id);
    c.call.args[0] = iterations;
    c.call.args[1] = flags;
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    return c.done(effect.start(iterations, flags));
}

HRESULT sim_call_stop(SimEffectCore& effect) {
    SimCallScope c(effect.device.module, "Stop", effect.id);
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    return c.done(effect.stop());
}

HRESULT sim_call_status(SimEffectCore& effect, DWORD* status) {
    SimCallScope c(effect.device.module, "GetEffectStatus", effect.id);
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    hr = effect.status(status);
    if (SUCCEEDED(hr))
        c.call.args[0] = *status;
    return c.done(hr);
}

HRESULT sim_call_download(SimEffectCore& effect) {
    SimCallScope c(effect.device.module, "Download", effect.id);
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    return c.done(effect.download());
}

HRESULT sim_call_unload(SimEffectCore& effect) {
    SimCallScope c(effect.device.module, "Unload", effect.id);
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    return c.done(effect.unload());
}
