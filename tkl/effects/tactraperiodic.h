#pragma once

#include "tkl/effects/tactraeffect.h"

/// CTactraPeriodic: a force in a direction that follows a waveform (square, sine, triangle,
/// sawtooth up or down), with an optional envelope. Arguments as for CTactraConstant:
/// TKL_NOT_GIVEN leaves a value as stored; durations and the period in milliseconds; the phase
/// in degrees; polar directions in hundredths of a degree; the caller's envelope is read during
/// the call. Note the order: magnitude, period and duration come first. Copies keep the block.
///
/// | value | unit | range the devices take |
/// |---|---|---|
/// | `magnitude` | the wave's size from its middle to its peak, 10000 is full | 0..10000 |
/// | `period` | milliseconds | 1..4294967 |
/// | `offset` | the level the wave swings about, 10000 is full | -10000..10000 |
/// | `phase` | degrees: where in its cycle the wave starts | 0..359 |
/// | `duration`, `direction`, `x`, `y`, envelope | as in CTactraEffect | |
///
/// Codes: those of CTactraEffect.
class TKL_API CTactraPeriodic : public CTactraEffect {
public:
    /// A sine wave (GUID_Tactra_Sine) with a zeroed block.
    CTactraPeriodic();
    /// A wave of the given kind, taken without a check.
    explicit CTactraPeriodic(const GUID& kind);
    /// A copy as CTactraEffect makes it, with the block.
    CTactraPeriodic(const CTactraPeriodic& other);
    /// Assigns as CTactraEffect does, with the block.
    CTactraPeriodic& operator=(const CTactraPeriodic& other);
    virtual ~CTactraPeriodic();

    /// Accepts the five wave kinds.
    virtual BOOL GetIsCompatibleGUID(GUID& kind);
    /// As CTactraEffect's; a record's 16-byte block also becomes the stored values.
    virtual BOOL Initialize(CTactraDevice* device, const TACTRA_EFFECT& effect);
    /// Creates the effect with a Cartesian direction.
    virtual BOOL Initialize(CTactraDevice* device, DWORD magnitude, DWORD period,
                            DWORD duration, LONG x, LONG y, LONG offset, DWORD phase,
                            TACTRA_ENVELOPE* envelope);
    /// Creates the effect with a polar direction.
    virtual BOOL InitializePolar(CTactraDevice* device, DWORD magnitude, DWORD period,
                                 DWORD duration, LONG direction, LONG offset, DWORD phase,
                                 TACTRA_ENVELOPE* envelope);

    /// Sends what is given; the direction only when both x and y are.
    BOOL ChangeParameters(DWORD magnitude, DWORD period, DWORD duration, LONG x, LONG y,
                          LONG offset, DWORD phase, TACTRA_ENVELOPE* envelope);
    /// Sends what is given, with a polar direction.
    BOOL ChangeParametersPolar(DWORD magnitude, DWORD period, DWORD duration, LONG direction,
                               LONG offset, DWORD phase, TACTRA_ENVELOPE* envelope);

protected:
    /// Rebuilds the whole record from the arguments; cannot fail.
    BOOL set_parameters(DWORD form, LONG x, LONG y, DWORD duration, DWORD magnitude,
                        DWORD period, LONG offset, DWORD phase, TACTRA_ENVELOPE* envelope);

    TACTRA_PERIODIC m_Periodic;  ///< the block: magnitude, offset, phase and period
};
