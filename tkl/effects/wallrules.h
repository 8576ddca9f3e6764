#pragma once
// What the rectangle walls (enclosure, box) and the ellipse share: placing the rectangle from
// a center and a size, following the cursor, the default wall thickness, the inner effect, the
// record around the block, and the center-form change and the starts built on those.

#include "tkl/devices/tactrarecords.h"
#include "tkl/effects/markers.h"

class CTactraEffect;

namespace tkl {

// The rectangle's extent in pixels (right and bottom are inside it), unsigned as it wraps.
inline DWORD rect_width(const RECT& rect) { return DWORD(rect.right) - DWORD(rect.left) + 1; }
inline DWORD rect_height(const RECT& rect) { return DWORD(rect.bottom) - DWORD(rect.top) + 1; }

// The rectangle of a center form. `stored` is the wall's current rectangle in a change (null in
// an initialisation): a width or height not given is taken from it, and the center (-1, -1)
// keeps its current center (and so whether the wall follows the cursor). The height
// TKL_WALL_DEFAULT is the width. The cursor marker sets `follow` and places the rectangle at
// the screen's top-left corner until a start moves it; any other center clears `follow`.
RECT place_wall(POINT center, DWORD width, DWORD height, const RECT* stored, int& follow);

// Stores a given value; TKL_NOT_GIVEN keeps the field.
template <typename T>
void store_given(T& field, T value) {
    if (given(value))
        field = value;
}

// Stores a given thickness; TKL_WALL_DEFAULT is a fifth of `extent` plus one.
void store_thickness(DWORD& field, DWORD thickness, DWORD extent);

// Stores a given inner effect as its device-side effect (null when it is not initialised);
// null clears the field. Either "not given" marker keeps it and is never called through.
void store_inner(ITactraEffect*& field, CTactraEffect* inner);

// Fills a record that reset_effect_struct has just rebuilt: the form flag (Cartesian or polar)
// with object offsets, infinite, full gain, no trigger, axes X and Y at direction 0, no
// envelope, and the block.
void fill_wall_record(TACTRA_EFFECT& record, DWORD form, void* block, DWORD blockSize);

// The change mask of a wall: its block when anything was given, otherwise nothing.
inline DWORD wall_change_mask(bool anyGiven) {
    return anyGiven ? TACTRA_EP_TYPESPECIFICPARAMS : 0;
}

// A center-form change of an initialised wall: the placed rectangle goes to the wall's
// rectangle form with the other values, then `follow` takes the placement's value (the
// rectangle form cleared it).
template <class Wall, class... Values>
BOOL change_wall_center(Wall& wall, int& follow, const RECT& stored, POINT center, DWORD width,
                        DWORD height, Values... values) {
    int following = follow;
    const RECT rect = place_wall(center, width, height, &stored, following);
    const BOOL result = wall.ChangeParameters(&rect, values...);
    follow = following;
    return result;
}

// Either start of a wall: a wall that follows the cursor is centered on it first (at (0, 0) if
// the cursor cannot be read; a failed move still starts), then it plays. Before initialisation
// the base start fails with TKL_ERR_EFFECT_NOT_INITIALIZED.
template <class Wall>
BOOL start_wall(Wall& wall, int& follow, DWORD iterations, DWORD flags) {
    if (follow && wall.GetEffect()) {
        POINT cursor = {0, 0};
        GetCursorPos(&cursor);
        wall.SetCenter(cursor);
        follow = TRUE;
    }
    return wall.CTactraEffect::Start(iterations, flags);
}

}  // namespace tkl
