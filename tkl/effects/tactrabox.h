#pragma once
/// @file
/// CTactraBox: an enclosure with one stiffness and one thickness for all four walls.

#include "tkl/effects/tactraenclosure.h"

/// The enclosure with a shorter argument list: both stiffnesses take the one stiffness and
/// both thicknesses the one thickness. Initialisation sets the saturations to 10000 and the
/// flags words to 255 and 0; changes keep them. Arguments, the inner effect and following the
/// cursor are as for CTactraEnclosure, whose operations a box also has. Note the order: the
/// center form of ChangeParameters puts the stiffness before the size, Initialize after it.
class TKL_API CTactraBox : public CTactraEnclosure {
public:
    /// A box: an enclosure (GUID_Tactra_Enclosure) with a zeroed block.
    CTactraBox();
    /// A copy as CTactraEffect makes it, with the block (and the cursor following).
    CTactraBox(const CTactraBox& other);
    /// Assigns as CTactraEffect does, with the block (and the cursor following).
    CTactraBox& operator=(const CTactraBox& other);
    virtual ~CTactraBox();

    using CTactraEnclosure::Initialize;
    using CTactraEnclosure::ChangeParameters;

    /// Creates the box around a center; the center decides whether it follows the cursor.
    BOOL Initialize(CTactraDevice* device, DWORD width, DWORD height, LONG stiffness,
                    DWORD thickness, POINT center, CTactraEffect* inner);
    /// Creates the box on a rectangle (null: the stored one).
    BOOL Initialize(CTactraDevice* device, const RECT* rect, LONG stiffness, DWORD thickness,
                    CTactraEffect* inner);
    /// Moves, resizes and changes what is given, around a center.
    BOOL ChangeParameters(POINT center, LONG stiffness, DWORD width, DWORD height,
                          DWORD thickness, CTactraEffect* inner);
    /// Changes what is given; a rectangle (null: none) ends following the cursor.
    BOOL ChangeParameters(const RECT* rect, LONG stiffness, DWORD thickness,
                          CTactraEffect* inner);
};
