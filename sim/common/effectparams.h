#pragma once
// Effect parameters as a device receives them, shared by both software devices: a neutral view
// of a TACTRA_EFFECT or a DIEFFECT (their fields after the kind are laid out alike), the
// checks a driver makes, and deep copies into SimEffectParams honouring a change mask.

#include "sim/common/results.h"
#include "sim/simcontrol.h"

#include <cstring>

// The layout of the type-specific block a kind expects.
enum class SimBlock { Condition, Texture, Constant, Ramp, Periodic, Custom, Enclosure, Ellipse };

// What the device offers that effect records refer to.
struct SimDeviceLimits {
    DWORD maxAxes;      // force axes: X (offset 0) and Y (offset 4)
    DWORD buttons;      // trigger buttons
    DWORD triggerBase;  // value of button 0 in dwTriggerButton
    bool axisIds;       // whether axes may also be named by object id (DIEFF_OBJECTIDS)
};

#define SIM_EFF_OBJECTIDS 0x01u
#define SIM_EFF_OBJECTOFFSETS 0x02u
#define SIM_EFF_CARTESIAN 0x10u
#define SIM_EFF_POLAR 0x20u
#define SIM_EFF_SPHERICAL 0x40u
#define SIM_MAX_SAMPLES 65536u

struct SimEffectInput {
    DWORD dwSize;
    DWORD expectedSize;  // sizeof the record the interface takes
    GUID kind;           // the record's guid, or the kind given to CreateEffect
    DWORD dwFlags;
    DWORD dwDuration;
    DWORD dwSamplePeriod;
    DWORD dwGain;
    DWORD dwTriggerButton;
    DWORD dwTriggerRepeatInterval;
    DWORD cAxes;
    const DWORD* rgdwAxes;
    const LONG* rglDirection;
    const TACTRA_ENVELOPE* lpEnvelope;  // DIENVELOPE has the same layout
    DWORD cbTypeSpecificParams;
    const void* lpvTypeSpecificParams;
    DWORD dwReserved;
};

// The common fields of either record.
template <class Record>
SimEffectInput sim_view(const Record& r, DWORD expectedSize, const GUID& kind) {
    SimEffectInput in;
    in.dwSize = r.dwSize;
    in.expectedSize = expectedSize;
    in.kind = kind;
    in.dwFlags = r.dwFlags;
    in.dwDuration = r.dwDuration;
    in.dwSamplePeriod = r.dwSamplePeriod;
    in.dwGain = r.dwGain;
    in.dwTriggerButton = r.dwTriggerButton;
    in.dwTriggerRepeatInterval = r.dwTriggerRepeatInterval;
    in.cAxes = r.cAxes;
    in.rgdwAxes = r.rgdwAxes;
    in.rglDirection = r.rglDirection;
    in.lpEnvelope = reinterpret_cast<const TACTRA_ENVELOPE*>(r.lpEnvelope);
    in.cbTypeSpecificParams = r.cbTypeSpecificParams;
    in.lpvTypeSpecificParams = r.lpvTypeSpecificParams;
    in.dwReserved = 0;
    return in;
}

// The checks a driver makes of the fields named by the mask (TACTRA_EP_ bits only);
// `storedAxes` is the effect's axis count when the mask does not set the axes. S_OK or
// TACTRA_ERROR_INVALIDPARAM.
HRESULT sim_validate(const SimEffectInput& in, DWORD mask, SimBlock block, DWORD storedAxes,
                     const SimDeviceLimits& limits);

// The fields named by the mask, deep-copied; the others 0 (size and kind always).
void sim_capture(const SimEffectInput& in, DWORD mask, SimEffectParams* out);

// Overwrites the fields named by the mask with deep copies (call only after sim_validate).
void sim_merge(SimEffectParams& stored, const SimEffectInput& in, DWORD mask);

// Fills the fields of a caller's record named by the mask from the stored parameters. Arrays,
// envelope and block are copied into the caller's buffers; a buffer too small gives
// SIM_E_MOREDATA with the size needed written back.
template <class Record, class Envelope>
HRESULT sim_fill(const SimEffectParams& p, const LONG* samples, DWORD sampleCount,
                 SimBlock block, Record* out, Envelope*, DWORD mask, DWORD expectedSize) {
    if (!out || out->dwSize != expectedSize || (mask & ~TACTRA_EP_ALLPARAMS))
        return TACTRA_ERROR_INVALIDPARAM;
    HRESULT result = S_OK;
    if (mask & TACTRA_EP_DURATION)
        out->dwDuration = p.dwDuration;
    if (mask & TACTRA_EP_SAMPLEPERIOD)
        out->dwSamplePeriod = p.dwSamplePeriod;
    if (mask & TACTRA_EP_GAIN)
        out->dwGain = p.dwGain;
    if (mask & TACTRA_EP_TRIGGERBUTTON)
        out->dwTriggerButton = p.dwTriggerButton;
    if (mask & TACTRA_EP_TRIGGERREPEATINTERVAL)
        out->dwTriggerRepeatInterval = p.dwTriggerRepeatInterval;
    const DWORD objectBits = SIM_EFF_OBJECTIDS | SIM_EFF_OBJECTOFFSETS;
    const DWORD coordBits = SIM_EFF_CARTESIAN | SIM_EFF_POLAR | SIM_EFF_SPHERICAL;
    if (mask & (TACTRA_EP_AXES | TACTRA_EP_DIRECTION)) {
        if (out->cAxes < p.cAxes) {
            out->cAxes = p.cAxes;
            result = SIM_E_MOREDATA;
        } else {
            if (((mask & TACTRA_EP_AXES) && !out->rgdwAxes) ||
                ((mask & TACTRA_EP_DIRECTION) && !out->rglDirection))
                return TACTRA_ERROR_INVALIDPARAM;
            out->cAxes = p.cAxes;
            if (mask & TACTRA_EP_AXES) {
                std::memcpy(out->rgdwAxes, p.rgdwAxes, p.cAxes * sizeof(DWORD));
                out->dwFlags = (out->dwFlags & ~objectBits) | (p.dwFlags & objectBits);
            }
            if (mask & TACTRA_EP_DIRECTION) {
                std::memcpy(out->rglDirection, p.rglDirection, p.cAxes * sizeof(LONG));
                out->dwFlags = (out->dwFlags & ~coordBits) | (p.dwFlags & coordBits);
            }
        }
    }
    if (mask & TACTRA_EP_ENVELOPE) {
        if (!p.hasEnvelope) {
            out->lpEnvelope = nullptr;
        } else {
            if (!out->lpEnvelope || out->lpEnvelope->dwSize != sizeof(Envelope))
                return TACTRA_ERROR_INVALIDPARAM;
            std::memcpy(out->lpEnvelope, &p.envelope, sizeof(Envelope));
        }
    }
    if (mask & TACTRA_EP_TYPESPECIFICPARAMS) {
        if (out->cbTypeSpecificParams < p.cbTypeSpecificParams) {
            out->cbTypeSpecificParams = p.cbTypeSpecificParams;
            return SIM_E_MOREDATA;
        }
        if (!out->lpvTypeSpecificParams)
            return TACTRA_ERROR_INVALIDPARAM;
        if (block == SimBlock::Custom) {
            // The samples go into the caller's own array, as many as its counts make room for.
            TACTRA_CUSTOMFORCE mine;
            std::memcpy(&mine, out->lpvTypeSpecificParams, sizeof mine);
            if (!mine.rglForceData)
                return TACTRA_ERROR_INVALIDPARAM;
            TACTRA_CUSTOMFORCE stored;
            std::memcpy(&stored, p.typeSpecific, sizeof stored);
            if (static_cast<unsigned long long>(mine.cChannels) * mine.cSamples < sampleCount) {
                mine.cChannels = stored.cChannels;
                mine.cSamples = stored.cSamples;
                std::memcpy(out->lpvTypeSpecificParams, &mine, sizeof mine);
                return SIM_E_MOREDATA;
            }
            std::memcpy(mine.rglForceData, samples, sampleCount * sizeof(LONG));
            stored.rglForceData = mine.rglForceData;
            std::memcpy(out->lpvTypeSpecificParams, &stored, sizeof stored);
        } else {
            std::memcpy(out->lpvTypeSpecificParams, p.typeSpecific, p.cbTypeSpecificParams);
        }
        out->cbTypeSpecificParams = p.cbTypeSpecificParams;
    }
    return result;
}
