#pragma once
// Argument markers shared by every effect family, and the unit conversions at the class
// interface (milliseconds and degrees there, microseconds and hundredths in the record).

#include "tkl/devices/tactrarecords.h"

#include <cstdint>

// In a numeric argument of an initialisation or change: no value given, the stored one is kept.
#define TKL_NOT_GIVEN 0x80000000u
// As an envelope (or inner-effect) pointer of a change: leave it as it is. Null means "none".
#define TKL_ENVELOPE_NOT_GIVEN (reinterpret_cast<TACTRA_ENVELOPE*>(~std::uintptr_t(0)))
// Both coordinates of a center: re-center on the cursor at every start.
#define TKL_CURSOR_POINT 0x7FFFFFFF
// A coordinate of a condition's center or line point: no point (the stored offsets are kept).
#define TKL_NO_POINT (-1)
// As a record pointer of a condition or texture change: the record in that place is kept and
// never read.
#define TKL_RECORD_NOT_GIVEN(Record) (reinterpret_cast<const Record*>(~std::uintptr_t(0)))

namespace tkl {

inline bool given(DWORD value) { return value != TKL_NOT_GIVEN; }
inline bool given(LONG value) { return DWORD(value) != TKL_NOT_GIVEN; }
inline bool given(const TACTRA_ENVELOPE* envelope) { return envelope != TKL_ENVELOPE_NOT_GIVEN; }

// Milliseconds to microseconds. A product beyond 32 bits saturates at the longest finite time
// rather than wrapping to a short one (or to "infinite").
inline DWORD scale_ms(DWORD ms) {
    const std::uint64_t us = std::uint64_t(ms) * 1000u;
    return us >= TACTRA_INFINITE ? TACTRA_INFINITE - 1 : DWORD(us);
}

// A duration in milliseconds to microseconds; infinite stays infinite.
inline DWORD ms_to_us(DWORD ms) { return ms == TACTRA_INFINITE ? TACTRA_INFINITE : scale_ms(ms); }

// Degrees to the record's hundredths of a degree (32-bit product, as the devices take it).
inline DWORD degrees_to_hundredths(DWORD degrees) { return degrees * 100u; }

}  // namespace tkl
