#pragma once
// The force laws of docs/force-models.md, one function per family. Each adds the force of one
// effect on the pointer (x right, y down, before gains) to out[2].

#include "sim/render/rendereffect.h"
#include "sim/render/renderpointer.h"

#include <cstdint>

// Spring, device-unit spring, damper, inertia, friction and grid: per axis or along the
// direction.
void sim_law_condition(const SimRenderEffect& e, const SimRenderPointer& p, double* out);
// The texture's ridges, per axis or along the direction.
void sim_law_texture(const SimRenderEffect& e, const SimRenderPointer& p, double* out);
// Constant, ramp, the five waves and the custom force, `t` µs into the current iteration.
void sim_law_timed(const SimRenderEffect& e, uint64_t t, double* out);
// The walls of an enclosure or an ellipse; true when the pointer is where the inner effect
// plays.
bool sim_law_walls(const SimRenderEffect& e, const SimRenderPointer& p, double* out);
