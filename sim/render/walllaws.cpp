// Enclosure and ellipse walls: bands of the wall's thickness along the shape's outline that
// push the pointer back the way it came. The pixel positions are the screen's.
#include "sim/render/laws.h"

#include "sim/render/rendermath.h"

#include <cmath>

namespace {

// First flags word: which walls push, and from which side. An ellipse has one wall all round:
// any of the four inner bits gives it its inner side, any of the outer bits its outer side.
const DWORD kTopIn = 0x01, kBottomIn = 0x02, kLeftIn = 0x04, kRightIn = 0x08;
const DWORD kTopOut = 0x10, kBottomOut = 0x20, kLeftOut = 0x40, kRightOut = 0x80;
const DWORD kInside = 0x0F, kOutside = 0xF0;
// Second flags word: the inner effect plays wherever the pointer is, not only inside.
const DWORD kInnerEverywhere = 0x01;

// A wall's push `depth` pixels into its band: the stiffness at the full thickness, limited by
// the saturation.
double push(double depth, DWORD thickness, LONG stiffness, DWORD saturation) {
    return sim_clamp(stiffness * depth / thickness, saturation);
}

bool enclosure(const TACTRA_ENCLOSURE& b, const SimRenderPointer& p, double* out) {
    const double x = p.pixel[0], y = p.pixel[1];
    const RECT& r = b.rectBoundary;
    const DWORD style = b.dwStyle;
    const bool everywhere = (b.dwStyle2 & kInnerEverywhere) != 0;
    if (r.right < r.left || r.bottom < r.top)
        return everywhere;
    const bool across = x >= r.left && x <= r.right;   // beside the top or bottom wall
    const bool along = y >= r.top && y <= r.bottom;    // beside the left or right wall
    const bool inside = across && along;
    const double tx = b.dwLeftAndRightWallThickness, ty = b.dwTopAndBottomWallThickness;
    const auto sideways = [&](double depth) {
        return push(depth, b.dwLeftAndRightWallThickness, b.lLeftAndRightWallStiffness,
                    b.dwLeftAndRightWallSaturation);
    };
    const auto upright = [&](double depth) {
        return push(depth, b.dwTopAndBottomWallThickness, b.lTopAndBottomWallStiffness,
                    b.dwTopAndBottomWallSaturation);
    };
    if (inside) {
        if ((style & kLeftIn) && tx > 0 && x < r.left + tx)
            out[0] += sideways(r.left + tx - x);
        if ((style & kRightIn) && tx > 0 && x > r.right - tx)
            out[0] -= sideways(x - (r.right - tx));
        if ((style & kTopIn) && ty > 0 && y < r.top + ty)
            out[1] += upright(r.top + ty - y);
        if ((style & kBottomIn) && ty > 0 && y > r.bottom - ty)
            out[1] -= upright(y - (r.bottom - ty));
    } else {
        if ((style & kLeftOut) && along && tx > 0 && x < r.left && x > r.left - tx)
            out[0] -= sideways(x - (r.left - tx));
        if ((style & kRightOut) && along && tx > 0 && x > r.right && x < r.right + tx)
            out[0] += sideways(r.right + tx - x);
        if ((style & kTopOut) && across && ty > 0 && y < r.top && y > r.top - ty)
            out[1] -= upright(y - (r.top - ty));
        if ((style & kBottomOut) && across && ty > 0 && y > r.bottom && y < r.bottom + ty)
            out[1] += upright(r.bottom + ty - y);
    }
    return inside || everywhere;
}

// The ellipse through the centres of the rectangle's edge pixels. Distances to the outline are
// measured along the ray from the centre, and the wall pushes along that ray.
bool ellipse(const TACTRA_ELLIPSE& b, const SimRenderPointer& p, double* out) {
    const RECT& r = b.rectBoundary;
    const double a = (double(r.right) - r.left) / 2, c = (double(r.bottom) - r.top) / 2;
    const bool everywhere = (b.dwStyle2 & kInnerEverywhere) != 0;
    if (a <= 0 || c <= 0)
        return everywhere;
    const double dx = p.pixel[0] - (double(r.left) + a), dy = p.pixel[1] - (double(r.top) + c);
    const double rho = std::sqrt((dx / a) * (dx / a) + (dy / c) * (dy / c));
    const bool inside = rho <= 1;
    const double distance = std::sqrt(dx * dx + dy * dy);
    const double thickness = b.dwWallThickness;
    if (distance > 0 && thickness > 0) {
        // The outline crosses the ray at distance / rho.
        const double gap = inside ? distance / rho - distance : distance - distance / rho;
        const bool wall = inside ? (b.dwStyle & kInside) != 0 : (b.dwStyle & kOutside) != 0;
        if (wall && gap < thickness) {
            const double f = push(thickness - gap, b.dwWallThickness, b.lWallStiffness,
                                  b.dwWallSaturation);
            const double outward = inside ? -f : f;
            out[0] += outward * dx / distance;
            out[1] += outward * dy / distance;
        }
    }
    return inside || everywhere;
}

}  // namespace

bool sim_law_walls(const SimRenderEffect& e, const SimRenderPointer& p, double* out) {
    if (e.kind == SimRenderKind::Enclosure)
        return enclosure(e.block.enclosure, p, out);
    return ellipse(e.block.ellipse, p, out);
}
