#pragma once

#include "tkl/effects/tactraeffect.h"

/// CTactraConstant: a constant force in a direction for a time, with an optional envelope.
/// Arguments: TKL_NOT_GIVEN leaves a value as stored; durations in milliseconds
/// (TACTRA_INFINITE kept); polar directions in hundredths of a degree; the envelope is the
/// caller's, read during the call (null: none; TKL_ENVELOPE_NOT_GIVEN in a change: unchanged).
/// Copies follow CTactraEffect's rule and keep the magnitude.
///
/// | value | unit | range the devices take |
/// |---|---|---|
/// | `magnitude` | 10000 is full; negative pushes the other way | -10000..10000 |
/// | `duration`, `direction`, `x`, `y`, envelope | as in CTactraEffect | |
///
/// Codes: those of CTactraEffect.
class TKL_API CTactraConstant : public CTactraEffect {
public:
    /// A constant force (GUID_Tactra_ConstantForce) with magnitude 0.
    CTactraConstant();
    /// A copy as CTactraEffect makes it, with the magnitude.
    CTactraConstant(const CTactraConstant& other);
    /// Assigns as CTactraEffect does, with the magnitude.
    CTactraConstant& operator=(const CTactraConstant& other);
    virtual ~CTactraConstant();

    /// Accepts the constant-force kind only.
    virtual BOOL GetIsCompatibleGUID(GUID& kind);
    /// As CTactraEffect's; a record's 4-byte block also becomes the stored magnitude.
    virtual BOOL Initialize(CTactraDevice* device, const TACTRA_EFFECT& effect);
    /// Creates the effect with a Cartesian direction.
    virtual BOOL Initialize(CTactraDevice* device, LONG x, LONG y, DWORD duration,
                            LONG magnitude, TACTRA_ENVELOPE* envelope);
    /// Creates the effect with a polar direction.
    virtual BOOL InitializePolar(CTactraDevice* device, LONG direction, DWORD duration,
                                 LONG magnitude, TACTRA_ENVELOPE* envelope);

    /// Sends what is given; the direction only when both x and y are.
    BOOL ChangeParameters(LONG x, LONG y, DWORD duration, LONG magnitude,
                          TACTRA_ENVELOPE* envelope);
    /// Sends what is given, with a polar direction.
    BOOL ChangeParametersPolar(LONG direction, DWORD duration, LONG magnitude,
                               TACTRA_ENVELOPE* envelope);

protected:
    /// Rebuilds the whole record from the arguments; cannot fail.
    BOOL set_parameters(DWORD form, LONG x, LONG y, DWORD duration, LONG magnitude,
                        TACTRA_ENVELOPE* envelope);

    TACTRA_CONSTANTFORCE m_Constant;  ///< the block: the magnitude
};
