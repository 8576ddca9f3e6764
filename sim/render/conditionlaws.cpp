// Conditions, grids and textures: forces from where the pointer is or how it moves, read on
// one axis per record or along the effect's direction.
#include "sim/render/laws.h"

#include "sim/render/rendermath.h"

namespace {

// The condition table: beyond the dead band around the offset the coefficient acts on the
// distance past the band's edge in device units (`toUnits` of them per unit of q; friction: on
// full scale, by the metric's sign), limited by the saturation of that side. The force opposes
// the metric for a positive coefficient.
double condition(const TACTRA_CONDITION& c, double q, double toUnits, bool friction) {
    const double offset = c.lOffset;
    const double band = c.lDeadBand > 0 ? c.lDeadBand : 0;
    double v;
    if (q > offset + band) {
        const double past = friction ? double(TACTRA_NOMINAL_MAX) : (q - (offset + band)) * toUnits;
        v = sim_clamp(c.lPositiveCoefficient * past / TACTRA_NOMINAL_MAX, c.dwPositiveSaturation);
    } else if (q < offset - band) {
        const double past = friction ? -double(TACTRA_NOMINAL_MAX) : (q - (offset - band)) * toUnits;
        v = sim_clamp(c.lNegativeCoefficient * past / TACTRA_NOMINAL_MAX, c.dwNegativeSaturation);
    } else {
        return 0;
    }
    return -v;
}

// Grid lines every dead band from the offset; each pulls the pointer toward it, hardest a
// quarter of the spacing away, with the positive coefficient limited by the positive saturation.
double grid(const TACTRA_CONDITION& c, double q) {
    if (c.lDeadBand <= 0)
        return 0;
    const double pull = sim_clamp(c.lPositiveCoefficient, c.dwPositiveSaturation);
    return -pull * sim_sin_turns((q - c.lOffset) / c.lDeadBand);
}

// A texture side is a row of ridges from the offset outward, `value 2` pixels apart (20 when
// 0); its roughness (1..100) is the ridge force in hundredths of full force, pushing back while
// the pointer climbs a ridge and onward as it comes down; `value 1` is a steady force along the
// axis over the whole side.
double texture(const TACTRA_TEXTURE& t, double q) {
    const double from = q - t.lOffset;
    const bool positive = from >= 0;
    const DWORD spacing = positive ? t.dwPositiveValue2 : t.dwNegativeValue2;
    const DWORD roughness = positive ? t.dwPositiveRoughness : t.dwNegativeRoughness;
    const double ridge = (roughness < 100 ? roughness : 100) * 100.0;
    const double along = positive ? from : -from;
    const double climb = sim_sin_turns(along / (spacing ? spacing : 20));
    const double steady = positive ? t.lPositiveValue1 : t.lNegativeValue1;
    return steady - (positive ? ridge : -ridge) * climb;
}

// The metric a condition reads on each screen axis.
const double* metric(SimRenderKind kind, const SimRenderPointer& p) {
    switch (kind) {
    case SimRenderKind::DeviceSpring: return p.unit;
    case SimRenderKind::Damper:
    case SimRenderKind::Friction: return p.velocity;
    case SimRenderKind::Inertia: return p.acceleration;
    default: return p.position;
    }
}

// Device units per pixel along a direction: the screen's extent along it spans 20000.
double units_along(const SimRenderPointer& p, const double* u) {
    const double ax = u[0] < 0 ? -u[0] : u[0], ay = u[1] < 0 ? -u[1] : u[1];
    const double extent = ax / p.toUnits[0] + ay / p.toUnits[1];
    return extent > 0 ? 1.0 / extent : 1.0;
}

// Applies a law to each record on its axis, or to the one record along the direction; the law
// also gets the device units per unit of its metric there (1 when `units` is false).
template <class Law>
void per_record(const SimRenderEffect& e, const SimRenderPointer& p, const double* q, bool units,
                double* out, Law law) {
    if (e.directional) {
        const double along = q[0] * e.direction[0] + q[1] * e.direction[1];
        const double toUnits = units && p.pixelScale ? units_along(p, e.direction) : 1.0;
        const double f = law(0, along, toUnits);
        out[0] += f * e.direction[0];
        out[1] += f * e.direction[1];
        return;
    }
    for (unsigned i = 0; i < e.records && i < e.axisCount; ++i) {
        const unsigned a = e.axis[i];
        out[a] += law(i, q[a], units ? p.toUnits[a] : 1.0);
    }
}

}  // namespace

void sim_law_condition(const SimRenderEffect& e, const SimRenderPointer& p, double* out) {
    const TACTRA_CONDITION* c = e.block.condition;
    if (e.kind == SimRenderKind::Grid) {
        per_record(e, p, p.position, false, out,
                   [c](unsigned i, double q, double) { return grid(c[i], q); });
        return;
    }
    const bool friction = e.kind == SimRenderKind::Friction;
    // The device-unit spring reads device units already.
    const bool units = e.kind != SimRenderKind::DeviceSpring;
    per_record(e, p, metric(e.kind, p), units, out,
               [c, friction](unsigned i, double q, double toUnits) {
                   return condition(c[i], q, toUnits, friction);
               });
}

void sim_law_texture(const SimRenderEffect& e, const SimRenderPointer& p, double* out) {
    const TACTRA_TEXTURE* t = e.block.texture;
    per_record(e, p, p.position, false, out,
               [t](unsigned i, double q, double) { return texture(t[i], q); });
}
