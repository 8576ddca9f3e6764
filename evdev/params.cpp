// Taking and giving back an effect's DirectInput parameters.
#include "evdev/params.h"

#include <cstring>

namespace {

const DWORD kIdMask = 0x00FFFFFF;  // an object ID without its force-feedback bits

DWORD axis_id(const EvdevNode& node, unsigned code) {
    for (unsigned i = 0; i < node.axisCount; ++i)
        if (node.axes[i].code == code)
            return DIDFT_ABSAXIS | DIDFT_MAKEINSTANCE(i);
    return ~DWORD(0);
}

// The force axis an offset or object ID names, or -1.
int force_axis(DWORD object, DWORD flags, const EvdevNode& node) {
    if (flags & DIEFF_OBJECTOFFSETS)
        return object == DIJOFS_X ? EVDEV_AXIS_X : object == DIJOFS_Y ? EVDEV_AXIS_Y : -1;
    object &= kIdMask;
    return object == axis_id(node, ABS_X) ? EVDEV_AXIS_X
           : object == axis_id(node, ABS_Y) ? EVDEV_AXIS_Y
                                            : -1;
}

DWORD axis_object(int axis, DWORD flags, const EvdevNode& node) {
    if (!(flags & DIEFF_OBJECTIDS))
        return axis == EVDEV_AXIS_X ? DWORD(DIJOFS_X) : DWORD(DIJOFS_Y);
    return axis_id(node, axis == EVDEV_AXIS_X ? ABS_X : ABS_Y);
}

// The button index an offset or object ID names, or -1.
int button_index(DWORD object, DWORD flags, const EvdevNode& node) {
    DWORD n;
    if (flags & DIEFF_OBJECTOFFSETS) {
        if (object < DIJOFS_BUTTON0)
            return -1;
        n = object - DIJOFS_BUTTON0;
    } else {
        object &= kIdMask;
        if (DIDFT_GETTYPE(object) != DIDFT_PSHBUTTON)
            return -1;
        n = DIDFT_GETINSTANCE(object);
    }
    return n < node.buttonCount ? int(n) : -1;
}

// Exactly one way of naming objects, where objects are named.
bool one_object_form(DWORD flags) {
    const DWORD form = flags & (DIEFF_OBJECTIDS | DIEFF_OBJECTOFFSETS);
    return form == DIEFF_OBJECTIDS || form == DIEFF_OBJECTOFFSETS;
}

DWORD block_size(const EvdevKind& kind, DWORD cAxes, DWORD cb) {
    switch (DIEFT_GETTYPE(kind.diType)) {
    case DIEFT_CONSTANTFORCE:
        return sizeof(DICONSTANTFORCE);
    case DIEFT_RAMPFORCE:
        return sizeof(DIRAMPFORCE);
    case DIEFT_PERIODIC:
        return sizeof(DIPERIODIC);
    default:
        // One condition for every axis, or one along the direction.
        return cb == sizeof(DICONDITION) ? cb : cAxes * sizeof(DICONDITION);
    }
}

}  // namespace

HRESULT evdev_take_params(EvdevParams& p, const DIEFFECT& e, DWORD mask, const EvdevKind& kind,
                          const EvdevNode& node) {
    if (e.dwSize != sizeof(DIEFFECT) || (mask & ~DWORD(DIEP_ALLPARAMS | DIEP_START |
                                                        DIEP_NORESTART | DIEP_NODOWNLOAD)))
        return DIERR_INVALIDPARAM;
    EvdevParams next = p;
    if (mask & DIEP_DURATION)
        next.duration = e.dwDuration;
    if (mask & DIEP_SAMPLEPERIOD)
        next.samplePeriod = e.dwSamplePeriod;
    if (mask & DIEP_GAIN)
        next.gain = e.dwGain;
    if (mask & DIEP_TRIGGERREPEATINTERVAL)
        next.triggerRepeat = e.dwTriggerRepeatInterval;
    if (mask & DIEP_TRIGGERBUTTON) {
        if (e.dwTriggerButton == DIEB_NOTRIGGER) {
            next.triggerButton = -1;
        } else {
            if (!one_object_form(e.dwFlags))
                return DIERR_INVALIDPARAM;
            next.triggerButton = button_index(e.dwTriggerButton, e.dwFlags, node);
            if (next.triggerButton < 0)
                return DIERR_INVALIDPARAM;
        }
    }
    if (mask & DIEP_AXES) {
        if (e.cAxes < 1 || e.cAxes > 2 || !e.rgdwAxes || !one_object_form(e.dwFlags))
            return DIERR_INVALIDPARAM;
        for (DWORD i = 0; i < e.cAxes; ++i) {
            next.axes[i] = force_axis(e.rgdwAxes[i], e.dwFlags, node);
            if (next.axes[i] < 0)
                return DIERR_INVALIDPARAM;
        }
        if (e.cAxes == 2 && next.axes[0] == next.axes[1])
            return DIERR_INVALIDPARAM;
        next.cAxes = e.cAxes;
    }
    if (mask & DIEP_DIRECTION) {
        const DWORD form = e.dwFlags & (DIEFF_CARTESIAN | DIEFF_POLAR | DIEFF_SPHERICAL);
        if (!e.rglDirection || next.cAxes == 0 ||
            (form != DIEFF_CARTESIAN && form != DIEFF_POLAR && form != DIEFF_SPHERICAL) ||
            (form == DIEFF_POLAR && (next.cAxes != 2 || e.rglDirection[1] != 0)))
            return DIERR_INVALIDPARAM;
        next.coordinates = form;
        next.direction[0] = e.rglDirection[0];
        next.direction[1] = next.cAxes == 2 && form == DIEFF_CARTESIAN ? e.rglDirection[1] : 0;
    }
    if (mask & DIEP_ENVELOPE) {
        if (e.lpEnvelope && e.lpEnvelope->dwSize != sizeof(DIENVELOPE))
            return DIERR_INVALIDPARAM;
        next.hasEnvelope = e.lpEnvelope != nullptr;
        if (e.lpEnvelope)
            next.envelope = *e.lpEnvelope;
    }
    if (mask & DIEP_TYPESPECIFICPARAMS) {
        const DWORD want = block_size(kind, next.cAxes, e.cbTypeSpecificParams);
        if (!e.lpvTypeSpecificParams || want == 0 || e.cbTypeSpecificParams != want)
            return DIERR_INVALIDPARAM;
        std::memcpy(next.block, e.lpvTypeSpecificParams, want);
        next.cbBlock = want;
    }
    next.set |= mask & DIEP_ALLPARAMS;
    p = next;
    return DI_OK;
}

bool evdev_params_complete(const EvdevParams& p, const EvdevKind& kind) {
    if (!(p.set & DIEP_AXES) || !(p.set & DIEP_TYPESPECIFICPARAMS) ||
        p.cbBlock != block_size(kind, p.cAxes, p.cbBlock))
        return false;
    const bool perAxis = DIEFT_GETTYPE(kind.diType) == DIEFT_CONDITION &&
                         p.cbBlock == p.cAxes * sizeof(DICONDITION);
    return p.cAxes == 1 || perAxis || (p.set & DIEP_DIRECTION);
}

HRESULT evdev_give_params(const EvdevParams& p, DIEFFECT& e, DWORD mask, const EvdevNode& node) {
    if (e.dwSize != sizeof(DIEFFECT) || (mask & ~DWORD(DIEP_ALLPARAMS)))
        return DIERR_INVALIDPARAM;
    if ((mask & (DIEP_AXES | DIEP_TRIGGERBUTTON)) && !one_object_form(e.dwFlags))
        return DIERR_INVALIDPARAM;
    HRESULT hr = DI_OK;
    if (mask & DIEP_DURATION)
        e.dwDuration = p.duration;
    if (mask & DIEP_SAMPLEPERIOD)
        e.dwSamplePeriod = p.samplePeriod;
    if (mask & DIEP_GAIN)
        e.dwGain = p.gain;
    if (mask & DIEP_TRIGGERREPEATINTERVAL)
        e.dwTriggerRepeatInterval = p.triggerRepeat;
    if (mask & DIEP_TRIGGERBUTTON) {
        const int b = p.triggerButton;
        e.dwTriggerButton = b < 0                              ? DIEB_NOTRIGGER
                            : (e.dwFlags & DIEFF_OBJECTOFFSETS) ? DWORD(DIJOFS_BUTTON(b))
                                                                : DWORD(DIDFT_PSHBUTTON | DIDFT_MAKEINSTANCE(b));
    }
    if (mask & (DIEP_AXES | DIEP_DIRECTION)) {
        if (e.cAxes < p.cAxes) {
            e.cAxes = p.cAxes;
            hr = DIERR_MOREDATA;
        } else {
            e.cAxes = p.cAxes;
            if ((mask & DIEP_AXES) && !e.rgdwAxes)
                return DIERR_INVALIDPARAM;
            if ((mask & DIEP_DIRECTION) && !e.rglDirection)
                return DIERR_INVALIDPARAM;
            for (DWORD i = 0; i < p.cAxes; ++i) {
                if (mask & DIEP_AXES)
                    e.rgdwAxes[i] = axis_object(p.axes[i], e.dwFlags, node);
                if (mask & DIEP_DIRECTION)
                    e.rglDirection[i] = p.direction[i];
            }
            if (mask & DIEP_DIRECTION)
                e.dwFlags = (e.dwFlags & ~DWORD(DIEFF_CARTESIAN | DIEFF_POLAR | DIEFF_SPHERICAL)) |
                            p.coordinates;
        }
    }
    if (mask & DIEP_ENVELOPE) {
        if (!p.hasEnvelope)
            e.lpEnvelope = nullptr;
        else if (e.lpEnvelope)
            *e.lpEnvelope = p.envelope;
        else
            return DIERR_INVALIDPARAM;
    }
    if (mask & DIEP_TYPESPECIFICPARAMS) {
        if (e.cbTypeSpecificParams < p.cbBlock) {
            hr = DIERR_MOREDATA;
        } else if (p.cbBlock) {
            if (!e.lpvTypeSpecificParams)
                return DIERR_INVALIDPARAM;
            std::memcpy(e.lpvTypeSpecificParams, p.block, p.cbBlock);
        }
        e.cbTypeSpecificParams = p.cbBlock;
    }
    return hr;
}
