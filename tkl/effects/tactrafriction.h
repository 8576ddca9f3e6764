#pragma once
/// @file
/// CTactraFriction: a friction effect, resisting the pointer's motion.

#include "tkl/effects/tactracondition.h"

/// A friction effect (GUID_Tactra_Friction), resisting the pointer's motion: the coefficient on
/// both sides, saturations 10000, offsets 0. Every change sends the block, with both saturations
/// back at 10000. TKL_NOT_GIVEN keeps a stored value.
class TKL_API CTactraFriction : public CTactraCondition {
public:
    /// A friction effect, not initialised.
    CTactraFriction();
    /// The condition part of `other` (kind, records, form, flags); not initialised.
    CTactraFriction(const CTactraFriction& other);
    /// Releases this object's device-side effect, then copies as the copy constructor does.
    CTactraFriction& operator=(const CTactraFriction& other);
    /// Unloads and releases the device-side effect.
    virtual ~CTactraFriction();

    /// Accepts the friction kind only.
    virtual BOOL GetIsCompatibleGUID(GUID& kind);
    using CTactraCondition::Initialize;
    /// Creates the effect in a form (1 to 4) with a Cartesian direction for form 4.
    virtual BOOL Initialize(CTactraDevice* device, DWORD coefficient, DWORD deadBand, DWORD form,
                            LONG x, LONG y);
    /// Creates a directional effect with a polar angle.
    virtual BOOL InitializePolar(CTactraDevice* device, DWORD coefficient, DWORD deadBand,
                                 LONG angle);

    /// Changes what is given, with a Cartesian direction.
    BOOL ChangeParameters(DWORD coefficient, DWORD deadBand, LONG x, LONG y);
    /// Changes what is given, with a polar angle.
    BOOL ChangeParametersPolar(DWORD coefficient, DWORD deadBand, LONG angle);
};
