#pragma once
/// @file
/// CTactraGrid: a grid of lines on the force mouse, one-sided per axis.

#include "tkl/effects/tactracondition.h"

/// A grid (GUID_Tactra_Grid): one record per axis from that axis's dead band, coefficient,
/// offset and saturation, with the negative side 0. DirectInput devices refuse it.
///
/// | value | unit | range the devices take |
/// |---|---|---|
/// | `xDeadBand`, `yDeadBand` | the spacing of the lines in pixels | 1..screen size |
/// | `xOffset`, `yOffset` | pixels: where the first line lies | the screen |
/// | `xCoefficient`, `yCoefficient` | the pull toward a line, 10000 is full | -10000..10000 |
/// | `xSaturation`, `ySaturation` | the largest pull, 10000 is full | 0..10000 |
///
/// Codes: those of CTactraCondition; a DirectInput device refuses the grid with its HRESULT.
class TKL_API CTactraGrid : public CTactraCondition {
public:
    /// A grid, not initialised.
    CTactraGrid();
    /// The condition part of `other` (kind, records, form, flags); not initialised.
    CTactraGrid(const CTactraGrid& other);
    /// Releases this object's device-side effect, then copies as the copy constructor does.
    CTactraGrid& operator=(const CTactraGrid& other);
    /// Unloads and releases the device-side effect.
    virtual ~CTactraGrid();

    /// Accepts the grid kind only.
    virtual BOOL GetIsCompatibleGUID(GUID& kind);
    using CTactraCondition::Initialize;
    /// Creates the grid on each axis whose dead band and coefficient are both nonzero (both
    /// axes: form 3; X: form 1; Y: form 2; neither: TKL_ERR_NULL_PARAMETER).
    virtual BOOL Initialize(CTactraDevice* device, DWORD xDeadBand, DWORD yDeadBand,
                            LONG xCoefficient, LONG yCoefficient, DWORD xOffset, DWORD yOffset,
                            DWORD xSaturation, DWORD ySaturation);

    /// Changes the axes for which a value other than 0 and TKL_NOT_GIVEN is given; within such
    /// an axis TKL_NOT_GIVEN keeps a value and 0 stores 0. Only the form's axes may be given.
    BOOL ChangeParameters(DWORD xDeadBand, DWORD yDeadBand, LONG xCoefficient,
                          LONG yCoefficient, DWORD xOffset, DWORD yOffset, DWORD xSaturation,
                          DWORD ySaturation);
};
