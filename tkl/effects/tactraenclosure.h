#pragma once
/// @file
/// CTactraEnclosure: a rectangle on the screen with a wall along each side.

#include "tkl/effects/tactraeffect.h"

/// A spatial effect tied to a screen rectangle, with a wall along each of its four sides: the
/// top and bottom walls share a thickness, stiffness and saturation, and so do the left and
/// right walls. The rectangle is given as a rectangle or as a center and a size, can be moved
/// and resized, and can follow the cursor: then each Start first centers it on the pointer.
///
/// Arguments: TKL_NOT_GIVEN in a number keeps the stored value. Rectangles are in screen
/// pixels, right and bottom inside. A thickness of TKL_WALL_DEFAULT is the rectangle's extent
/// across the wall divided by 5, plus 1. In the center forms a height of TKL_WALL_DEFAULT is
/// the width, the center (TKL_CURSOR_POINT, TKL_CURSOR_POINT) makes the enclosure follow the
/// cursor, and in a change the center (-1, -1) keeps the current center. Note the order:
/// stiffnesses, thicknesses, saturations, flags words.
///
/// The inner effect is another initialised effect of the application's, played inside the
/// enclosure: its device-side effect is stored without a reference, so it must stay
/// initialised, and alive, while the enclosure refers to it (clear it first with null).
/// TKL_INNER_EFFECT_NOT_GIVEN keeps the stored one.
///
/// Copies follow CTactraEffect's rule; they keep the block (the inner effect included) and
/// whether the enclosure follows the cursor.
///
/// | value | unit | range the devices take |
/// |---|---|---|
/// | `rect`, `center`, `width`, `height` | screen pixels (right and bottom inside) | the screen |
/// | stiffnesses | how hard a wall pushes, 10000 is full | -10000..10000 |
/// | thicknesses | pixels on either side of the edge; 0 is no wall | |
/// | saturations | the largest force of a wall, 10000 is full | 0..10000 |
/// | `style`, `style2` | the walls' bits, as TACTRA_ENCLOSURE has them | |
///
/// Codes: those of CTactraEffect.
class TKL_API CTactraEnclosure : public CTactraEffect {
public:
    /// An enclosure (GUID_Tactra_Enclosure) with a zeroed block, not following the cursor.
    CTactraEnclosure();
    /// A copy as CTactraEffect makes it, with the block (and the cursor following).
    CTactraEnclosure(const CTactraEnclosure& other);
    /// Assigns as CTactraEffect does, with the block (and the cursor following).
    CTactraEnclosure& operator=(const CTactraEnclosure& other);
    virtual ~CTactraEnclosure();

    /// Accepts the enclosure kind only.
    virtual BOOL GetIsCompatibleGUID(GUID& kind);
    /// As CTactraEffect's; a record's enclosure block also becomes the stored values.
    virtual BOOL Initialize(CTactraDevice* device, const TACTRA_EFFECT& effect);
    /// Creates the effect around a center; the center decides whether it follows the cursor.
    BOOL Initialize(CTactraDevice* device, DWORD width, DWORD height,
                    LONG topAndBottomStiffness, LONG leftAndRightStiffness,
                    DWORD topAndBottomThickness, DWORD leftAndRightThickness,
                    DWORD topAndBottomSaturation, DWORD leftAndRightSaturation, DWORD style,
                    DWORD style2, POINT center, CTactraEffect* inner);
    /// Creates the effect on a rectangle (null: the stored one); following is left as it is.
    BOOL Initialize(CTactraDevice* device, const RECT* rect, LONG topAndBottomStiffness,
                    LONG leftAndRightStiffness, DWORD topAndBottomThickness,
                    DWORD leftAndRightThickness, DWORD topAndBottomSaturation,
                    DWORD leftAndRightSaturation, DWORD style, DWORD style2,
                    CTactraEffect* inner);

    /// Moves, resizes and changes what is given, around a center; sends the block when
    /// anything is given, and calls the device even when nothing is.
    BOOL ChangeParameters(POINT center, DWORD width, DWORD height, LONG topAndBottomStiffness,
                          LONG leftAndRightStiffness, DWORD topAndBottomThickness,
                          DWORD leftAndRightThickness, DWORD topAndBottomSaturation,
                          DWORD leftAndRightSaturation, DWORD style, DWORD style2,
                          CTactraEffect* inner);
    /// Changes what is given; a rectangle (null: none) ends following the cursor.
    BOOL ChangeParameters(const RECT* rect, LONG topAndBottomStiffness,
                          LONG leftAndRightStiffness, DWORD topAndBottomThickness,
                          DWORD leftAndRightThickness, DWORD topAndBottomSaturation,
                          DWORD leftAndRightSaturation, DWORD style, DWORD style2,
                          CTactraEffect* inner);
    /// Moves and resizes to the rectangle; ends following the cursor.
    BOOL SetRect(const RECT* rect);
    /// Moves the center, keeping the size; the cursor marker starts following the cursor, any
    /// other point but (-1, -1) ends it.
    BOOL SetCenter(POINT center);
    /// SetCenter with the point (x, y).
    BOOL SetCenter(LONG x, LONG y);

    /// Plays `iterations` times with the device's start flags, first centered on the cursor
    /// when following it; this is the start compounds and projects use.
    virtual BOOL Start(DWORD iterations, DWORD flags);
    /// Start(1, flags), with code 8 before initialisation. Beware: Start(1) is this overload,
    /// flags TACTRA_ES_SOLO (every other effect stops), not one iteration; that is Start(1, 0).
    virtual BOOL Start(DWORD flags);

protected:
    /// Rebuilds the record; writes into the block only what is given (the rectangle when not
    /// null). Cannot fail.
    BOOL set_parameters(const RECT* rect, LONG topAndBottomStiffness,
                        LONG leftAndRightStiffness, DWORD topAndBottomThickness,
                        DWORD leftAndRightThickness, DWORD topAndBottomSaturation,
                        DWORD leftAndRightSaturation, DWORD style, DWORD style2,
                        CTactraEffect* inner);

    TACTRA_ENCLOSURE m_Enclosure;  ///< the block the record points to
    int m_bCenterAtCursor;         ///< each Start centers on the cursor first
};
