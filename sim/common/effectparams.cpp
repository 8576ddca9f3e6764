#include "sim/common/effectparams.h"

namespace {

const HRESULT kInvalid = TACTRA_ERROR_INVALIDPARAM;

int bit_count(DWORD v) {
    int n = 0;
    for (; v; v &= v - 1)
        ++n;
    return n;
}

bool axis_known(DWORD axis, DWORD flags, const SimDeviceLimits& limits) {
    if (flags & SIM_EFF_OBJECTOFFSETS)
        return axis == TACTRA_AXIS_X || axis == TACTRA_AXIS_Y;
    // Object ids: an absolute axis (type 2) with instance 0 or 1.
    return limits.axisIds && (axis == 0x0002u || axis == 0x0102u);
}

HRESULT check_axes(const SimEffectInput& in, const SimDeviceLimits& limits) {
    if (in.cAxes == 0 || in.cAxes > limits.maxAxes || !in.rgdwAxes)
        return kInvalid;
    if (bit_count(in.dwFlags & (SIM_EFF_OBJECTIDS | SIM_EFF_OBJECTOFFSETS)) != 1)
        return kInvalid;
    for (DWORD i = 0; i < in.cAxes; ++i) {
        if (!axis_known(in.rgdwAxes[i], in.dwFlags, limits))
            return kInvalid;
        for (DWORD j = 0; j < i; ++j)
            if (in.rgdwAxes[j] == in.rgdwAxes[i])
                return kInvalid;
    }
    return S_OK;
}

HRESULT check_direction(const SimEffectInput& in, DWORD axes) {
    if (!in.rglDirection || in.cAxes != axes)
        return kInvalid;
    const DWORD coords = in.dwFlags & (SIM_EFF_CARTESIAN | SIM_EFF_POLAR | SIM_EFF_SPHERICAL);
    if (bit_count(coords) > 1 || (coords == 0 && axes > 1))
        return kInvalid;
    if (coords == SIM_EFF_POLAR && axes != 2)
        return kInvalid;
    return S_OK;
}

// Block of `count` records of `size` bytes, count being 1 or the axis count.
bool per_axis(DWORD cb, size_t size, DWORD axes) {
    return cb == size || cb == size * axes;
}

HRESULT check_block(const SimEffectInput& in, SimBlock block, DWORD axes) {
    const DWORD cb = in.cbTypeSpecificParams;
    const void* data = in.lpvTypeSpecificParams;
    if (!data || cb == 0 || cb > SIM_MAX_BLOCK)
        return kInvalid;
    switch (block) {
    case SimBlock::Condition:
        return per_axis(cb, sizeof(TACTRA_CONDITION), axes) ? S_OK : kInvalid;
    case SimBlock::Texture: {
        if (!per_axis(cb, sizeof(TACTRA_TEXTURE), axes))
            return kInvalid;
        for (DWORD off = 0; off < cb; off += sizeof(TACTRA_TEXTURE)) {
            TACTRA_TEXTURE t;
            std::memcpy(&t, static_cast<const BYTE*>(data) + off, sizeof t);
            if (t.dwSize != sizeof(TACTRA_TEXTURE))
                return kInvalid;
        }
        return S_OK;
    }
    case SimBlock::Constant:
        return cb == sizeof(TACTRA_CONSTANTFORCE) ? S_OK : kInvalid;
    case SimBlock::Ramp:
        return cb == sizeof(TACTRA_RAMPFORCE) ? S_OK : kInvalid;
    case SimBlock::Periodic:
        return cb == sizeof(TACTRA_PERIODIC) ? S_OK : kInvalid;
    case SimBlock::Custom: {
        if (cb != sizeof(TACTRA_CUSTOMFORCE))
            return kInvalid;
        TACTRA_CUSTOMFORCE c;
        std::memcpy(&c, data, sizeof c);
        if (c.cChannels == 0 || c.cChannels > axes || c.cSamples == 0 || !c.rglForceData ||
            static_cast<unsigned long long>(c.cChannels) * c.cSamples > SIM_MAX_SAMPLES)
            return kInvalid;
        return S_OK;
    }
    case SimBlock::Enclosure: {
        if (cb != sizeof(TACTRA_ENCLOSURE))
            return kInvalid;
        TACTRA_ENCLOSURE e;
        std::memcpy(&e, data, sizeof e);
        return e.dwSize == sizeof(TACTRA_ENCLOSURE) ? S_OK : kInvalid;
    }
    case SimBlock::Ellipse: {
        if (cb != sizeof(TACTRA_ELLIPSE))
            return kInvalid;
        TACTRA_ELLIPSE e;
        std::memcpy(&e, data, sizeof e);
        return e.dwSize == sizeof(TACTRA_ELLIPSE) ? S_OK : kInvalid;
    }
    }
    return kInvalid;
}

}  // namespace

HRESULT sim_validate(const SimEffectInput& in, DWORD mask, SimBlock block, DWORD storedAxes,
                     const SimDeviceLimits& limits) {
    if (in.dwSize != in.expectedSize)
        return kInvalid;
    DWORD axes = storedAxes;
    if (mask & TACTRA_EP_AXES) {
        if (FAILED(check_axes(in, limits)))
            return kInvalid;
        axes = in.cAxes;
    }
    if ((mask & TACTRA_EP_DIRECTION) && FAILED(check_direction(in, axes)))
        return kInvalid;
    if ((mask & TACTRA_EP_TRIGGERBUTTON) && in.dwTriggerButton != TACTRA_NOTRIGGER &&
        (in.dwTriggerButton < limits.triggerBase ||
         in.dwTriggerButton - limits.triggerBase >= limits.buttons))
        return kInvalid;
    if ((mask & TACTRA_EP_GAIN) && in.dwGain > TACTRA_NOMINAL_MAX)
        return kInvalid;
    if ((mask & TACTRA_EP_ENVELOPE) && in.lpEnvelope) {
        const TACTRA_ENVELOPE& e = *in.lpEnvelope;
        if (e.dwSize != sizeof(TACTRA_ENVELOPE) || e.dwAttackLevel > TACTRA_NOMINAL_MAX ||
            e.dwFadeLevel > TACTRA_NOMINAL_MAX)
            return kInvalid;
    }
    if ((mask & TACTRA_EP_TYPESPECIFICPARAMS) && FAILED(check_block(in, block, axes)))
        return kInvalid;
    return S_OK;
}

void sim_capture(const SimEffectInput& in, DWORD mask, SimEffectParams* out) {
    std::memset(out, 0, sizeof *out);
    out->dwSize = in.dwSize;
    out->guid = in.kind;
    out->dwReserved = in.dwReserved;
    out->dwFlags = in.dwFlags;
    if (mask & TACTRA_EP_DURATION)
        out->dwDuration = in.dwDuration;
    if (mask & TACTRA_EP_SAMPLEPERIOD)
        out->dwSamplePeriod = in.dwSamplePeriod;
    if (mask & TACTRA_EP_GAIN)
        out->dwGain = in.dwGain;
    if (mask & TACTRA_EP_TRIGGERBUTTON)
        out->dwTriggerButton = in.dwTriggerButton;
    if (mask & TACTRA_EP_TRIGGERREPEATINTERVAL)
        out->dwTriggerRepeatInterval = in.dwTriggerRepeatInterval;
    // Arrays are read only as far as both the record and the log have room.
    const DWORD n = in.cAxes < SIM_MAX_AXES ? in.cAxes : SIM_MAX_AXES;
    if (mask & (TACTRA_EP_AXES | TACTRA_EP_DIRECTION))
        out->cAxes = in.cAxes;
    if ((mask & TACTRA_EP_AXES) && in.rgdwAxes)
        std::memcpy(out->rgdwAxes, in.rgdwAxes, n * sizeof(DWORD));
    if ((mask & TACTRA_EP_DIRECTION) && in.rglDirection)
        std::memcpy(out->rglDirection, in.rglDirection, n * sizeof(LONG));
    if ((mask & TACTRA_EP_ENVELOPE) && in.lpEnvelope) {
        out->hasEnvelope = TRUE;
        std::memcpy(&out->envelope, in.lpEnvelope, sizeof(TACTRA_ENVELOPE));
    }
    if (mask & TACTRA_EP_TYPESPECIFICPARAMS) {
        out->cbTypeSpecificParams = in.cbTypeSpecificParams;
        if (in.lpvTypeSpecificParams) {
            out->hasTypeSpecific = TRUE;
            const DWORD cb = in.cbTypeSpecificParams < SIM_MAX_BLOCK ? in.cbTypeSpecificParams
                                                                    : SIM_MAX_BLOCK;
            std::memcpy(out->typeSpecific, in.lpvTypeSpecificParams, cb);
        }
    }
}

void sim_merge(SimEffectParams& stored, const SimEffectInput& in, DWORD mask) {
    SimEffectParams fresh;
    sim_capture(in, mask, &fresh);
    stored.dwSize = fresh.dwSize;
    stored.guid = fresh.guid;
    stored.dwReserved = fresh.dwReserved;
    if (mask & TACTRA_EP_DURATION)
        stored.dwDuration = fresh.dwDuration;
    if (mask & TACTRA_EP_SAMPLEPERIOD)
        stored.dwSamplePeriod = fresh.dwSamplePeriod;
    if (mask & TACTRA_EP_GAIN)
        stored.dwGain = fresh.dwGain;
    if (mask & TACTRA_EP_TRIGGERBUTTON)
        stored.dwTriggerButton = fresh.dwTriggerButton;
    if (mask & TACTRA_EP_TRIGGERREPEATINTERVAL)
        stored.dwTriggerRepeatInterval = fresh.dwTriggerRepeatInterval;
    const DWORD objectBits = SIM_EFF_OBJECTIDS | SIM_EFF_OBJECTOFFSETS;
    const DWORD coordBits = SIM_EFF_CARTESIAN | SIM_EFF_POLAR | SIM_EFF_SPHERICAL;
    if (mask & TACTRA_EP_AXES) {
        stored.cAxes = fresh.cAxes;
        std::memcpy(stored.rgdwAxes, fresh.rgdwAxes, sizeof stored.rgdwAxes);
        stored.dwFlags = (stored.dwFlags & ~objectBits) | (fresh.dwFlags & objectBits);
    }
    if (mask & TACTRA_EP_DIRECTION) {
        std::memcpy(stored.rglDirection, fresh.rglDirection, sizeof stored.rglDirection);
        stored.dwFlags = (stored.dwFlags & ~coordBits) | (fresh.dwFlags & coordBits);
    }
    if (mask & TACTRA_EP_ENVELOPE) {
        stored.hasEnvelope = fresh.hasEnvelope;
        stored.envelope = fresh.envelope;
    }
    if (mask & TACTRA_EP_TYPESPECIFICPARAMS) {
        stored.cbTypeSpecificParams = fresh.cbTypeSpecificParams;
        stored.hasTypeSpecific = fresh.hasTypeSpecific;
        std::memcpy(stored.typeSpecific, fresh.typeSpecific, sizeof stored.typeSpecific);
    }
}
