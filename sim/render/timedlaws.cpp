// Constant, ramp, periodic and custom forces: a level that follows the time, shaped by the
// envelope and pushed along the effect's direction.
#include "sim/render/laws.h"

#include "sim/render/rendermath.h"

namespace {

// The size of the effect after the envelope, `t` µs into the iteration: from the attack level
// to `sustain` over the attack time, then over the last fade time of the duration to the fade
// level (the fade wins where the two overlap).
double enveloped(const SimRenderEffect& e, double sustain, uint64_t t) {
    if (!e.hasEnvelope)
        return sustain;
    const TACTRA_ENVELOPE& v = e.envelope;
    double level = sustain;
    if (t < v.dwAttackTime)
        level = v.dwAttackLevel + (sustain - v.dwAttackLevel) * double(t) / v.dwAttackTime;
    if (e.duration != TACTRA_INFINITE && v.dwFadeTime) {
        const uint64_t fadeFrom = e.duration > v.dwFadeTime ? e.duration - v.dwFadeTime : 0;
        if (t > fadeFrom)
            level = sustain + (v.dwFadeLevel - sustain) * double(t - fadeFrom) / v.dwFadeTime;
    }
    return level;
}

// A signed level whose size the envelope shapes.
double shaped(const SimRenderEffect& e, double level, uint64_t t) {
    return level < 0 ? -enveloped(e, -level, t) : enveloped(e, level, t);
}

// The wave's value (−1..1) at its place in the cycle, num/den of a turn after 0°.
double wave(SimRenderKind kind, uint64_t num, uint64_t den) {
    const long long n = static_cast<long long>(num), d = static_cast<long long>(den);
    switch (kind) {
    case SimRenderKind::Square: return 2 * n < d ? 1.0 : -1.0;
    case SimRenderKind::Sine: return sim_sin_turns(double(n) / double(d));
    case SimRenderKind::Triangle:
        return double(2 * n <= d ? d - 4 * n : 4 * n - 3 * d) / double(d);
    case SimRenderKind::SawtoothUp: return double(2 * n - d) / double(d);
    case SimRenderKind::SawtoothDown: return double(d - 2 * n) / double(d);
    default: return 0;
    }
}

// offset + size × wave(phase + t / period); exact fractions of a turn keep the quarter points
// exact.
double periodic(const SimRenderEffect& e, uint64_t t) {
    const TACTRA_PERIODIC& w = e.block.periodic;
    const uint64_t phase = w.dwPhase % 36000u;
    uint64_t num = phase, den = 36000u;
    if (w.dwPeriod) {
        num = phase * w.dwPeriod + 36000u * (t % w.dwPeriod);
        den = 36000u * uint64_t(w.dwPeriod);
        num %= den;
    }
    return w.lOffset + enveloped(e, double(w.dwMagnitude), t) * wave(e.kind, num, den);
}

// The custom force's sample at `t`, cycling through the samples; each channel is one axis.
void custom(const SimRenderEffect& e, uint64_t t, double* level) {
    const auto& c = e.block.custom;
    level[0] = level[1] = 0;
    if (!c.data || c.samples == 0)
        return;
    const DWORD period = c.samplePeriod ? c.samplePeriod : (e.samplePeriod ? e.samplePeriod : 1000);
    const uint64_t index = (t / period) % c.samples;
    for (DWORD k = 0; k < c.channels && k < 2; ++k)
        level[k] = shaped(e, c.data[index * c.channels + k], t);
}

}  // namespace

void sim_law_timed(const SimRenderEffect& e, uint64_t t, double* out) {
    // A level names the force coming from the direction: the pointer is pushed the other way.
    double level;
    switch (e.kind) {
    case SimRenderKind::Constant:
        level = shaped(e, e.block.constant.lMagnitude, t);
        break;
    case SimRenderKind::Ramp: {
        const TACTRA_RAMPFORCE& r = e.block.ramp;
        const double run = e.duration == TACTRA_INFINITE || e.duration == 0
                               ? 0.0
                               : double(t) / e.duration;
        level = shaped(e, r.lStart + (double(r.lEnd) - r.lStart) * run, t);
        break;
    }
    case SimRenderKind::Custom: {
        double levels[2];
        custom(e, t, levels);
        if (e.block.custom.channels >= 2) {
            out[e.axis[0]] -= levels[0];
            out[e.axis[1]] -= levels[1];
            return;
        }
        level = levels[0];
        break;
    }
    default:
        level = periodic(e, t);
        break;
    }
    out[0] -= level * e.direction[0];
    out[1] -= level * e.direction[1];
}
