#pragma once
// What a hand on a software device feels: the control API's clock, pointer and force reading,
// defined once for both modules over the module's state and the shared renderer.

#include "sim/common/module.h"

// Moves the pointer and the platform cursor; buttons going down start the effects they
// trigger, buttons going up end their repeats.
void sim_set_pointer(SimModule& module, const SimPointer& pointer);
// The pointer as the device sees it: its position is the platform cursor's when there is one.
SimPointer sim_get_pointer(const SimModule& module);
// Advances the clock; held trigger buttons repeat their effects.
void sim_advance(SimModule& module, DWORD microseconds);
// The force on the device opened last now, as the control API's force() answers.
unsigned sim_read_force(SimModule& module, SimForce* total, SimEffectForce* each,
                        unsigned capacity);
// advance, set_pointer and force for each sample; the samples rendered.
unsigned sim_render_path(SimModule& module, const SimPathSample* samples, unsigned count,
                         SimForce* totals);
