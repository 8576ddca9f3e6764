#include "sim/render/renderer.h"

#include "sim/render/laws.h"
#include "sim/render/rendermath.h"

namespace {

// Enclosures inside enclosures are followed this deep; a loop of them ends here too.
const int kInnerDepth = 4;

// Where the current iteration is, held at the start of the device's sample period.
uint64_t within_iteration(const SimRenderEffect& e, uint64_t elapsed) {
    uint64_t t = elapsed;
    if (e.duration != TACTRA_INFINITE)
        t = e.duration ? elapsed % e.duration : 0;
    if (e.samplePeriod)
        t -= t % e.samplePeriod;
    return t;
}

void add_force(const SimRenderEffect& e, const SimRenderPointer& p, uint64_t elapsed, int depth,
               double* out) {
    switch (e.kind) {
    case SimRenderKind::None:
        return;
    case SimRenderKind::Spring:
    case SimRenderKind::DeviceSpring:
    case SimRenderKind::Damper:
    case SimRenderKind::Inertia:
    case SimRenderKind::Friction:
    case SimRenderKind::Grid:
        sim_law_condition(e, p, out);
        return;
    case SimRenderKind::Texture:
        sim_law_texture(e, p, out);
        return;
    case SimRenderKind::Enclosure:
    case SimRenderKind::Ellipse: {
        const bool innerPlays = sim_law_walls(e, p, out);
        if (innerPlays && e.inner && depth < kInnerDepth) {
            double inner[2] = {0, 0};
            add_force(*e.inner, p, elapsed, depth + 1, inner);
            out[0] += inner[0] * e.inner->gain;
            out[1] += inner[1] * e.inner->gain;
        }
        return;
    }
    default:
        sim_law_timed(e, within_iteration(e, elapsed), out);
        return;
    }
}

}  // namespace

bool sim_render_playing(const SimRenderEffect& e, DWORD iterations, uint64_t elapsed) {
    if (e.duration == 0)
        return false;
    if (e.duration == TACTRA_INFINITE || iterations == TACTRA_INFINITE)
        return true;
    return elapsed < uint64_t(e.duration) * iterations;
}

SimForce sim_render_force(const SimRenderEffect& e, const SimRenderPointer& p, uint64_t elapsed,
                          DWORD deviceGain) {
    double f[2] = {0, 0};
    add_force(e, p, elapsed, 0, f);
    const double gain = e.gain * deviceGain / TACTRA_NOMINAL_MAX;
    SimForce out;
    out.x = sim_round(f[0] * gain);
    out.y = sim_round(f[1] * gain);
    return out;
}

SimForce SimForceSum::total() const {
    const long long full = TACTRA_NOMINAL_MAX;
    SimForce out;
    out.x = LONG(x_ > full ? full : (x_ < -full ? -full : x_));
    out.y = LONG(y_ > full ? full : (y_ < -full ? -full : y_));
    return out;
}
