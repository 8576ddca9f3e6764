// DirectInput's effect parameters in the kernel's units: levels on 0x7FFF (saturations and
// dead bands on 0xFFFF), times in milliseconds up to 0x7FFF, directions as a 16-bit angle
// where 0 pushes down and 0x4000 pushes left. The effect's gain has no field of its own in
// the kernel and is folded into every level it scales. docs/evdev.md has the table.
#include "evdev/params.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

const int64_t kFull = DI_FFNOMINALMAX;
const long kMaxMs = 0x7FFF;  // the kernel leaves longer times undefined

// num / den rounded to nearest, halves away from zero.
int64_t div_round(int64_t num, int64_t den) {
    return num >= 0 ? (num + den / 2) / den : -((-num + den / 2) / den);
}

int64_t clamp(int64_t v, int64_t lo, int64_t hi, bool& cut) {
    if (v < lo || v > hi)
        cut = true;
    return v < lo ? lo : v > hi ? hi : v;
}

// A level of -10000..10000, times the effect's gain, on `top`.
int64_t scaled(int64_t v, int64_t lo, DWORD gain, int64_t top, bool& cut) {
    v = clamp(v, lo, kFull, cut);
    return div_round(v * int64_t(gain) * top, kFull * kFull);
}

int16_t level(int64_t v, DWORD gain, bool& cut) { return int16_t(scaled(v, -kFull, gain, 0x7FFF, cut)); }
uint16_t envelope_level(int64_t v, DWORD gain, bool& cut) {
    return uint16_t(scaled(v, 0, gain, 0x7FFF, cut));
}
uint16_t saturation(int64_t v, DWORD gain, bool& cut) {
    return uint16_t(scaled(v, 0, gain, 0xFFFF, cut));
}

// Microseconds to milliseconds. A time that is not zero stays so: a zero length would be an
// effect without end, a zero period no wave.
uint16_t ms(DWORD us, bool& cut) {
    if (us == 0)
        return 0;
    const int64_t m = div_round(us, 1000);
    return uint16_t(clamp(m < 1 ? 1 : m, 1, kMaxMs, cut));
}

// A 16-bit angle from hundredths of a degree measured clockwise from north.
uint16_t angle(int64_t hundredths) {
    hundredths %= 36000;
    if (hundredths < 0)
        hundredths += 36000;
    return uint16_t(div_round(hundredths * 65536, 36000) & 0xFFFF);
}

// Where the force comes from as a vector (x right, y down) in the record's axis order.
void from_vector(const EvdevParams& p, double out[2]) {
    const double rad = 3.14159265358979323846 / 18000.0;
    if (p.coordinates == DIEFF_CARTESIAN) {
        out[0] = p.direction[0];
        out[1] = p.direction[1];
    } else {
        // Polar angles run from the second axis' negative end toward the first axis; a
        // spherical angle from the first axis toward the second.
        const double a = (p.coordinates == DIEFF_POLAR ? p.direction[0] : p.direction[0] + 9000) * rad;
        out[0] = std::sin(a);
        out[1] = -std::cos(a);
    }
}

// The kernel's direction: the way the force pushes, which is away from where it comes from.
uint16_t direction(const EvdevParams& p, double unit[2]) {
    unit[0] = unit[1] = 0;
    if (p.cAxes == 1) {
        // One axis: a positive level pushes toward the axis' positive end.
        unit[p.axes[0]] = -1;
        return p.axes[0] == EVDEV_AXIS_X ? 0xC000 : 0x0000;
    }
    if (p.coordinates != DIEFF_CARTESIAN && p.axes[0] == EVDEV_AXIS_X) {
        const int64_t a = p.coordinates == DIEFF_POLAR ? p.direction[0] : int64_t(p.direction[0]) + 9000;
        double v[2];
        from_vector(p, v);
        unit[0] = v[0];
        unit[1] = v[1];
        return angle(a);
    }
    double v[2];
    from_vector(p, v);
    const double fx = v[p.axes[0] == EVDEV_AXIS_X ? 0 : 1];
    const double fy = v[p.axes[0] == EVDEV_AXIS_X ? 1 : 0];
    const double length = std::sqrt(fx * fx + fy * fy);
    if (length == 0)
        return 0;
    unit[0] = fx / length;
    unit[1] = fy / length;
    const double turn = std::atan2(fx, -fy) / (2 * 3.14159265358979323846);
    return uint16_t(std::llround((turn < 0 ? turn + 1 : turn) * 65536) & 0xFFFF);
}

void envelope(const EvdevParams& p, DWORD gain, ff_envelope& out, bool& cut) {
    if (!p.hasEnvelope)
        return;
    out.attack_length = ms(p.envelope.dwAttackTime, cut);
    out.attack_level = envelope_level(p.envelope.dwAttackLevel, gain, cut);
    out.fade_length = ms(p.envelope.dwFadeTime, cut);
    out.fade_level = envelope_level(p.envelope.dwFadeLevel, gain, cut);
}

// One axis' condition; `share` is that axis' part of a condition along the direction.
void condition(const DICONDITION& c, DWORD gain, double share, ff_condition_effect& out, bool& cut) {
    const double s = std::fabs(share);
    out.right_coeff = level(std::llround(c.lPositiveCoefficient * s), gain, cut);
    out.left_coeff = level(std::llround(c.lNegativeCoefficient * s), gain, cut);
    out.right_saturation = saturation(std::llround(c.dwPositiveSaturation * s), gain, cut);
    out.left_saturation = saturation(std::llround(c.dwNegativeSaturation * s), gain, cut);
    out.deadband = uint16_t(div_round(clamp(c.lDeadBand, 0, kFull, cut) * 0xFFFF, kFull));
    out.center = int16_t(div_round(clamp(std::llround(c.lOffset * share), -kFull, kFull, cut) * 0x7FFF, kFull));
}

}  // namespace

HRESULT evdev_translate(const EvdevParams& p, const EvdevKind& kind, const EvdevNode& node,
                        ff_effect& out) {
    std::memset(&out, 0, sizeof out);
    out.type = kind.type;
    out.id = -1;
    bool cut = false;
    const DWORD gain = DWORD(clamp(p.gain, 0, kFull, cut));
    double unit[2];
    out.direction = direction(p, unit);
    if (p.duration != INFINITE)
        out.replay.length = p.duration == 0 ? 1 : ms(p.duration, cut);
    else if (kind.type == FF_RAMP)
        return DIERR_INVALIDPARAM;  // a ramp must know where it ends
    if (p.triggerButton >= 0) {
        out.trigger.button = node.buttons[p.triggerButton];
        out.trigger.interval = p.triggerRepeat == INFINITE ? 0 : ms(p.triggerRepeat, cut);
    }
    switch (kind.type) {
    case FF_CONSTANT: {
        DICONSTANTFORCE c;
        std::memcpy(&c, p.block, sizeof c);
        out.u.constant.level = level(c.lMagnitude, gain, cut);
        envelope(p, gain, out.u.constant.envelope, cut);
        break;
    }
    case FF_RAMP: {
        DIRAMPFORCE r;
        std::memcpy(&r, p.block, sizeof r);
        out.u.ramp.start_level = level(r.lStart, gain, cut);
        out.u.ramp.end_level = level(r.lEnd, gain, cut);
        envelope(p, gain, out.u.ramp.envelope, cut);
        break;
    }
    case FF_PERIODIC: {
        DIPERIODIC w;
        std::memcpy(&w, p.block, sizeof w);
        out.u.periodic.waveform = kind.waveform;
        out.u.periodic.magnitude = level(w.dwMagnitude > DWORD(kFull) ? kFull + 1 : w.dwMagnitude, gain, cut);
        out.u.periodic.offset = level(w.lOffset, gain, cut);
        out.u.periodic.phase = angle(w.dwPhase);
        out.u.periodic.period = ms(w.dwPeriod, cut);
        envelope(p, gain, out.u.periodic.envelope, cut);
        break;
    }
    default: {
        DICONDITION c[2];
        std::memcpy(c, p.block, sizeof c);
        if (p.cbBlock == p.cAxes * sizeof(DICONDITION)) {
            for (DWORD i = 0; i < p.cAxes; ++i)
                condition(c[i], gain, 1.0, out.u.condition[p.axes[i]], cut);
        } else {
            // One condition along the direction: each axis takes its part of it.
            for (int axis = 0; axis < 2; ++axis)
                condition(c[0], gain, unit[axis], out.u.condition[axis], cut);
        }
        break;
    }
    }
    return cut ? DI_TRUNCATED : DI_OK;
}
