#pragma once
// Effects and pointer samples for the renderer's tests, built field by field like a device's
// stored parameters, and forces that compare and print as vectors.

#include "sim/render/renderer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <ostream>

inline bool operator==(const SimForce& a, const SimForce& b) { return a.x == b.x && a.y == b.y; }
inline void PrintTo(const SimForce& f, std::ostream* out) { *out << "(" << f.x << ", " << f.y << ")"; }

namespace rendertest {

inline SimForce force(LONG x, LONG y) {
    SimForce f = {x, y};
    return f;
}

// Stored parameters of one effect: infinite, full gain, both axes, a Cartesian direction
// (1, 1), no envelope; the builders change one thing each.
class Effect {
public:
    explicit Effect(SimRenderKind kind) : kind_(kind) {
        std::memset(&p_, 0, sizeof p_);
        p_.dwFlags = TACTRA_FEFFECT_OBJECTOFFSETS | TACTRA_FEFFECT_CARTESIAN;
        p_.dwDuration = TACTRA_INFINITE;
        p_.dwGain = 10000;
        p_.dwTriggerButton = TACTRA_NOTRIGGER;
        p_.cAxes = 2;
        p_.rgdwAxes[0] = TACTRA_AXIS_X;
        p_.rgdwAxes[1] = TACTRA_AXIS_Y;
        p_.rglDirection[0] = p_.rglDirection[1] = 1;
    }
    Effect& polar(LONG angle) {
        p_.dwFlags = TACTRA_FEFFECT_OBJECTOFFSETS | TACTRA_FEFFECT_POLAR;
        p_.rglDirection[0] = angle;
        p_.rglDirection[1] = 0;
        return *this;
    }
    Effect& cartesian(LONG x, LONG y) {
        p_.dwFlags = TACTRA_FEFFECT_OBJECTOFFSETS | TACTRA_FEFFECT_CARTESIAN;
        p_.rglDirection[0] = x;
        p_.rglDirection[1] = y;
        return *this;
    }
    // One force axis (TACTRA_AXIS_X or TACTRA_AXIS_Y).
    Effect& axis(DWORD which, LONG direction = 1) {
        p_.cAxes = 1;
        p_.rgdwAxes[0] = which;
        p_.rglDirection[0] = direction;
        return *this;
    }
    // Two force axes in this order.
    Effect& axes(DWORD first, DWORD second) {
        p_.cAxes = 2;
        p_.rgdwAxes[0] = first;
        p_.rgdwAxes[1] = second;
        return *this;
    }
    Effect& duration(DWORD us) { p_.dwDuration = us; return *this; }
    Effect& gain(DWORD g) { p_.dwGain = g; return *this; }
    Effect& sample_period(DWORD us) { p_.dwSamplePeriod = us; return *this; }
    Effect& envelope(DWORD attackLevel, DWORD attackTime, DWORD fadeLevel, DWORD fadeTime) {
        p_.hasEnvelope = TRUE;
        TACTRA_ENVELOPE e = {sizeof(TACTRA_ENVELOPE), attackLevel, attackTime, fadeLevel, fadeTime};
        p_.envelope = e;
        return *this;
    }
    template <class Block>
    Effect& block(const Block& b, unsigned count = 1) {
        p_.hasTypeSpecific = TRUE;
        p_.cbTypeSpecificParams = DWORD(sizeof b * count);
        std::memcpy(p_.typeSpecific, &b, sizeof b * count);
        return *this;
    }
    Effect& samples(const LONG* data, DWORD count) {
        samples_ = data;
        count_ = count;
        return *this;
    }

    SimRenderEffect decoded() const {
        SimRenderEffect e;
        sim_render_decode(kind_, p_, samples_, count_, 0, &e);
        return e;
    }

private:
    SimRenderKind kind_;
    SimEffectParams p_;
    const LONG* samples_ = nullptr;
    DWORD count_ = 0;
};

// A pointer sample on the force mouse's scale (pixels) for a screen of 1000 × 800 pixels.
inline SimRenderPointer at(LONG x, LONG y, LONG vx = 0, LONG vy = 0, LONG ax = 0, LONG ay = 0,
                           SimRenderScale scale = SimRenderScale::Pixels, LONG width = 1000,
                           LONG height = 800) {
    SimPointer p = {x, y, vx, vy, ax, ay, 0};
    return sim_render_pointer(p, width, height, scale);
}

// The force of an effect `elapsed` µs after its start, at full device gain.
inline SimForce felt(const SimRenderEffect& e, const SimRenderPointer& p, uint64_t elapsed = 0,
                     DWORD deviceGain = 10000) {
    return sim_render_force(e, p, elapsed, deviceGain);
}

// A still pointer at x (y 0) and the force along x expected there.
struct AlongX {
    LONG x;
    LONG expected;
    const char* why;
};
inline void expect_along_x(const SimRenderEffect& e, std::initializer_list<AlongX> cases) {
    for (const AlongX& c : cases)
        EXPECT_EQ(felt(e, at(c.x, 0)), force(c.expected, 0)) << c.why << " at x " << c.x;
}

inline TACTRA_CONDITION condition(LONG offset, LONG pos, LONG neg, DWORD posSat, DWORD negSat,
                                  LONG deadBand) {
    TACTRA_CONDITION c = {offset, pos, neg, posSat, negSat, deadBand};
    return c;
}

}  // namespace rendertest
