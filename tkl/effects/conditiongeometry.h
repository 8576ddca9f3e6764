#pragma once
// The screen geometry of springs: the offset of a line through a point, measured along the
// effect's direction, and the scaling of screen pixels to a DirectInput device's -10000..10000
// across the screen. IEEE double arithmetic with truncation toward zero; 32-bit results that
// would not fit saturate.

#include "tkl/platform/win32.h"

namespace tkl {

// A double truncated toward zero to 32 bits, saturated at the ends of the range (NaN gives 0).
LONG truncate_to_long(double value);

// A polar angle (hundredths of a degree) folded once: below 0 plus 18000, above 18000 minus
// 18000, so that the line it is perpendicular to has a slope in the usual range.
LONG fold_angle(LONG angle);

struct LineOffset {
    double slope;     // the line's slope in screen coordinates; 0 reported for a vertical line
    double distance;  // signed distance of the line from the origin along the direction
};

// The line through (px, py) perpendicular to the direction: a folded polar angle (first), or
// the Cartesian vector (first, second) in screen orientation (y down).
LineOffset line_offset(bool polar, LONG first, LONG second, double px, double py);

// A screen coordinate across `size` pixels in device units: 0 is -10000, size / 2 is 0.
LONG pixels_to_device(LONG pixels, LONG size);

// How much of a directional offset lies along the screen's width and its height.
struct AxisWeights {
    double x;
    double y;
};

// Turns a polar angle on the screen into the angle on the device's square range; the weights
// are |sin| and |cos| of the screen angle.
AxisWeights convert_polar_direction(LONG& angle, LONG width, LONG height);

// Scales a Cartesian direction's y component to the device's square range and returns the
// weights |y| / L and |x| / L (L = |x| + |y| after scaling, as a 32-bit float). False, with
// weights 1 and 0, when both components are 0.
bool convert_cartesian_direction(LONG x, LONG& y, LONG width, LONG height, AxisWeights& weights);

// A directional offset in pixels as device units, under the weights of its direction.
LONG directional_to_device(LONG offset, AxisWeights weights, LONG width, LONG height);

}  // namespace tkl
