#pragma once
/// @file
/// CTactraSpring: a spring, pulling the pointer toward its center (or its line).

#include "tkl/effects/tactracondition.h"

/// A spring (GUID_Tactra_Spring) with the same coefficient and saturation on both sides.
///
/// The center is in screen pixels: in forms 1 to 3 its x and y are the X and Y offsets, in the
/// directional form (4) a point on the spring's line. (TKL_CURSOR_POINT, TKL_CURSOR_POINT)
/// centers the spring on the cursor at every Start; (-1, -1) in a change keeps the offsets.
/// deviceUnits on a DirectInput device makes it a device-unit spring whose offsets go to the
/// device as given. TKL_NOT_GIVEN keeps a stored value. Note the orders: the changes take the
/// center first, the initialisations after the form.
class TKL_API CTactraSpring : public CTactraCondition {
public:
    /// A spring, not initialised.
    CTactraSpring();
    /// The condition part of `other` (kind, records, form, flags); not initialised.
    CTactraSpring(const CTactraSpring& other);
    /// Releases this object's device-side effect, then copies as the copy constructor does.
    CTactraSpring& operator=(const CTactraSpring& other);
    /// Unloads and releases the device-side effect.
    virtual ~CTactraSpring();

    /// Accepts the spring kind only (not the device-unit spring).
    virtual BOOL GetIsCompatibleGUID(GUID& kind);
    using CTactraCondition::Initialize;
    /// Creates the spring in a form (1 to 4) with a Cartesian direction for form 4.
    virtual BOOL Initialize(CTactraDevice* device, LONG coefficient, DWORD saturation,
                            DWORD deadBand, DWORD form, POINT center, LONG x, LONG y,
                            int deviceUnits);
    /// Creates a directional spring with a polar angle.
    virtual BOOL InitializePolar(CTactraDevice* device, LONG coefficient, DWORD saturation,
                                 DWORD deadBand, POINT center, LONG angle, int deviceUnits);

    /// Changes what is given, with a Cartesian direction.
    BOOL ChangeParameters(POINT center, LONG coefficient, DWORD saturation, DWORD deadBand,
                          LONG x, LONG y);
    /// Changes what is given, with a polar angle.
    BOOL ChangeParametersPolar(POINT center, LONG coefficient, DWORD saturation,
                               DWORD deadBand, LONG angle);
};
