#include "sim/render/rendereffect.h"

#include "sim/render/rendermath.h"

#include <cmath>
#include <cstring>

namespace {

const DWORD kObjectIdY = 0x0102u;  // DirectInput's absolute axis, instance 1
const DWORD kSpherical = 0x40u;    // DirectInput's DIEFF_SPHERICAL

unsigned char screen_axis(DWORD axis) {
    return (axis == TACTRA_AXIS_Y || axis == kObjectIdY) ? 1 : 0;
}

bool is_condition(SimRenderKind k) {
    return k == SimRenderKind::Spring || k == SimRenderKind::DeviceSpring ||
           k == SimRenderKind::Damper || k == SimRenderKind::Inertia ||
           k == SimRenderKind::Friction || k == SimRenderKind::Grid;
}

void set_unit(double x, double y, double* out) {
    const double length = std::sqrt(x * x + y * y);
    if (length == 0) {
        out[0] = out[1] = 0;
        return;
    }
    out[0] = x / length;
    out[1] = y / length;
}

// The direction entries as a unit vector on the screen's axes. A polar angle names where the
// force comes from, clockwise from up the screen; one axis takes the sign of its entry.
void decode_direction(const SimEffectParams& p, SimRenderEffect* e) {
    e->direction[0] = e->direction[1] = 0;
    if (e->axisCount == 1) {
        e->direction[e->axis[0]] = p.rglDirection[0] < 0 ? -1.0 : 1.0;
        return;
    }
    if (p.dwFlags & TACTRA_FEFFECT_POLAR) {
        const double turns = static_cast<double>(p.rglDirection[0]) / 36000.0;
        e->direction[0] = sim_sin_turns(turns);
        e->direction[1] = -sim_cos_turns(turns);
        return;
    }
    if (p.dwFlags & kSpherical) {
        // Measured from the first axis toward the second.
        const double turns = static_cast<double>(p.rglDirection[0]) / 36000.0;
        double v[2] = {0, 0};
        v[e->axis[0]] = sim_cos_turns(turns);
        v[e->axis[1]] = sim_sin_turns(turns);
        e->direction[0] = v[0];
        e->direction[1] = v[1];
        return;
    }
    double v[2] = {0, 0};
    v[e->axis[0]] += p.rglDirection[0];
    v[e->axis[1]] += p.rglDirection[1];
    set_unit(v[0], v[1], e->direction);
}

}  // namespace

void sim_render_decode(SimRenderKind kind, const SimEffectParams& p, const LONG* samples,
                       DWORD sampleCount, DWORD triggerBase, SimRenderEffect* e) {
    std::memset(e, 0, sizeof *e);
    e->kind = p.hasTypeSpecific ? kind : SimRenderKind::None;
    e->axisCount = p.cAxes >= 2 ? 2 : 1;
    e->axis[0] = screen_axis(p.rgdwAxes[0]);
    e->axis[1] = e->axisCount == 2 ? screen_axis(p.rgdwAxes[1]) : e->axis[0];
    decode_direction(p, e);
    e->gain = static_cast<double>(p.dwGain) / TACTRA_NOMINAL_MAX;
    e->duration = p.dwDuration;
    e->samplePeriod = p.dwSamplePeriod;
    e->triggerButton = SIM_RENDER_NO_BUTTON;
    if (p.dwTriggerButton != TACTRA_NOTRIGGER && p.dwTriggerButton >= triggerBase)
        e->triggerButton = p.dwTriggerButton - triggerBase;
    e->repeatInterval = p.dwTriggerRepeatInterval;
    e->hasEnvelope = p.hasEnvelope != FALSE;
    e->envelope = p.envelope;

    const DWORD cb = p.cbTypeSpecificParams < SIM_MAX_BLOCK ? p.cbTypeSpecificParams : SIM_MAX_BLOCK;
    std::memcpy(&e->block, p.typeSpecific, cb < sizeof e->block ? cb : sizeof e->block);
    if (is_condition(kind) || kind == SimRenderKind::Texture) {
        const DWORD size = kind == SimRenderKind::Texture ? sizeof(TACTRA_TEXTURE)
                                                          : sizeof(TACTRA_CONDITION);
        e->records = cb >= 2 * size ? 2 : 1;
        // One record on two axes acts along the direction.
        e->directional = e->axisCount == 2 && e->records == 1;
    } else if (kind == SimRenderKind::Custom) {
        TACTRA_CUSTOMFORCE c;
        std::memcpy(&c, p.typeSpecific, sizeof c);
        e->block.custom.channels = c.cChannels ? c.cChannels : 1;
        e->block.custom.samplePeriod = c.dwSamplePeriod;
        e->block.custom.samples = samples ? sampleCount / e->block.custom.channels : 0;
        e->block.custom.data = samples;
    }
}

const void* sim_render_inner_handle(const SimRenderEffect& e) {
    if (e.kind == SimRenderKind::Enclosure)
        return e.block.enclosure.piInnerEffect;
    if (e.kind == SimRenderKind::Ellipse)
        return e.block.ellipse.piInnerEffect;
    return nullptr;
}
