// The device's force feedback: effect creation and enumeration, commands, and the kernel's
// effect calls every effect goes through.
#include "evdev/objects.h"

#include "evdev/system.h"

#include <errno.h>

#include <cstdio>
#include <cstring>
#include <new>

namespace {

void fill_effect_info(const EvdevKind& kind, DIEFFECTINFOA& info) {
    info.guid = *kind.guid;
    info.dwEffType = kind.diType;
    // What the kernel's record can carry; it has no sample period and no per-effect gain of
    // its own (the gain is folded into the levels, so it can change too).
    const DWORD params = DIEP_DURATION | DIEP_GAIN | DIEP_TRIGGERBUTTON |
                         DIEP_TRIGGERREPEATINTERVAL | DIEP_AXES | DIEP_DIRECTION |
                         DIEP_TYPESPECIFICPARAMS |
                         (DIEFT_GETTYPE(kind.diType) == DIEFT_CONDITION ? 0 : DIEP_ENVELOPE);
    info.dwStaticParams = params;
    info.dwDynamicParams = params;
    std::snprintf(info.tszName, sizeof info.tszName, "%s", kind.name);
}

}  // namespace

HRESULT EvdevDevice::failed(int error) {
    switch (error) {
    case ENODEV:
        // Unplugged: the node answers nothing more. Its effects went with it.
        if (fd_ >= 0)
            evdev_system().close(fd_);
        fd_ = -1;
        for (EvdevEffect* e = effects_; e; e = e->next_)
            e->forget();
        return DIERR_INPUTLOST;
    case ENOSPC:
        return DIERR_DEVICEFULL;
    case EINVAL:
        return DIERR_INVALIDPARAM;
    case ENOMEM:
        return DIERR_OUTOFMEMORY;
    case EACCES:
    case EPERM:
        return E_ACCESSDENIED;
    default:
        return DIERR_GENERIC;
    }
}

HRESULT EvdevDevice::upload(ff_effect& effect) {
    if (fd_ < 0)
        return DIERR_INPUTLOST;
    if (evdev_system().ioctl(fd_, EVIOCSFF, &effect) < 0)
        return failed(errno);
    return DI_OK;
}

HRESULT EvdevDevice::erase(int id) {
    if (fd_ < 0)
        return DIERR_INPUTLOST;
    // EVIOCRMFF takes the id itself, not its address.
    if (evdev_system().ioctl(fd_, EVIOCRMFF, reinterpret_cast<void*>(static_cast<intptr_t>(id))) < 0)
        return failed(errno);
    return DI_OK;
}

HRESULT EvdevDevice::write_ff(unsigned code, int value) {
    if (fd_ < 0)
        return DIERR_INPUTLOST;
    input_event event;
    std::memset(&event, 0, sizeof event);
    event.type = EV_FF;
    event.code = (unsigned short)code;
    event.value = value;
    for (;;) {
        const ssize_t n = evdev_system().write(fd_, &event, sizeof event);
        if (n == ssize_t(sizeof event))
            return DI_OK;
        if (n < 0 && errno == EINTR)
            continue;
        return failed(n < 0 ? errno : EIO);
    }
}

HRESULT EvdevDevice::drain_events() {
    if (fd_ < 0)
        return DIERR_INPUTLOST;
    input_event events[16];
    for (;;) {
        const ssize_t n = evdev_system().read(fd_, events, sizeof events);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno == EAGAIN || errno == EWOULDBLOCK ? DI_OK : failed(errno);
        }
        const size_t count = size_t(n) / sizeof(input_event);
        for (size_t i = 0; i < count; ++i) {
            if (events[i].type != EV_FF_STATUS)
                continue;
            for (EvdevEffect* e = effects_; e; e = e->next_)
                if (e->id_ == events[i].code && e->started_)
                    e->kernelStatus_ = events[i].value;
        }
        if (count < sizeof events / sizeof events[0])
            return DI_OK;
    }
}

HRESULT EvdevDevice::stop_all(const EvdevEffect* except) {
    for (EvdevEffect* e = effects_; e; e = e->next_) {
        if (e == except)
            continue;
        if (e->id_ >= 0 && e->started_) {
            const HRESULT hr = write_ff(unsigned(e->id_), 0);
            if (FAILED(hr))
                return hr;
        }
        e->started_ = false;
    }
    return DI_OK;
}

HRESULT EvdevDevice::unload_all() {
    for (EvdevEffect* e = effects_; e; e = e->next_) {
        if (e->id_ >= 0) {
            const HRESULT hr = erase(e->id_);
            if (FAILED(hr))
                return hr;
        }
        e->forget();
    }
    return DI_OK;
}

void EvdevDevice::link(EvdevEffect* effect) {
    effect->next_ = effects_;
    effects_ = effect;
}

void EvdevDevice::unlink(EvdevEffect* effect) {
    for (EvdevEffect** at = &effects_; *at; at = &(*at)->next_)
        if (*at == effect) {
            *at = effect->next_;
            return;
        }
}

HRESULT EvdevDevice::CreateEffect(REFGUID rguid, LPCDIEFFECT params, LPDIRECTINPUTEFFECT* out,
                                  LPUNKNOWN outer) {
    if (!out)
        return DIERR_INVALIDPARAM;
    *out = nullptr;
    if (outer)
        return DIERR_NOAGGREGATION;
    if (fd_ < 0)
        return DIERR_INPUTLOST;
    const EvdevKind* kind = evdev_find_kind(rguid);
    if (!kind || !evdev_node_plays(node_, *kind))
        return DIERR_DEVICENOTREG;
    EvdevEffect* effect = new (std::nothrow) EvdevEffect(*this, *kind);
    if (!effect)
        return DIERR_OUTOFMEMORY;
    HRESULT hr = DI_OK;
    if (params) {
        hr = effect->SetParameters(params, DIEP_ALLPARAMS);
        if (FAILED(hr)) {
            effect->Release();
            return hr;
        }
        // An effect made while the device is not in exclusive use waits for its download.
        if (hr == DI_DOWNLOADSKIPPED)
            hr = DI_OK;
    }
    *out = effect;
    return hr;
}

HRESULT EvdevDevice::EnumEffects(LPDIENUMEFFECTSCALLBACKA callback, LPVOID ref, DWORD effType) {
    if (!callback)
        return DIERR_INVALIDPARAM;
    unsigned count;
    const EvdevKind* kinds = evdev_kinds(&count);
    const DWORD type = DIEFT_GETTYPE(effType);
    for (unsigned i = 0; i < count; ++i) {
        if (!evdev_node_plays(node_, kinds[i]) || (type && DIEFT_GETTYPE(kinds[i].diType) != type))
            continue;
        DIEFFECTINFOA info;
        info.dwSize = sizeof info;
        fill_effect_info(kinds[i], info);
        if (callback(&info, ref) == DIENUM_STOP)
            break;
    }
    return DI_OK;
}

HRESULT EvdevDevice::GetEffectInfo(LPDIEFFECTINFOA info, REFGUID rguid) {
    if (!info || info->dwSize != sizeof(DIEFFECTINFOA))
        return DIERR_INVALIDPARAM;
    const EvdevKind* kind = evdev_find_kind(rguid);
    if (!kind || !evdev_node_plays(node_, *kind))
        return DIERR_DEVICENOTREG;
    fill_effect_info(*kind, *info);
    return DI_OK;
}

HRESULT EvdevDevice::GetForceFeedbackState(LPDWORD state) {
    if (!state)
        return DIERR_INVALIDPARAM;
    HRESULT hr = check_exclusive();
    if (SUCCEEDED(hr))
        hr = drain_events();
    if (FAILED(hr))
        return hr;
    // The kernel says nothing of power or actuators: only what the effects show is told.
    bool any = false, playing = false;
    for (EvdevEffect* e = effects_; e; e = e->next_) {
        any = any || e->id_ >= 0;
        DWORD status = 0;
        if (e->id_ >= 0 && SUCCEEDED(e->GetEffectStatus(&status)) && (status & DIEGES_PLAYING))
            playing = true;
    }
    *state = (any ? 0 : DIGFFS_EMPTY) | (playing ? 0 : DIGFFS_STOPPED);
    return DI_OK;
}

HRESULT EvdevDevice::SendForceFeedbackCommand(DWORD flags) {
    const DWORD known = DISFFC_RESET | DISFFC_STOPALL | DISFFC_PAUSE | DISFFC_CONTINUE |
                        DISFFC_SETACTUATORSON | DISFFC_SETACTUATORSOFF;
    // Exactly one command.
    if (!flags || (flags & ~known) || (flags & (flags - 1)))
        return DIERR_INVALIDPARAM;
    const HRESULT hr = check_exclusive();
    if (FAILED(hr))
        return hr;
    switch (flags) {
    case DISFFC_RESET:
        // Every effect leaves the device; the objects stay and download again when started.
        return unload_all();
    case DISFFC_STOPALL:
        return stop_all();
    default:
        // The kernel has no pause and no switch for the actuators.
        return DIERR_UNSUPPORTED;
    }
}

HRESULT EvdevDevice::EnumCreatedEffectObjects(LPDIENUMCREATEDEFFECTOBJECTSCALLBACK callback,
                                              LPVOID ref, DWORD flags) {
    if (!callback || flags)
        return DIERR_INVALIDPARAM;
    for (EvdevEffect* e = effects_; e;) {
        EvdevEffect* next = e->next_;  // the callback may release the effect
        if (callback(e, ref) == DIENUM_STOP)
            break;
        e = next;
    }
    return DI_OK;
}
