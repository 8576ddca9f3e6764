#pragma once
/// @file
/// The force renderer shared by the software devices: what a hand on the device feels from
/// each playing effect, and from all of them together. Pure arithmetic over decoded effects
/// (sim/render/rendereffect.h) and a pointer sample (sim/render/renderpointer.h); it allocates
/// nothing. The force laws, their units and scales are written down in docs/force-models.md.
///
/// Forces are vectors on the pointer in force units (10000 is the device's full force), x to
/// the right and y down the screen, rounded to whole units with halves away from zero. The
/// same inputs give the same forces on every target: the arithmetic is IEEE double with no
/// library transcendental (the 32-bit build computes it with SSE2).

#include "sim/render/rendereffect.h"
#include "sim/render/renderpointer.h"

#include <cstdint>

/// True while an effect started `elapsed` µs ago for `iterations` still plays: its duration
/// times its iterations has not run out (an infinite duration or count never runs out).
bool sim_render_playing(const SimRenderEffect& effect, DWORD iterations, uint64_t elapsed);

/// The force of one effect `elapsed` µs after its start, scaled by its own gain and by the
/// device's gain (0..10000), rounded. The inner effect of an enclosure or ellipse plays as if
/// started with it, repeating its own duration, while the pointer is inside.
SimForce sim_render_force(const SimRenderEffect& effect, const SimRenderPointer& pointer,
                          uint64_t elapsed, DWORD deviceGain);

/// The sum of several effects' forces, limited on each axis to the device's full force.
class SimForceSum {
public:
    /// Adds one effect's rounded force.
    void add(const SimForce& force) {
        x_ += force.x;
        y_ += force.y;
    }
    /// The sum so far, each axis limited to −10000..10000.
    SimForce total() const;

private:
    long long x_ = 0;
    long long y_ = 0;
};
