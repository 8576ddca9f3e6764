#include "sim/render/rendermath.h"

namespace {

const double kHalfPi = 1.57079632679489661923;

// Taylor series on [0, π/4]: the first omitted terms are below 1e-14.
double sin_poly(double x) {
    const double x2 = x * x;
    double s = 1.0 / 6227020800.0;  // 1/13!
    s = 1.0 / 39916800.0 - x2 * s;  // 1/11!
    s = 1.0 / 362880.0 - x2 * s;
    s = 1.0 / 5040.0 - x2 * s;
    s = 1.0 / 120.0 - x2 * s;
    s = 1.0 / 6.0 - x2 * s;
    return x - x * x2 * s;
}

double cos_poly(double x) {
    const double x2 = x * x;
    double c = 1.0 / 87178291200.0;  // 1/14!
    c = 1.0 / 479001600.0 - x2 * c;  // 1/12!
    c = 1.0 / 3628800.0 - x2 * c;
    c = 1.0 / 40320.0 - x2 * c;
    c = 1.0 / 720.0 - x2 * c;
    c = 1.0 / 24.0 - x2 * c;
    c = 0.5 - x2 * c;
    return 1.0 - x2 * c;
}

// sin(r × π/2) for r in [0, 1]: the polynomials only ever see angles up to π/4.
double sin_quarter(double r) {
    return r <= 0.5 ? sin_poly(r * kHalfPi) : cos_poly((1.0 - r) * kHalfPi);
}

}  // namespace

double sim_floor(double x) {
    double whole = static_cast<double>(static_cast<long long>(x));
    return whole > x ? whole - 1.0 : whole;
}

double sim_sin_turns(double f) {
    // Quarter turns: scaling by 4 and taking the whole part are exact, so the quarter points
    // land exactly on a quadrant boundary.
    const double quarters = 4.0 * (f - sim_floor(f));
    const double q = sim_floor(quarters);
    const double r = quarters - q;
    switch (static_cast<int>(q) & 3) {
    case 0: return sin_quarter(r);
    case 1: return sin_quarter(1.0 - r);
    case 2: return -sin_quarter(r);
    default: return -sin_quarter(1.0 - r);
    }
}

double sim_cos_turns(double f) { return sim_sin_turns(f + 0.25); }

LONG sim_round(double x) {
    if (x >= 2147483647.0)
        return 2147483647;
    if (x <= -2147483647.0)
        return -2147483647;
    return x >= 0 ? static_cast<LONG>(x + 0.5) : -static_cast<LONG>(-x + 0.5);
}

double sim_clamp(double x, double limit) {
    return x > limit ? limit : (x < -limit ? -limit : x);
}
