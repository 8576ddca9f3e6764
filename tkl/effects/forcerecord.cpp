#include "tkl/effects/forcerecord.h"

#include "tkl/effects/markers.h"

namespace tkl {

void fill_force_record(TACTRA_EFFECT& record, DWORD form, LONG x, LONG y, DWORD duration,
                       TACTRA_ENVELOPE* envelope, void* block, DWORD blockSize) {
    record.dwFlags = form | TACTRA_FEFFECT_OBJECTOFFSETS;
    record.dwSamplePeriod = 0;
    record.dwGain = TACTRA_NOMINAL_MAX;
    record.dwTriggerButton = TACTRA_NOTRIGGER;
    record.dwTriggerRepeatInterval = 0;
    if (given(duration))
        record.dwDuration = ms_to_us(duration);
    record.cAxes = 2;
    record.rgdwAxes[0] = TACTRA_AXIS_X;
    record.rgdwAxes[1] = TACTRA_AXIS_Y;
    if (given(x))
        record.rglDirection[0] = x;
    if (given(y))
        record.rglDirection[1] = y;
    record.lpEnvelope = given(envelope) ? envelope : nullptr;
    record.cbTypeSpecificParams = blockSize;
    record.lpvTypeSpecificParams = block;
}

DWORD force_change_mask(DWORD form, LONG x, LONG y, DWORD duration,
                        const TACTRA_ENVELOPE* envelope, bool blockGiven) {
    DWORD mask = 0;
    const bool direction = form == TACTRA_FEFFECT_POLAR ? given(x) : given(x) && given(y);
    if (direction)
        mask |= TACTRA_EP_DIRECTION;
    if (given(duration))
        mask |= TACTRA_EP_DURATION;
    if (given(envelope))
        mask |= TACTRA_EP_ENVELOPE;
    if (blockGiven)
        mask |= TACTRA_EP_TYPESPECIFICPARAMS;
    return mask;
}

}  // namespace tkl
