// An effect: its parameters, its upload to the kernel, and its playback.
#include "evdev/objects.h"

#include "evdev/system.h"

#include <climits>

EvdevEffect::EvdevEffect(EvdevDevice& device, const EvdevKind& kind)
    : device_(device), kind_(kind) {
    device_.AddRef();
    device_.link(this);
}

EvdevEffect::~EvdevEffect() {
    if (id_ >= 0)
        device_.erase(id_);
    device_.unlink(this);
    device_.Release();
}

HRESULT EvdevEffect::QueryInterface(REFIID iid, void** out) {
    return evdev_query(this, iid, out, IID_IDirectInputEffect);
}

ULONG EvdevEffect::AddRef() { return ++refs_; }

ULONG EvdevEffect::Release() {
    const ULONG left = --refs_;
    if (left == 0)
        delete this;
    return left;
}

void EvdevEffect::forget() {
    id_ = -1;
    started_ = false;
}

HRESULT EvdevEffect::Initialize(HINSTANCE instance, DWORD version, REFGUID guid) {
    if (!instance)
        return DIERR_INVALIDPARAM;
    const HRESULT hr = evdev_check_version(version);
    if (FAILED(hr))
        return hr;
    return IsEqualGUID(guid, *kind_.guid) ? DI_OK : DIERR_DEVICENOTREG;
}

HRESULT EvdevEffect::GetEffectGuid(LPGUID guid) {
    if (!guid)
        return DIERR_INVALIDPARAM;
    *guid = *kind_.guid;
    return DI_OK;
}

HRESULT EvdevEffect::GetParameters(LPDIEFFECT effect, DWORD mask) {
    if (!effect)
        return DIERR_INVALIDPARAM;
    return evdev_give_params(params_, *effect, mask, device_.node());
}

HRESULT EvdevEffect::upload() {
    if (!evdev_params_complete(params_, kind_))
        return DIERR_INCOMPLETEEFFECT;
    ff_effect record;
    const HRESULT translated = evdev_translate(params_, kind_, device_.node(), record);
    if (FAILED(translated))
        return translated;
    record.id = short(id_);
    const HRESULT hr = device_.upload(record);
    if (FAILED(hr))
        return hr;
    id_ = record.id;
    return translated;
}

HRESULT EvdevEffect::SetParameters(LPCDIEFFECT effect, DWORD mask) {
    if (!effect)
        return DIERR_INVALIDPARAM;
    HRESULT hr = device_.check_attached();
    if (FAILED(hr))
        return hr;
    EvdevParams next = params_;
    hr = evdev_take_params(next, *effect, mask, kind_, device_.node());
    if (FAILED(hr))
        return hr;
    // What the kernel could never play is refused before anything is kept.
    if (evdev_params_complete(next, kind_)) {
        ff_effect record;
        hr = evdev_translate(next, kind_, device_.node(), record);
        if (FAILED(hr))
            return hr;
    }
    params_ = next;
    if ((mask & DIEP_NODOWNLOAD) || FAILED(device_.check_exclusive()) ||
        !evdev_params_complete(params_, kind_))
        return (mask & DIEP_START) ? DIERR_NOTEXCLUSIVEACQUIRED : DI_DOWNLOADSKIPPED;
    // An effect on the device is updated in place: the kernel keeps it playing.
    hr = upload();
    if (FAILED(hr) || !(mask & DIEP_START))
        return hr;
    const HRESULT started = Start(1, 0);
    return FAILED(started) ? started : hr;
}

HRESULT EvdevEffect::Download() {
    HRESULT hr = device_.check_exclusive();
    if (FAILED(hr))
        return hr;
    if (id_ >= 0)
        return DI_NOEFFECT;
    return upload();
}

HRESULT EvdevEffect::Start(DWORD iterations, DWORD flags) {
    if ((flags & ~DWORD(DIES_SOLO | DIES_NODOWNLOAD)) || iterations == 0)
        return DIERR_INVALIDPARAM;
    HRESULT hr = device_.check_exclusive();
    if (SUCCEEDED(hr))
        hr = device_.drain_events();
    if (FAILED(hr))
        return hr;
    if (id_ < 0) {
        if (flags & DIES_NODOWNLOAD)
            return DIERR_NOTDOWNLOADED;
        hr = upload();
        if (FAILED(hr))
            return hr;
    }
    if (flags & DIES_SOLO) {
        hr = device_.stop_all(this);
        if (FAILED(hr))
            return hr;
    }
    // The kernel's play count is a signed int (a negative one stops): INFINITE is its maximum.
    const int count = iterations > DWORD(INT_MAX) ? INT_MAX : int(iterations);
    hr = device_.write_ff(unsigned(id_), count);
    if (FAILED(hr))
        return hr;
    started_ = true;
    startedAt_ = evdev_system().now_ms();
    iterations_ = iterations;
    kernelStatus_ = -1;
    return DI_OK;
}

HRESULT EvdevEffect::Stop() {
    HRESULT hr = device_.check_exclusive();
    if (FAILED(hr))
        return hr;
    if (id_ >= 0 && started_) {
        hr = device_.write_ff(unsigned(id_), 0);
        if (FAILED(hr))
            return hr;
    }
    started_ = false;
    return DI_OK;
}

HRESULT EvdevEffect::GetEffectStatus(LPDWORD status) {
    if (!status)
        return DIERR_INVALIDPARAM;
    const HRESULT hr = device_.drain_events();
    if (FAILED(hr))
        return hr;
    bool playing = started_ && id_ >= 0;
    if (playing && kernelStatus_ >= 0) {
        // The device tells: its word is taken.
        playing = kernelStatus_ == FF_STATUS_PLAYING;
    } else if (playing && params_.duration != INFINITE && iterations_ != INFINITE) {
        // Otherwise the effect plays for its length, as the kernel holds it, times the count.
        ff_effect record;
        evdev_translate(params_, kind_, device_.node(), record);
        const uint64_t length = uint64_t(record.replay.length) * iterations_;
        playing = evdev_system().now_ms() - startedAt_ < length;
    }
    *status = playing ? DIEGES_PLAYING : 0;
    return DI_OK;
}

HRESULT EvdevEffect::Unload() {
    HRESULT hr = device_.check_attached();
    if (FAILED(hr) || id_ < 0)
        return hr;
    hr = device_.erase(id_);
    if (SUCCEEDED(hr))
        forget();
    return hr;
}

HRESULT EvdevEffect::Escape(LPDIEFFESCAPE) { return DIERR_UNSUPPORTED; }
