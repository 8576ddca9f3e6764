#pragma once
/// @file
/// The few numeric primitives the renderer needs, written with + − × ÷ and square roots only, so
/// that the 32-bit x86 build (SSE2 doubles) and the x86-64 build give the same bits: no libm
/// transcendental function is called anywhere in the renderer.

#include "tkl/platform/win32.h"

/// Sine of a fraction of a full turn (f = 0.25 is 90°); exact 0, ±1 at the quarter turns.
double sim_sin_turns(double f);

/// Cosine of a fraction of a full turn.
double sim_cos_turns(double f);

/// The largest whole number not above x (|x| < 2^62).
double sim_floor(double x);

/// x rounded to the nearest whole number, halves away from zero, kept within ±2^31 − 1.
LONG sim_round(double x);

/// x limited to −limit..limit.
double sim_clamp(double x, double limit);
