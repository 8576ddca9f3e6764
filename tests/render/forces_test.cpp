// Constant, ramp, periodic and custom forces: levels over time, envelopes, iterations, gains,
// directions and the device's sum.
#include "rendertest.h"

namespace {

using rendertest::at;
using rendertest::Effect;
using rendertest::felt;
using rendertest::force;

const LONG kWest = 27000;  // a force from the west pushes the pointer right, +x

TACTRA_CONSTANTFORCE constant(LONG magnitude) {
    TACTRA_CONSTANTFORCE c = {magnitude};
    return c;
}

TACTRA_PERIODIC periodic(DWORD magnitude, LONG offset, DWORD phase, DWORD period) {
    TACTRA_PERIODIC p = {magnitude, offset, phase, period};
    return p;
}

TEST(Direction, NamesWhereTheForceComesFrom) {
    struct Case {
        LONG angle;
        SimForce expected;
    };
    const Case cases[] = {
        {0, force(0, 10000)},         // from the north: pushes down
        {9000, force(-10000, 0)},     // from the east: pushes left
        {18000, force(0, -10000)},
        {27000, force(10000, 0)},
        {-9000, force(10000, 0)},
        {36000 + 9000, force(-10000, 0)},
        {4500, force(-7071, 7071)},
    };
    for (const Case& c : cases) {
        const SimRenderEffect e =
            Effect(SimRenderKind::Constant).polar(c.angle).block(constant(10000)).decoded();
        EXPECT_EQ(felt(e, at(0, 0)), c.expected) << "angle " << c.angle;
    }
    // Cartesian directions count by their direction only.
    const SimForce a = felt(Effect(SimRenderKind::Constant).cartesian(1, -2).block(constant(10000)).decoded(), at(0, 0));
    const SimForce b = felt(Effect(SimRenderKind::Constant).cartesian(5, -10).block(constant(10000)).decoded(), at(0, 0));
    EXPECT_EQ(a, force(-4472, 8944));
    EXPECT_EQ(b, a);
    // One axis takes the sign of its direction entry.
    EXPECT_EQ(felt(Effect(SimRenderKind::Constant).axis(TACTRA_AXIS_Y, -1).block(constant(3000)).decoded(), at(0, 0)),
              force(0, 3000));
}

TEST(Constant, AttackAndFadeShapeTheMagnitude) {
    // 1 s; attack from 2000 over 0.2 s, fade to 0 over the last 0.4 s.
    const SimRenderEffect e = Effect(SimRenderKind::Constant)
                                  .polar(kWest)
                                  .duration(1000000)
                                  .envelope(2000, 200000, 0, 400000)
                                  .block(constant(6000))
                                  .decoded();
    struct Case {
        uint64_t t;
        LONG expected;
    };
    const Case cases[] = {{0, 2000},      {100000, 4000}, {200000, 6000}, {500000, 6000},
                          {600000, 6000}, {800000, 3000}, {900000, 1500}, {999999, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(felt(e, at(0, 0), c.t), force(c.expected, 0)) << "at " << c.t << " us";
    // A negative magnitude keeps its sign; the envelope shapes its size.
    const SimRenderEffect negative = Effect(SimRenderKind::Constant)
                                         .polar(kWest)
                                         .duration(1000000)
                                         .envelope(2000, 200000, 0, 400000)
                                         .block(constant(-6000))
                                         .decoded();
    EXPECT_EQ(felt(negative, at(0, 0), 100000), force(-4000, 0));
}

TEST(Constant, EnvelopeRestartsWithEachIteration) {
    const SimRenderEffect e = Effect(SimRenderKind::Constant)
                                  .polar(kWest)
                                  .duration(100000)
                                  .envelope(0, 50000, 10000, 0)
                                  .block(constant(8000))
                                  .decoded();
    EXPECT_EQ(felt(e, at(0, 0), 25000), force(4000, 0));
    EXPECT_EQ(felt(e, at(0, 0), 125000), force(4000, 0)) << "the second iteration attacks again";
}

TEST(Ramp, RunsFromStartToEndOverTheDuration) {
    TACTRA_RAMPFORCE r = {2000, 10000};
    const SimRenderEffect e = Effect(SimRenderKind::Ramp).polar(0).duration(500000).block(r).decoded();
    EXPECT_EQ(felt(e, at(0, 0), 0), force(0, 2000));
    EXPECT_EQ(felt(e, at(0, 0), 250000), force(0, 6000)) << "midpoint";
    EXPECT_EQ(felt(e, at(0, 0), 375000), force(0, 8000));
    // The device computes a new value once per sample period.
    const SimRenderEffect sampled =
        Effect(SimRenderKind::Ramp).polar(0).duration(500000).sample_period(100000).block(r).decoded();
    EXPECT_EQ(felt(sampled, at(0, 0), 250000), force(0, 5200));
}

TEST(Periodic, EachWaveAtQuarterPeriodsWithPhaseAndOffset) {
    struct Case {
        SimRenderKind kind;
        const char* name;
        LONG quarter[4];  // magnitude 4000 around offset 1000, phase 0
    };
    const Case cases[] = {
        {SimRenderKind::Square, "square", {5000, 5000, -3000, -3000}},
        {SimRenderKind::Sine, "sine", {1000, 5000, 1000, -3000}},
        {SimRenderKind::Triangle, "triangle", {5000, 1000, -3000, 1000}},
        {SimRenderKind::SawtoothUp, "sawtooth up", {-3000, -1000, 1000, 3000}},
        {SimRenderKind::SawtoothDown, "sawtooth down", {5000, 3000, 1000, -1000}},
    };
    for (const Case& c : cases) {
        for (DWORD phase : {0u, 9000u, 27000u}) {
            const SimRenderEffect e =
                Effect(c.kind).polar(kWest).block(periodic(4000, 1000, phase, 100000)).decoded();
            for (unsigned q = 0; q < 4; ++q) {
                // A phase of a quarter cycle is a quarter period later.
                const LONG expected = c.quarter[(q + phase / 9000) % 4];
                EXPECT_EQ(felt(e, at(0, 0), 25000u * q), force(expected, 0))
                    << c.name << " phase " << phase << " at quarter " << q;
            }
        }
    }
    // Sawtooth up reaches its top just before the cycle repeats; the next cycle starts low.
    const SimRenderEffect saw =
        Effect(SimRenderKind::SawtoothUp).polar(kWest).block(periodic(4000, 0, 0, 100000)).decoded();
    EXPECT_EQ(felt(saw, at(0, 0), 99999), force(4000, 0));
    EXPECT_EQ(felt(saw, at(0, 0), 100000), force(-4000, 0));
}

TEST(Periodic, EnvelopeShapesTheWaveAroundItsOffset) {
    const SimRenderEffect e = Effect(SimRenderKind::Square)
                                  .polar(kWest)
                                  .duration(1000000)
                                  .envelope(0, 400000, 0, 0)
                                  .block(periodic(4000, 1000, 0, 100000))
                                  .decoded();
    EXPECT_EQ(felt(e, at(0, 0), 0), force(1000, 0)) << "attack level 0: only the offset";
    EXPECT_EQ(felt(e, at(0, 0), 200000), force(3000, 0)) << "half the magnitude, wave high";
    EXPECT_EQ(felt(e, at(0, 0), 250000), force(-1500, 0)) << "5/8 of the magnitude, wave low";
}

TEST(Timing, DurationTimesIterationsEndsTheEffect) {
    const SimRenderEffect e =
        Effect(SimRenderKind::Constant).duration(100000).block(constant(1000)).decoded();
    EXPECT_TRUE(sim_render_playing(e, 3, 0));
    EXPECT_TRUE(sim_render_playing(e, 3, 299999));
    EXPECT_FALSE(sim_render_playing(e, 3, 300000));
    EXPECT_TRUE(sim_render_playing(e, TACTRA_INFINITE, 1000000000000ull));
    const SimRenderEffect forever = Effect(SimRenderKind::Constant).block(constant(1000)).decoded();
    EXPECT_TRUE(sim_render_playing(forever, 1, 1000000000000ull));
    const SimRenderEffect instant =
        Effect(SimRenderKind::Constant).duration(0).block(constant(1000)).decoded();
    EXPECT_FALSE(sim_render_playing(instant, TACTRA_INFINITE, 0)) << "nothing to play";
}

TEST(Gain, EffectGainTimesDeviceGain) {
    const SimRenderEffect e =
        Effect(SimRenderKind::Constant).polar(kWest).gain(5000).block(constant(8000)).decoded();
    EXPECT_EQ(felt(e, at(0, 0), 0, 10000), force(4000, 0));
    EXPECT_EQ(felt(e, at(0, 0), 0, 5000), force(2000, 0));
    EXPECT_EQ(felt(e, at(0, 0), 0, 0), force(0, 0));
}

TEST(Sum, IsLimitedOnEachAxisToFullForce) {
    const struct {
        SimForce a, b, total;
    } rows[] = {
        {force(8000, -300), force(8000, 200), force(10000, -100)},
        {force(-6000, 9000), force(-7000, 9000), force(-10000, 10000)},
        // Each axis on its own: a clamped x leaves y as summed.
        {force(-6000, 3000), force(-7000, -500), force(-10000, 2500)},
        {force(300, -6000), force(-100, -7000), force(200, -10000)},
    };
    for (const auto& row : rows) {
        SimForceSum sum;
        sum.add(row.a);
        sum.add(row.b);
        EXPECT_EQ(sum.total(), row.total) << row.a.x << "," << row.a.y << " + " << row.b.x << "," << row.b.y;
    }
}

TEST(Custom, PlaysItsSamplesInTurnAndRepeats) {
    const LONG one[3] = {1000, -2000, 3000};
    TACTRA_CUSTOMFORCE c = {1, 10000, 3, nullptr};
    const SimRenderEffect e =
        Effect(SimRenderKind::Custom).polar(kWest).block(c).samples(one, 3).decoded();
    EXPECT_EQ(felt(e, at(0, 0), 0), force(1000, 0));
    EXPECT_EQ(felt(e, at(0, 0), 15000), force(-2000, 0));
    EXPECT_EQ(felt(e, at(0, 0), 29999), force(3000, 0));
    EXPECT_EQ(felt(e, at(0, 0), 35000), force(1000, 0));
    // Two channels: one per axis, each a force from that axis's positive side.
    const LONG two[4] = {100, 200, 300, 400};
    TACTRA_CUSTOMFORCE c2 = {2, 10000, 2, nullptr};
    const SimRenderEffect e2 = Effect(SimRenderKind::Custom).block(c2).samples(two, 4).decoded();
    EXPECT_EQ(felt(e2, at(0, 0), 0), force(-100, -200));
    EXPECT_EQ(felt(e2, at(0, 0), 10000), force(-300, -400));
}

}  // namespace
