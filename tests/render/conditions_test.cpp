// Conditions: spring, damper, inertia and friction against the condition table, on one axis,
// on two, and along a direction. The mouse's screen is 1000 × 800 pixels here, so one pixel is
// 20 device units across and 25 down.
#include "rendertest.h"

namespace {

using rendertest::at;
using rendertest::condition;
using rendertest::Effect;
using rendertest::expect_along_x;
using rendertest::felt;
using rendertest::force;

TEST(Spring, DeadBandCoefficientsAndSaturationsOnEachSide) {
    // Offset 200, dead band 100: no force from 100 to 300 pixels.
    const SimRenderEffect spring = Effect(SimRenderKind::Spring)
                                       .axis(TACTRA_AXIS_X)
                                       .block(condition(200, 5000, 8000, 3000, 1000, 100))
                                       .decoded();
    expect_along_x(spring, {
                               {250, 0, "inside the dead band"},
                               {300, 0, "on the band's edge"},
                               {310, -100, "10 px past: 200 units x 5000 / 10000, pulled back"},
                               {400, -1000, "100 px past: 2000 units"},
                               {700, -3000, "8000 units would give 4000: the positive saturation"},
                               {90, 160, "10 px below: the negative coefficient 8000"},
                               {0, 1000, "-1600 limited by the negative saturation"},
                           });
}

TEST(Spring, NegativeCoefficientPushesAway) {
    const SimRenderEffect spring = Effect(SimRenderKind::Spring)
                                       .axis(TACTRA_AXIS_X)
                                       .block(condition(0, -5000, -5000, 10000, 10000, 0))
                                       .decoded();
    EXPECT_EQ(felt(spring, at(10, 0)), force(100, 0));
    EXPECT_EQ(felt(spring, at(0, 0)), force(0, 0));
}

TEST(Spring, TheYAxisReadsTheHeight) {
    const SimRenderEffect spring = Effect(SimRenderKind::Spring)
                                       .axis(TACTRA_AXIS_Y)
                                       .block(condition(100, 4000, 4000, 10000, 10000, 0))
                                       .decoded();
    // 40 px down is 1000 units on an 800-pixel screen.
    EXPECT_EQ(felt(spring, at(900, 140)), force(0, -400));
}

TEST(Spring, TwoRecordsActOnTheirOwnAxesInTheRecordsOrder) {
    const TACTRA_CONDITION records[2] = {condition(0, 10000, 10000, 10000, 10000, 0),
                                         condition(0, 5000, 5000, 10000, 10000, 0)};
    const SimRenderEffect xy = Effect(SimRenderKind::Spring).block(records[0], 2).decoded();
    EXPECT_EQ(felt(xy, at(10, 20)), force(-200, -250));
    const SimRenderEffect yx = Effect(SimRenderKind::Spring)
                                   .axes(TACTRA_AXIS_Y, TACTRA_AXIS_X)
                                   .block(records[0], 2)
                                   .decoded();
    // Now the first record (coefficient 10000) is the Y axis's.
    EXPECT_EQ(felt(yx, at(10, 20)), force(-100, -500));
}

TEST(Spring, OneRecordOnTwoAxesActsAlongTheDirection) {
    const TACTRA_CONDITION line = condition(100, 5000, 5000, 10000, 10000, 0);
    // East: the line x = 100.
    EXPECT_EQ(felt(Effect(SimRenderKind::Spring).polar(9000).block(line).decoded(), at(150, 300)),
              force(-500, 0));
    // North-east on a square screen: the pointer is 141.42 px along the direction, which spans
    // the screen's 1414.2-pixel extent that way with 20000 units.
    const TACTRA_CONDITION origin = condition(0, 5000, 5000, 10000, 10000, 0);
    const SimRenderPointer p = at(300, 100, 0, 0, 0, 0, SimRenderScale::Pixels, 1000, 1000);
    EXPECT_EQ(felt(Effect(SimRenderKind::Spring).polar(4500).block(origin).decoded(), p),
              force(-707, 707));
    EXPECT_EQ(felt(Effect(SimRenderKind::Spring).cartesian(3, -3).block(origin).decoded(), p),
              force(-707, 707))
        << "a Cartesian direction counts by its direction only";
}

TEST(Spring, DeviceUnitSpringReadsTheScreenInDeviceUnits) {
    const SimRenderEffect spring = Effect(SimRenderKind::DeviceSpring)
                                       .block(condition(0, 5000, 5000, 10000, 10000, 0), 1)
                                       .axis(TACTRA_AXIS_X)
                                       .decoded();
    // Pixel 600 of 1000 is 2000 units right of the middle.
    EXPECT_EQ(felt(spring, at(600, 0)), force(-1000, 0));
    EXPECT_EQ(felt(spring, at(500, 0)), force(0, 0));
}

TEST(Damper, ResistsVelocityAlikeOnBothDevices) {
    const SimRenderEffect damper = Effect(SimRenderKind::Damper)
                                       .axis(TACTRA_AXIS_X)
                                       .block(condition(0, 3000, 3000, 10000, 10000, 0))
                                       .decoded();
    // 100 px/s across a 1000-pixel screen is 2000 units per second on either scale.
    EXPECT_EQ(felt(damper, at(0, 0, 100)), force(-600, 0));
    EXPECT_EQ(felt(damper, at(0, 0, 100, 0, 0, 0, SimRenderScale::DeviceUnits)), force(-600, 0));
    EXPECT_EQ(felt(damper, at(0, 0, -100)), force(600, 0));
    // Half a 1024-pixel screen per second is 10000 units per second.
    EXPECT_EQ(felt(damper, at(0, 0, 512, 0, 0, 0, SimRenderScale::DeviceUnits, 1024, 768)),
              force(-3000, 0));
}

TEST(Inertia, ResistsAcceleration) {
    const SimRenderEffect inertia = Effect(SimRenderKind::Inertia)
                                        .axis(TACTRA_AXIS_Y)
                                        .block(condition(0, 5000, 5000, 10000, 10000, 0))
                                        .decoded();
    // 1000 px/s² is 100 px/s gained per tenth of a second: 2500 units down an 800-pixel screen.
    EXPECT_EQ(felt(inertia, at(0, 0, 0, 0, 0, 1000)), force(0, -1250));
}

TEST(Friction, OpposesTheSignOfTheVelocityOnly) {
    const SimRenderEffect friction = Effect(SimRenderKind::Friction)
                                         .axis(TACTRA_AXIS_X)
                                         .block(condition(0, 2500, 2500, 10000, 10000, 5))
                                         .decoded();
    struct Case {
        LONG vx;
        LONG expected;
    };
    const Case cases[] = {{6, -2500}, {4000, -2500}, {-6, 2500}, {5, 0}, {-3, 0}, {0, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(felt(friction, at(0, 0, c.vx)), force(c.expected, 0)) << "vx " << c.vx;
    const SimRenderEffect limited = Effect(SimRenderKind::Friction)
                                        .axis(TACTRA_AXIS_X)
                                        .block(condition(0, 2500, 2500, 1000, 10000, 0))
                                        .decoded();
    EXPECT_EQ(felt(limited, at(0, 0, 1)), force(-1000, 0));
}

}  // namespace
