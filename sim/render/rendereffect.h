#pragma once
/// @file
/// An effect as the renderer reads it: a device's stored record decoded once, whenever its
/// parameters change, into plain numbers the force laws use at every sample.

#include "sim/simcontrol.h"

/// What law an effect's force follows (docs/force-models.md).
enum class SimRenderKind : unsigned char {
    None,          ///< no force (an unknown kind, or no parameters yet)
    Spring,        ///< condition on the position
    DeviceSpring,  ///< spring whose offsets are device units across the screen
    Damper,        ///< condition on the velocity
    Inertia,       ///< condition on the acceleration
    Friction,      ///< condition on the sign of the velocity
    Texture,
    Grid,
    Constant,
    Ramp,
    Square,
    Sine,
    Triangle,
    SawtoothUp,
    SawtoothDown,
    Custom,
    Enclosure,
    Ellipse
};

#define SIM_RENDER_NO_BUTTON 0xFFFFFFFFu

/// The decoded effect. Directions are unit vectors on the screen's axes (x right, y down).
struct SimRenderEffect {
    SimRenderKind kind;
    unsigned char axisCount;  ///< force axes of the record: 1 or 2
    unsigned char records;    ///< condition or texture records in the block: 1 or 2
    bool directional;         ///< one record acting along `direction` on two axes
    unsigned char axis[2];    ///< screen axis (0 x, 1 y) of each record or channel
    double direction[2];      ///< unit vector the record's direction names
    double gain;              ///< the effect's gain, 0..1
    DWORD duration;           ///< µs, TACTRA_INFINITE
    DWORD samplePeriod;       ///< µs; 0 renders continuously
    DWORD triggerButton;      ///< button index, or SIM_RENDER_NO_BUTTON
    DWORD repeatInterval;     ///< µs between triggered repeats while the button is held
    bool hasEnvelope;
    TACTRA_ENVELOPE envelope;
    /// The type-specific block, by kind.
    union Block {
        TACTRA_CONDITION condition[2];
        TACTRA_TEXTURE texture[2];
        TACTRA_CONSTANTFORCE constant;
        TACTRA_RAMPFORCE ramp;
        TACTRA_PERIODIC periodic;
        struct {
            DWORD channels;
            DWORD samplePeriod;
            DWORD samples;
            const LONG* data;  ///< the device's own copy of the samples
        } custom;
        TACTRA_ENCLOSURE enclosure;
        TACTRA_ELLIPSE ellipse;
    } block;
    /// The effect an enclosure or ellipse plays while the pointer is inside, resolved by the
    /// device from the block's interface pointer before each sample; null for none.
    const SimRenderEffect* inner;
};

/// Decodes stored parameters of a kind. `samples` are a custom force's (the device's copy);
/// `triggerBase` is the dwTriggerButton value of button 0 on this device.
void sim_render_decode(SimRenderKind kind, const SimEffectParams& params, const LONG* samples,
                       DWORD sampleCount, DWORD triggerBase, SimRenderEffect* out);

/// The interface pointer an enclosure's or ellipse's block names as its inner effect (0: none).
const void* sim_render_inner_handle(const SimRenderEffect& effect);
