#include "sim/common/effectcore.h"

#include "sim/render/renderer.h"

#include <cstdlib>

SimDeviceCore::SimDeviceCore(SimModule& m, unsigned i, int s, const SimDeviceLimits& l,
                             bool exclusive)
    : module(m), id(i), slot(s), generation(m.slot(s).generation), limits(l), needsExclusive(exclusive) {}

SimDeviceCore::~SimDeviceCore() {
    // Effects hold their device, so none is left here; guard the list all the same.
    for (SimEffectCore* e = effects_; e; e = e->deviceNext_)
        e->downloaded = e->playing = false;
}

DWORD& SimDeviceCore::prop(DWORD number, unsigned index) {
    if (!attached() || number >= SIM_MAX_PROPERTY || index > 1) {
        scratch_ = 0;
        return scratch_;
    }
    return module.slot(slot).props[number][index];
}

HRESULT SimDeviceCore::acquire() {
    if (!attached())
        return TACTRA_ERROR_INPUTLOST;
    if (acquired)
        return SIM_S_NOEFFECT;
    acquired = true;
    return S_OK;
}

HRESULT SimDeviceCore::unacquire() {
    if (!acquired)
        return SIM_S_NOEFFECT;
    // Losing the device resets it: every effect is stopped and taken off the device.
    unload_all();
    acquired = false;
    paused = false;
    return S_OK;
}

HRESULT SimDeviceCore::set_cooperative_level(DWORD flags) {
    if (acquired)
        return SIM_E_ACQUIRED;
    coopSet = true;
    coopFlags = flags;
    return S_OK;
}

HRESULT SimDeviceCore::initialize(const GUID& instance) const {
    if (module.find(instance) < 0)
        return TACTRA_ERROR_DEVICENOTREG;
    // The object was opened on its device at creation; it cannot be moved to another one.
    if (!attached() || !IsEqualGUID(module.slot(slot).instance, instance))
        return SIM_E_ALREADYINITIALIZED;
    return SIM_S_NOEFFECT;
}

HRESULT SimDeviceCore::ready_for_effects() const {
    if (!attached())
        return TACTRA_ERROR_INPUTLOST;
    if (!acquired)
        return TACTRA_ERROR_NOTACQUIRED;
    if (needsExclusive && !(coopFlags & TACTRA_SCL_EXCLUSIVE))
        return SIM_E_NOTEXCLUSIVEACQUIRED;
    return S_OK;
}

unsigned SimDeviceCore::downloaded_count() const {
    unsigned n = 0;
    for (SimEffectCore* e = effects_; e; e = e->deviceNext_)
        n += e->downloaded ? 1 : 0;
    return n;
}

void SimDeviceCore::stop_all() {
    for (SimEffectCore* e = effects_; e; e = e->deviceNext_) {
        e->playing = false;
        e->trigger_released();
    }
}

void SimDeviceCore::unload_all() {
    for (SimEffectCore* e = effects_; e; e = e->deviceNext_) {
        e->playing = e->downloaded = false;
        e->trigger_released();
    }
}

HRESULT SimDeviceCore::ff_state(DWORD* state) const {
    if (!state)
        return TACTRA_ERROR_INVALIDPARAM;
    HRESULT ready = ready_for_effects();
    if (FAILED(ready))
        return ready;
    bool any = false, playingAny = false;
    for (SimEffectCore* e = effects_; e; e = e->deviceNext_) {
        any = any || e->downloaded;
        playingAny = playingAny || e->is_playing();
    }
    DWORD s = SIM_FFS_POWERON;
    s |= any ? 0 : SIM_FFS_EMPTY;
    s |= playingAny ? 0 : SIM_FFS_STOPPED;
    s |= paused ? SIM_FFS_PAUSED : 0;
    s |= module.slot(slot).props[TACTRA_PROP_FORCEOUTPUT][0] ? SIM_FFS_ACTUATORSON
                                                              : SIM_FFS_ACTUATORSOFF;
    *state = s;
    return S_OK;
}

HRESULT SimDeviceCore::ff_command(DWORD command) {
    HRESULT ready = ready_for_effects();
    if (FAILED(ready))
        return ready;
    switch (command) {
    case SIM_FFC_RESET:
        unload_all();
        paused = false;
        return S_OK;
    case SIM_FFC_STOPALL:
        stop_all();
        paused = false;
        return S_OK;
    case SIM_FFC_PAUSE:
        if (!paused)
            pausedAt = module.now();
        paused = true;
        return S_OK;
    case SIM_FFC_CONTINUE:
        if (paused) {
            for (SimEffectCore* e = effects_; e; e = e->deviceNext_)
                e->resume(module.now() - pausedAt);
        }
        paused = false;
        return S_OK;
    case SIM_FFC_SETACTUATORSON:
    case SIM_FFC_SETACTUATORSOFF:
        prop(TACTRA_PROP_FORCEOUTPUT, 0) = command == SIM_FFC_SETACTUATORSON ? 1 : 0;
        return S_OK;
    default:
        return TACTRA_ERROR_INVALIDPARAM;
    }
}

SimEffectCore::SimEffectCore(SimDeviceCore& d, unsigned i, SimBlock b) : device(d), id(i), block(b) {
    deviceNext_ = device.effects_;
    device.effects_ = this;
    device.module.list_effect(this);
}

SimEffectCore::~SimEffectCore() {
    device.module.unlist_effect(this);
    for (SimEffectCore** p = &device.effects_; *p; p = &(*p)->deviceNext_) {
        if (*p == this) {
            *p = deviceNext_;
            break;
        }
    }
    std::free(samples_);
}

HRESULT SimEffectCore::store(const SimEffectInput& in, DWORD mask) {
    HRESULT hr = sim_validate(in, mask, block, hasParams ? params.cAxes : 0, device.limits);
    if (FAILED(hr))
        return hr;
    LONG* fresh = nullptr;
    DWORD count = 0;
    if (block == SimBlock::Custom && (mask & TACTRA_EP_TYPESPECIFICPARAMS)) {
        TACTRA_CUSTOMFORCE c;
        std::memcpy(&c, in.lpvTypeSpecificParams, sizeof c);
        count = c.cChannels * c.cSamples;
        fresh = static_cast<LONG*>(std::malloc(count * sizeof(LONG)));
        if (!fresh)
            return TACTRA_ERROR_OUTOFMEMORY;
        std::memcpy(fresh, c.rglForceData, count * sizeof(LONG));
    }
    if (!hasParams)
        params.dwFlags = in.dwFlags;
    sim_merge(params, in, mask);
    hasParams = true;
    if (fresh) {
        std::free(samples_);
        samples_ = fresh;
        sampleCount_ = count;
    }
    decode();
    return S_OK;
}

void SimEffectCore::decode() {
    const SimModuleConfig& config = device.module.config();
    const SimRenderKind kind = config.renderKind ? config.renderKind(params.guid) : SimRenderKind::None;
    sim_render_decode(kind, params, samples_, sampleCount_, device.limits.triggerBase, &render);
}

HRESULT SimEffectCore::create(const SimEffectInput* in, bool requireAcquired) {
    if (!device.attached())
        return TACTRA_ERROR_INPUTLOST;
    if (in) {
        HRESULT hr = sim_validate(*in, TACTRA_EP_ALLPARAMS, block, 0, device.limits);
        if (FAILED(hr))
            return hr;
    }
    HRESULT ready = device.ready_for_effects();
    if (requireAcquired && FAILED(ready))
        return ready;
    if (!in)
        return S_OK;
    HRESULT hr = store(*in, TACTRA_EP_ALLPARAMS);
    if (FAILED(hr))
        return hr;
    if (FAILED(ready))
        return SIM_S_DOWNLOADSKIPPED;
    return download();
}

HRESULT SimEffectCore::set(const SimEffectInput& in, DWORD mask) {
    const DWORD control = SIM_EP_START | SIM_EP_NORESTART | SIM_EP_NODOWNLOAD;
    if (mask & ~(TACTRA_EP_ALLPARAMS | control))
        return TACTRA_ERROR_INVALIDPARAM;
    if (!device.attached())
        return TACTRA_ERROR_INPUTLOST;
    const DWORD fields = mask & TACTRA_EP_ALLPARAMS;
    if (!hasParams && fields != TACTRA_EP_ALLPARAMS) {
        // The first parameters of an effect created empty must be complete.
        HRESULT hr = sim_validate(in, fields, block, 0, device.limits);
        if (FAILED(hr))
            return hr;
        return TACTRA_ERROR_INCOMPLETEEFFECT;
    }
    HRESULT hr = store(in, fields);
    if (FAILED(hr))
        return hr;
    if ((mask & SIM_EP_NODOWNLOAD) || FAILED(device.ready_for_effects()))
        return SIM_S_DOWNLOADSKIPPED;
    hr = download();
    if (FAILED(hr))
        return hr;
    if (mask & SIM_EP_START)
        return start(1, 0);
    return S_OK;
}

HRESULT SimEffectCore::download() {
    HRESULT ready = device.ready_for_effects();
    if (FAILED(ready))
        return ready;
    if (!hasParams || !params.hasTypeSpecific)
        return TACTRA_ERROR_INCOMPLETEEFFECT;
    if (downloaded)
        return S_OK;
    if (device.downloaded_count() >= device.module.capacity())
        return TACTRA_ERROR_DEVICEFULL;
    downloaded = true;
    return S_OK;
}

HRESULT SimEffectCore::start(DWORD count, DWORD flags) {
    if (flags & ~(TACTRA_ES_SOLO | TACTRA_ES_NODOWNLOAD) || count == 0)
        return TACTRA_ERROR_INVALIDPARAM;
    HRESULT ready = device.ready_for_effects();
    if (FAILED(ready))
        return ready;
    if (!downloaded) {
        if (flags & TACTRA_ES_NODOWNLOAD)
            return TACTRA_ERROR_NOTDOWNLOADED;
        HRESULT hr = download();
        if (FAILED(hr))
            return hr;
    }
    if (flags & TACTRA_ES_SOLO)
        device.stop_all();
    playing = true;
    iterations = count;
    started = device.clock();
    return S_OK;
}

HRESULT SimEffectCore::stop() {
    HRESULT ready = device.ready_for_effects();
    if (FAILED(ready))
        return ready;
    playing = false;
    trigger_released();
    return S_OK;
}

bool SimEffectCore::is_playing() const {
    return playing && sim_render_playing(render, iterations, elapsed());
}

void SimEffectCore::trigger_pressed() {
    if (!downloaded || FAILED(device.ready_for_effects()))
        return;
    playing = true;
    iterations = 1;
    started = pressedAt_ = device.clock();
    triggerHeld_ = true;
}

void SimEffectCore::trigger_repeat() {
    const DWORD interval = render.repeatInterval;
    if (!triggerHeld_ || interval == 0 || interval == TACTRA_INFINITE)
        return;
    // The last repeat due by now; repeats that fell between two clock steps are not replayed.
    const uint64_t since = device.clock() - pressedAt_;
    started = pressedAt_ + since / interval * interval;
    playing = true;
    iterations = 1;
}

void SimEffectCore::resume(uint64_t held) {
    started += held;
    pressedAt_ += held;
}

HRESULT SimEffectCore::status(DWORD* out) const {
    if (!out)
        return TACTRA_ERROR_INVALIDPARAM;
    if (!device.attached())
        return TACTRA_ERROR_INPUTLOST;
    *out = is_playing() ? TACTRA_EGES_PLAYING : 0;
    return S_OK;
}

HRESULT SimEffectCore::unload() {
    HRESULT ready = device.ready_for_effects();
    if (FAILED(ready))
        return ready;
    playing = downloaded = false;
    trigger_released();
    return S_OK;
}

void SimEffectCore::fill_state(SimEffectState* out) const {
    std::memset(out, 0, sizeof *out);
    out->object = id;
    out->device = device.id;
    out->params = params;
    out->downloaded = downloaded ? TRUE : FALSE;
    out->playing = is_playing() ? TRUE : FALSE;
    out->iterations = iterations;
    out->refCount = refs;
    out->started = started;
}
