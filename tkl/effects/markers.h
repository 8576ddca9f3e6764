#pragma once
/// @file
/// Argument markers shared by every effect family, and the unit conversions at the class
/// interface (milliseconds and degrees there, microseconds and hundredths in the record).

#include "tkl/devices/tactrarecords.h"

#include <cstdint>

class CTactraEffect;

/// In a numeric argument of an initialisation or change: no value given, the stored one is kept.
#define TKL_NOT_GIVEN 0x80000000u
/// As an envelope pointer of a change: leave it as it is. Null means "none".
#define TKL_ENVELOPE_NOT_GIVEN (reinterpret_cast<TACTRA_ENVELOPE*>(~std::uintptr_t(0)))
/// As the inner effect of a wall: leave the stored one as it is. Null means "none". A pointer
/// with all bits set is taken as "not given" too; neither is ever called through.
#define TKL_INNER_EFFECT_NOT_GIVEN (reinterpret_cast<CTactraEffect*>(std::uintptr_t(0x80000000u)))
/// Both coordinates of a center: re-center on the cursor at every start.
#define TKL_CURSOR_POINT 0x7FFFFFFF
/// A wall's thickness: the default for its rectangle. The height of a center form: the width.
#define TKL_WALL_DEFAULT 0xFFFFFFFFu
/// A coordinate of a condition's center or line point: no point (the stored offsets are kept).
#define TKL_NO_POINT (-1)
/// As a record pointer of a condition or texture change: the record in that place is kept and
/// never read.
#define TKL_RECORD_NOT_GIVEN(Record) (reinterpret_cast<const Record*>(~std::uintptr_t(0)))

namespace tkl {

/// @{
/// Whether an argument holds a value rather than the marker for "not given".
inline bool given(DWORD value) { return value != TKL_NOT_GIVEN; }
inline bool given(LONG value) { return DWORD(value) != TKL_NOT_GIVEN; }
inline bool given(const TACTRA_ENVELOPE* envelope) { return envelope != TKL_ENVELOPE_NOT_GIVEN; }
inline bool given(const CTactraEffect* inner) {
    const std::uintptr_t bits = reinterpret_cast<std::uintptr_t>(inner);
    return bits != 0x80000000u && bits != ~std::uintptr_t(0);
}
/// @}

/// Whether a center is the cursor marker (TKL_CURSOR_POINT in both coordinates).
inline bool is_cursor_point(POINT center) {
    return center.x == TKL_CURSOR_POINT && center.y == TKL_CURSOR_POINT;
}

/// Whether an effect follows the cursor after a call that gave `center`, for conditions and
/// walls alike: the cursor marker starts following, no center (`noCenter`) keeps `following`,
/// any other center ends it.
inline int follows_cursor_after(POINT center, bool noCenter, int following) {
    if (is_cursor_point(center))
        return 1;
    return noCenter ? following : 0;
}

/// Milliseconds to microseconds. A product beyond 32 bits saturates at the longest finite time
/// rather than wrapping to a short one (or to "infinite").
inline DWORD scale_ms(DWORD ms) {
    const std::uint64_t us = std::uint64_t(ms) * 1000u;
    return us >= TACTRA_INFINITE ? TACTRA_INFINITE - 1 : DWORD(us);
}

/// A duration in milliseconds to microseconds; infinite stays infinite.
inline DWORD ms_to_us(DWORD ms) { return ms == TACTRA_INFINITE ? TACTRA_INFINITE : scale_ms(ms); }

/// Degrees to the record's hundredths of a degree (32-bit product, as the devices take it).
inline DWORD degrees_to_hundredths(DWORD degrees) { return degrees * 100u; }

}  // namespace tkl
