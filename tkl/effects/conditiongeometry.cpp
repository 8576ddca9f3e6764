#include "tkl/effects/conditiongeometry.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace tkl {
namespace {

const double kPi = 3.14159265358979323846;
// Pixels across the screen map to this many device units (-10000..10000).
const std::int64_t kDeviceSpan = 20000;
const std::int64_t kDeviceHalf = 10000;

LONG saturate(std::int64_t value) {
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return LONG(value);
}

}  // namespace

LONG truncate_to_long(double value) {
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0)
        return INT32_MAX;
    if (value <= -2147483648.0)
        return INT32_MIN;
    return LONG(value);
}

LONG fold_angle(LONG angle) {
    if (angle < 0)
        return LONG(std::int64_t(angle) + 18000);
    if (angle > 18000)
        return angle - 18000;
    return angle;
}

LineOffset line_offset(bool polar, LONG first, LONG second, double px, double py) {
    const bool vertical = polar ? first == 9000 : second == 0;
    if (vertical)
        return {0.0, first < 0 ? -px : px};
    const double m = polar ? std::tan(first * kPi / 18000) : -double(first) / double(second);
    double d = std::fabs(m * px - py) / std::sqrt(m * m + 1);
    // Which side of the origin the line passes. With a slope of +0 or -0 the quotient is an
    // IEEE infinity of the right sign (or NaN at py = 0, where d is 0 anyway).
    if (px - py / m < 0)
        d = -d;
    if (!polar && first < 0)
        d = -d;
    return {m, d};
}

LONG pixels_to_device(LONG pixels, LONG size) {
    return saturate(std::int64_t(pixels) * kDeviceSpan / size - kDeviceHalf);
}

AxisWeights convert_polar_direction(LONG& angle, LONG width, LONG height) {
    const double a = angle * kPi / 18000;
    const double s = std::sin(a);
    const double c = std::cos(a);
    angle = truncate_to_long(180 * std::atan2(s, c * height / width) * 100 / kPi);
    return {std::fabs(s), std::fabs(c)};
}

bool convert_cartesian_direction(LONG x, LONG& y, LONG width, LONG height,
                                 AxisWeights& weights) {
    y = truncate_to_long(double(y) * height / width);
    const std::int64_t ax = std::llabs(std::int64_t(x));
    const std::int64_t ay = std::llabs(std::int64_t(y));
    const float length = float(ax + ay);
    if (length == 0) {
        weights = {1, 0};
        return false;
    }
    // The y component weighs the width and x the height (the reverse of the polar case).
    weights.x = float(ay) / length;
    weights.y = float(ax) / length;
    return true;
}

LONG directional_to_device(LONG offset, AxisWeights weights, LONG width, LONG height) {
    const std::int64_t t = std::int64_t(offset) * kDeviceSpan;
    const double u = double(t) * weights.x / width;
    const double v = double(t) * weights.y / height;
    const double d = std::trunc(std::sqrt(u * u + v * v));
    return truncate_to_long(t < 0 ? -d : d);
}

}  // namespace tkl
