#include "tkl/effects/wallrules.h"

#include "tkl/effects/forcerecord.h"
#include "tkl/effects/tactraeffect.h"

namespace tkl {

RECT place_wall(POINT center, DWORD width, DWORD height, const RECT* stored, int& follow) {
    if (stored) {
        if (!given(width))
            width = rect_width(*stored);
        if (!given(height))
            height = rect_height(*stored);
    }
    if (height == TKL_WALL_DEFAULT)
        height = width;
    // No point, as in the condition effects: a wall that has a place stays where it is.
    const bool noCenter = stored && center.x == TKL_NO_POINT && center.y == TKL_NO_POINT;
    follow = follows_cursor_after(center, noCenter, follow);
    if (is_cursor_point(center)) {
        center.x = LONG(width >> 1);
        center.y = LONG(height >> 1);
    } else if (noCenter) {
        center.x = LONG(DWORD(stored->left) + (rect_width(*stored) >> 1));
        center.y = LONG(DWORD(stored->top) + (rect_height(*stored) >> 1));
    }
    // 32-bit wrapping arithmetic, as the device reads the rectangle; nothing is range-checked.
    RECT rect;
    rect.left = LONG(DWORD(center.x) - (width >> 1));
    rect.top = LONG(DWORD(center.y) - (height >> 1));
    rect.right = LONG(DWORD(rect.left) + width - 1);
    rect.bottom = LONG(DWORD(rect.top) + height - 1);
    return rect;
}

void store_thickness(DWORD& field, DWORD thickness, DWORD extent) {
    if (given(thickness))
        field = thickness == TKL_WALL_DEFAULT ? extent / 5 + 1 : thickness;
}

void store_inner(ITactraEffect*& field, CTactraEffect* inner) {
    if (given(inner))
        field = inner ? inner->GetEffect() : nullptr;
}

void fill_wall_record(TACTRA_EFFECT& record, DWORD form, void* block, DWORD blockSize) {
    const LONG none = LONG(TKL_NOT_GIVEN);
    fill_force_record(record, form, none, none, TACTRA_INFINITE, TKL_ENVELOPE_NOT_GIVEN, block,
                      blockSize);
}

}  // namespace tkl
