#pragma once

#include "tkl/effects/tactraeffect.h"

/// CTactraRamp: a force in a direction that changes linearly from a start to an end level over
/// its duration, with an optional envelope. Arguments as for CTactraConstant: TKL_NOT_GIVEN
/// leaves a value as stored; durations in milliseconds; polar directions in hundredths of a
/// degree; the caller's envelope is read during the call. Copies keep both levels.
///
/// | value | unit | range the devices take |
/// |---|---|---|
/// | `start`, `end` | the force at the start and at the end, 10000 is full | -10000..10000 |
/// | `duration`, `direction`, `x`, `y`, envelope | as in CTactraEffect | |
///
/// Codes: those of CTactraEffect.
class TKL_API CTactraRamp : public CTactraEffect {
public:
    /// A ramp force (GUID_Tactra_RampForce) with both levels 0.
    CTactraRamp();
    /// A copy as CTactraEffect makes it, with both levels.
    CTactraRamp(const CTactraRamp& other);
    /// Assigns as CTactraEffect does, with both levels.
    CTactraRamp& operator=(const CTactraRamp& other);
    virtual ~CTactraRamp();

    /// Accepts the ramp-force kind only.
    virtual BOOL GetIsCompatibleGUID(GUID& kind);
    /// As CTactraEffect's; a record's 8-byte block also becomes the stored levels.
    virtual BOOL Initialize(CTactraDevice* device, const TACTRA_EFFECT& effect);
    /// Creates the effect with a Cartesian direction.
    virtual BOOL Initialize(CTactraDevice* device, LONG x, LONG y, DWORD duration, LONG start,
                            LONG end, TACTRA_ENVELOPE* envelope);
    /// Creates the effect with a polar direction.
    virtual BOOL InitializePolar(CTactraDevice* device, LONG direction, DWORD duration,
                                 LONG start, LONG end, TACTRA_ENVELOPE* envelope);

    /// Sends what is given; the direction only when both x and y are.
    BOOL ChangeParameters(LONG x, LONG y, DWORD duration, LONG start, LONG end,
                          TACTRA_ENVELOPE* envelope);
    /// Sends what is given, with a polar direction.
    BOOL ChangeParametersPolar(LONG direction, DWORD duration, LONG start, LONG end,
                               TACTRA_ENVELOPE* envelope);

protected:
    /// Rebuilds the whole record from the arguments; cannot fail.
    BOOL set_parameters(DWORD form, LONG x, LONG y, DWORD duration, LONG start, LONG end,
                        TACTRA_ENVELOPE* envelope);

    TACTRA_RAMPFORCE m_Ramp;  ///< the block: start and end levels
};
