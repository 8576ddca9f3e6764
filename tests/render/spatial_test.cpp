// The product's own kinds against docs/force-models.md: texture ridges, grid lines, enclosure
// and ellipse walls with their flags, and the inner effect they play.
#include "rendertest.h"

namespace {

using rendertest::at;
using rendertest::condition;
using rendertest::Effect;
using rendertest::expect_along_x;
using rendertest::felt;
using rendertest::force;

TACTRA_TEXTURE texture(LONG offset, LONG posSteady, DWORD posSpacing, DWORD posRough,
                       LONG negSteady, DWORD negSpacing, DWORD negRough) {
    TACTRA_TEXTURE t = {sizeof(TACTRA_TEXTURE), offset, posSteady, posSpacing, posRough,
                        negSteady, negSpacing, negRough};
    return t;
}

TEST(Texture, RidgesPushBackWhileClimbingAndOnWhileComingDown) {
    // Positive side: ridges every 40 px, roughness 50 (5000); negative side: the default
    // spacing of 20 px and roughness 1 (100), as a project's disabled side has.
    const SimRenderEffect e = Effect(SimRenderKind::Texture)
                                  .axis(TACTRA_AXIS_X)
                                  .block(texture(100, 0, 40, 50, 0, 0, 1))
                                  .decoded();
    expect_along_x(e, {{100, 0, "at the offset"},
                       {110, -5000, "climbing the first ridge"},
                       {120, 0, "on its top"},
                       {130, 5000, "coming down"},
                       {150, -5000, "climbing the second"},
                       {95, 100, "the negative side's first ridge"},
                       {85, -100, "coming down it"}});
}

TEST(Texture, SteadyForcePerSideAndRoughnessCap) {
    const SimRenderEffect e = Effect(SimRenderKind::Texture)
                                  .axis(TACTRA_AXIS_Y)
                                  .block(texture(0, 300, 40, 250, -300, 40, 0))
                                  .decoded();
    EXPECT_EQ(felt(e, at(0, 20)), force(0, 300)) << "between ridges only the steady force";
    EXPECT_EQ(felt(e, at(0, 10)), force(0, 300 - 10000)) << "roughness above 100 is full force";
    EXPECT_EQ(felt(e, at(0, -10)), force(0, -300)) << "roughness 0: smooth";
}

TEST(Grid, LinesEveryDeadBandPullThePointerIn) {
    // Lines at 10, 50, 90, ...; pull 4000 limited by the saturation to 3000.
    const SimRenderEffect grid = Effect(SimRenderKind::Grid)
                                     .axis(TACTRA_AXIS_X)
                                     .block(condition(10, 4000, 0, 3000, 0, 40))
                                     .decoded();
    expect_along_x(grid, {{10, 0, "on a line"},
                          {20, -3000, "a quarter past it: pulled back"},
                          {30, 0, "half way"},
                          {40, 3000, "a quarter short of the next: pulled on"},
                          {50, 0, "on the next"},
                          {0, 3000, "short of the first"}});
    // Each axis has its own lines.
    const TACTRA_CONDITION both[2] = {condition(0, 2000, 0, 10000, 0, 100),
                                      condition(0, 1000, 0, 10000, 0, 20)};
    const SimRenderEffect xy = Effect(SimRenderKind::Grid).block(both[0], 2).decoded();
    EXPECT_EQ(felt(xy, at(25, 15)), force(-2000, 1000));
}

TACTRA_ENCLOSURE enclosure(DWORD style, DWORD style2 = 0) {
    TACTRA_ENCLOSURE b = {};
    b.dwSize = sizeof b;
    b.rectBoundary = {100, 100, 299, 199};
    b.dwTopAndBottomWallThickness = 10;
    b.dwLeftAndRightWallThickness = 20;
    b.lTopAndBottomWallStiffness = 4000;
    b.lLeftAndRightWallStiffness = 4000;
    b.dwStyle = style;
    b.dwStyle2 = style2;
    b.dwTopAndBottomWallSaturation = 10000;
    b.dwLeftAndRightWallSaturation = 3000;
    return b;
}

TEST(Enclosure, WallsPushBackWithinTheirThickness) {
    const SimRenderEffect box = Effect(SimRenderKind::Enclosure).block(enclosure(0xFF)).decoded();
    struct Case {
        LONG x, y;
        SimForce expected;
        const char* where;
    };
    const Case cases[] = {
        {200, 150, force(0, 0), "the middle"},
        {110, 150, force(2000, 0), "halfway into the left wall"},
        {100, 150, force(3000, 0), "the left edge: 4000 limited by the saturation"},
        {285, 150, force(-1200, 0), "6 px into the right wall"},
        {200, 105, force(0, 2000), "halfway into the top wall"},
        {200, 195, force(0, -2400), "6 px into the bottom wall"},
        {105, 105, force(3000, 2000), "a corner: both walls"},
        {90, 150, force(-2000, 0), "outside, halfway into the left wall's outer side"},
        {75, 150, force(0, 0), "outside, beyond the wall"},
        {309, 190, force(2000, 0), "outside, beside the right wall"},
        {200, 95, force(0, -2000), "outside, above the top wall"},
        {90, 90, force(0, 0), "outside, off a corner"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(felt(box, at(c.x, c.y)), c.expected) << c.where;
}

TEST(Enclosure, FlagsChooseTheWallsAndSides) {
    struct Case {
        DWORD style;
        LONG x, y;
        SimForce expected;
    };
    const Case cases[] = {
        {0x0F, 110, 150, force(2000, 0)},  {0x0F, 90, 150, force(0, 0)},
        {0xF0, 110, 150, force(0, 0)},     {0xF0, 90, 150, force(-2000, 0)},
        {0x04, 110, 150, force(2000, 0)},  {0x04, 285, 150, force(0, 0)},
        {0x08, 285, 150, force(-1200, 0)}, {0x01, 200, 105, force(0, 2000)},
        {0x02, 200, 105, force(0, 0)},     {0x20, 200, 204, force(0, 2000)},
        {0x00, 100, 100, force(0, 0)},
    };
    for (const Case& c : cases) {
        const SimRenderEffect e =
            Effect(SimRenderKind::Enclosure).block(enclosure(c.style)).decoded();
        EXPECT_EQ(felt(e, at(c.x, c.y)), c.expected)
            << "style 0x" << std::hex << c.style << std::dec << " at " << c.x << "," << c.y;
    }
}

TACTRA_ELLIPSE ellipse(DWORD style, DWORD style2 = 0) {
    TACTRA_ELLIPSE b = {};
    b.dwSize = sizeof b;
    b.rectBoundary = {200, 200, 400, 300};
    b.dwWallThickness = 20;
    b.lWallStiffness = 8000;
    b.dwStyle = style;
    b.dwStyle2 = style2;
    b.dwWallSaturation = 10000;
    return b;
}

TEST(Ellipse, WallPushesAlongTheRayFromTheCentre) {
    // Semi-axes 100 and 50 around (300, 250).
    const SimRenderEffect e = Effect(SimRenderKind::Ellipse).block(ellipse(0xFF)).decoded();
    struct Case {
        LONG x, y;
        SimForce expected;
    };
    const Case cases[] = {
        {300, 250, force(0, 0)},     {370, 250, force(0, 0)},     {390, 250, force(-4000, 0)},
        {300, 290, force(0, -4000)}, {410, 250, force(4000, 0)},  {300, 300, force(0, -8000)},
        {430, 250, force(0, 0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(felt(e, at(c.x, c.y)), c.expected) << c.x << "," << c.y;
    const SimRenderEffect inner = Effect(SimRenderKind::Ellipse).block(ellipse(0x01)).decoded();
    EXPECT_EQ(felt(inner, at(410, 250)), force(0, 0)) << "no outer side";
    EXPECT_EQ(felt(inner, at(390, 250)), force(-4000, 0));
}

TEST(Walls, InnerEffectPlaysWhileThePointerIsInside) {
    TACTRA_CONSTANTFORCE push = {1000};
    SimRenderEffect pushRight =
        Effect(SimRenderKind::Constant).polar(27000).duration(50000).gain(5000).block(push).decoded();
    SimRenderEffect box = Effect(SimRenderKind::Enclosure).block(enclosure(0xFF)).decoded();
    box.inner = &pushRight;
    EXPECT_EQ(felt(box, at(200, 150)), force(500, 0)) << "inside: the inner effect, with its gain";
    EXPECT_EQ(felt(box, at(110, 150)), force(2500, 0)) << "in a wall: both";
    EXPECT_EQ(felt(box, at(50, 150)), force(0, 0)) << "outside: nothing";
    EXPECT_EQ(felt(box, at(200, 150), 60000), force(500, 0)) << "the inner effect repeats";
    SimRenderEffect everywhere =
        Effect(SimRenderKind::Ellipse).block(ellipse(0xFF, 0x01)).decoded();
    everywhere.inner = &pushRight;
    EXPECT_EQ(felt(everywhere, at(50, 150)), force(500, 0)) << "second flags word bit 0";
    // Enclosures inside each other end at a depth limit, also when they refer to each other.
    SimRenderEffect a = Effect(SimRenderKind::Enclosure).block(enclosure(0)).decoded();
    SimRenderEffect b = Effect(SimRenderKind::Enclosure).block(enclosure(0)).decoded();
    a.inner = &b;
    b.inner = &a;
    EXPECT_EQ(felt(a, at(200, 150)), force(0, 0));
}

}  // namespace
