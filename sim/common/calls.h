#pragma once
// The COM methods both software devices answer alike (their result codes are numbered alike),
// each logged and failable like any call: a module's method forwards to one of these, so the
// two modules cannot drift apart.

#include "sim/common/callscope.h"
#include "sim/common/control.h"
#include "sim/common/effectcore.h"

#include <new>

HRESULT sim_call_run_control_panel(SimModule& module, unsigned object, DWORD flags);

HRESULT sim_call_unacquire(SimDeviceCore& device);
HRESULT sim_call_poll(SimDeviceCore& device);
HRESULT sim_call_ff_state(SimDeviceCore& device, DWORD* state);
HRESULT sim_call_ff_command(SimDeviceCore& device, DWORD command);

HRESULT sim_call_effect_guid(SimEffectCore& effect, const GUID& kind, GUID* out);
HRESULT sim_call_start(SimEffectCore& effect, DWORD iterations, DWORD flags);
HRESULT sim_call_stop(SimEffectCore& effect);
HRESULT sim_call_status(SimEffectCore& effect, DWORD* status);
HRESULT sim_call_download(SimEffectCore& effect);
HRESULT sim_call_unload(SimEffectCore& effect);

// The values after a property record's header (both APIs' headers have the same four words).
template <class Header>
DWORD* sim_property_data(const Header* h) {
    return reinterpret_cast<DWORD*>(const_cast<BYTE*>(reinterpret_cast<const BYTE*>(h)) + sizeof(Header));
}

// SetProperty logs up to three of the values the record holds, before it is checked.
template <class Header>
void sim_log_property_values(SimCall& call, const Header* h) {
    if (!h || h->dwSize < sizeof(Header))
        return;
    const unsigned given = (h->dwSize - sizeof(Header)) / sizeof(DWORD);
    for (unsigned i = 0; i < given && i < 3; ++i)
        call.args[1 + i] = sim_property_data(h)[i];
}

// A module's entry point `op`: a new Root for an application written for `version`, which
// `check` accepts or refuses. `noInstance`: the API needs the caller's module handle and got none.
template <class Root, class Out>
HRESULT sim_call_create_root(const char* op, bool noInstance, DWORD version,
                             HRESULT (*check)(DWORD), Out** out, IUnknown* outer) {
    SimCallScope c(sim_module(), op, 0);
    c.call.args[0] = version;
    HRESULT hr;
    if (out)
        *out = nullptr;
    if (c.injected(&hr))
        return c.done(hr);
    if (!out || noInstance)
        return c.done(TACTRA_ERROR_INVALIDPARAM);
    if (outer)
        return c.done(TACTRA_ERROR_NOAGGREGATION);
    hr = check(version);
    if (FAILED(hr))
        return c.done(hr);
    Root* root = new (std::nothrow) Root();
    if (!root)
        return c.done(TACTRA_ERROR_OUTOFMEMORY);
    *out = root;
    return c.done(S_OK);
}

// CreateDevice of a root object: a new Device on the attached device `instance`, which
// becomes the one the control API reads properties from.
template <class Device, class Root, class Out>
HRESULT sim_call_create_device(Root& root, REFGUID instance, Out** out, IUnknown* outer,
                               HRESULT nullOut) {
    SimModule& m = sim_module();
    SimCallScope c(m, "CreateDevice", 0);
    c.call.guid = instance;
    HRESULT hr;
    if (out)
        *out = nullptr;
    if (c.injected(&hr))
        return c.done(hr);
    if (!out)
        return c.done(nullOut);
    if (outer)
        return c.done(TACTRA_ERROR_NOAGGREGATION);
    const int slot = m.find(instance);
    if (slot < 0)
        return c.done(TACTRA_ERROR_DEVICENOTREG);
    Device* device = new (std::nothrow) Device(root, slot);
    if (!device)
        return c.done(TACTRA_ERROR_OUTOFMEMORY);
    m.set_current_device(slot);
    c.call.args[0] = device->id();
    *out = device;
    return c.done(S_OK);
}

// The end of CreateEffect, once the call is checked: a new Effect of `kind` created from `in`
// (null: no parameters yet). One that cannot be created is deleted, never handed out.
template <class Effect, class Device, class Out>
HRESULT sim_create_effect(SimCallScope& c, Device& device, SimDeviceCore& core, const GUID& kind,
                          SimBlock block, const SimEffectInput* in, bool requireAcquired,
                          Out** out) {
    Effect* created = new (std::nothrow) Effect(device, core, kind, block);
    if (!created)
        return c.done(TACTRA_ERROR_OUTOFMEMORY);
    const HRESULT hr = created->core().create(in, requireAcquired);
    if (FAILED(hr)) {
        created->drop();
        return c.done(hr);
    }
    c.call.args[0] = created->core().id;
    *out = created;
    return c.done(hr);
}

// EnumCreatedEffectObjects: each effect of the device, until the callback answers 0 (stop).
template <class Effect, class Callback>
HRESULT sim_call_enum_created_effects(SimDeviceCore& device, Callback callback, void* context,
                                      DWORD flags) {
    SimCallScope c(device.module, "EnumCreatedEffectObjects", device.id);
    c.call.args[0] = flags;
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    if (!callback || flags)
        return c.done(TACTRA_ERROR_INVALIDPARAM);
    // The callback may release the effect it is given, so step on first.
    for (SimEffectCore* e = device.first_effect(); e;) {
        SimEffectCore* next = e->next_on_device();
        if (callback(static_cast<Effect*>(e->owner), context) == 0)
            break;
        e = next;
    }
    return c.done(S_OK);
}
