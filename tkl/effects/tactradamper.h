#pragma once
/// @file
/// CTactraDamper: a damper, resisting the pointer's speed.

#include "tkl/effects/tactracondition.h"

/// A damper (GUID_Tactra_Damper), resisting the pointer's speed: the coefficient and the saturation
/// on both sides, offsets 0. TKL_NOT_GIVEN keeps a stored value; a change that gives nothing sends
/// mask 0.
class TKL_API CTactraDamper : public CTactraCondition {
public:
    /// A damper, not initialised.
    CTactraDamper();
    /// The condition part of `other` (kind, records, form, flags); not initialised.
    CTactraDamper(const CTactraDamper& other);
    /// Releases this object's device-side effect, then copies as the copy constructor does.
    CTactraDamper& operator=(const CTactraDamper& other);
    /// Unloads and releases the device-side effect.
    virtual ~CTactraDamper();

    /// Accepts the damper kind only.
    virtual BOOL GetIsCompatibleGUID(GUID& kind);
    using CTactraCondition::Initialize;
    /// Creates the effect in a form (1 to 4) with a Cartesian direction for form 4.
    virtual BOOL Initialize(CTactraDevice* device, DWORD coefficient, DWORD saturation,
                            DWORD deadBand, DWORD form, LONG x, LONG y);
    /// Creates a directional effect with a polar angle.
    virtual BOOL InitializePolar(CTactraDevice* device, DWORD coefficient, DWORD saturation,
                                 DWORD deadBand, LONG angle);

    /// Changes what is given, with a Cartesian direction.
    BOOL ChangeParameters(DWORD coefficient, DWORD saturation, DWORD deadBand, LONG x, LONG y);
    /// Changes what is given, with a polar angle.
    BOOL ChangeParametersPolar(DWORD coefficient, DWORD saturation, DWORD deadBand, LONG angle);
};
