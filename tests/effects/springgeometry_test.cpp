// Springs in screen pixels on both devices: the line offset of directional springs, the
// conversion to DirectInput's -10000..10000, device units and centering on the cursor.
#include "tests/effects/conditiontest.h"
#include "tests/support/outputcapture.h"

#include <functional>
#include <string>

using namespace fxtest;

namespace {

class SpringGeometry : public Conditions {
protected:
    void SetUp() override {
        Conditions::SetUp();
        ASSERT_TRUE(standard_screen()) << "the expectations assume a 1024 x 768 screen";
    }
    // A screen coordinate as this test's device receives it.
    LONG across(LONG pixels, LONG size) const {
        return directInput() ? LONG(pixels * 20000LL / size - 10000) : pixels;
    }
    LONG across_x(LONG pixels) const { return across(pixels, 1024); }
    LONG across_y(LONG pixels) const { return across(pixels, 768); }
    LONG offset_sent_at_creation() { return block_word(last("CreateEffect").params, 0); }
};
FX_ON_BOTH_DEVICES(SpringGeometry);

TEST_P(SpringGeometry, OffsetsOfFormsOneToThreeAreScreenCoordinates) {
    const struct {
        DWORD form;
        POINT center;
        std::vector<DWORD> axes;
        std::vector<LONG> offsets;
    } rows[] = {
        {1, pt(200, 0), {0}, {across_x(200)}},  // -6094 on DirectInput
        {1, pt(512, 5), {0}, {across_x(512)}},  // the screen center is 0
        {1, pt(1023, 5), {0}, {across_x(1023)}},
        {2, pt(5, 192), {4}, {across_y(192)}},
        {3, pt(0, 768), {0, 4}, {across_x(0), across_y(768)}},
        // Beyond what 32-bit arithmetic could scale (200000 x 20000 > 2^31).
        {1, pt(200000, 0), {0}, {across_x(200000)}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE("form " + std::to_string(row.form) + " center (" +
                     std::to_string(row.center.x) + ", " + std::to_string(row.center.y) + ")");
        CTactraSpring spring;
        ASSERT_TRUE(spring.Initialize(device(), 5000, 8000, 100, row.form, row.center, 0, 0, 0))
            << "code " << CTKLErrors::GetLastErrorCode();
        std::vector<LONG> block;
        for (LONG offset : row.offsets) {
            const std::vector<LONG> record = words({cond(offset, 5000, 5000, 8000, 8000, 100)});
            block.insert(block.end(), record.begin(), record.end());
        }
        expect_created({CART, row.axes, std::vector<LONG>(row.axes.size(), 1), block});
        EXPECT_EQ(last("CreateEffect").params.guid, device_kind(GUID_Tactra_Spring));
        // A later change keeps the offsets as the device has them.
        sim().log_clear();
        ASSERT_TRUE(spring.ChangeParameters(NO_POINT, 7000, NGD, NGD, NG, NG));
        EXPECT_EQ(sent_mask(), BLOCK);
        EXPECT_EQ(sent_word(0), row.offsets[0]);
        EXPECT_EQ(sent_word(1), 7000);
        EXPECT_EQ(sent_word(2), 7000);
    }
    if (directInput()) {
        EXPECT_EQ(across_x(200), -6094);
        EXPECT_EQ(across_x(1023), 9980);
        EXPECT_EQ(across_x(200000), 3896250);
    }
}

// The line through a point, perpendicular to the direction: its signed distance from the
// origin (the screen's top left on the force mouse, its center on DirectInput) is the offset.
TEST_P(SpringGeometry, DirectionalSpringsTakeTheOffsetOfTheirLine) {
    using Init = std::function<BOOL(CTactraSpring&, CTactraDevice*)>;
    const Cond at300 = cond(300, 5000, 5000, 10000, 10000, 0);
    const struct {
        const char* name;
        Init init;
        LONG mouseOffset, directInputOffset;
        LONG mouseDirection[2], directInputDirection[2];
    } rows[] = {
        {"Cartesian (1, 1) through (100, 0)",
         [](CTactraSpring& s, CTactraDevice* d) {
             return s.Initialize(d, 5000, 10000, 0, 4, pt(100, 0), 1, 1, 0); },
         70, -14635, {1, 1}, {1, 0}},
        {"angle 9000 through (300, 50)",
         [](CTactraSpring& s, CTactraDevice* d) {
             return s.InitializePolar(d, 5000, 10000, 0, pt(300, 50), 9000, 0); },
         300, -4140, {9000, 0}, {9000, 0}},
        {"angle -4500 is folded",
         [](CTactraSpring& s, CTactraDevice* d) {
             return s.InitializePolar(d, 5000, 10000, 0, pt(100, 0), -4500, 0); },
         70, -12936, {13500, 0}, {12686, 0}},
        {"angle 4500 through (612, 284)",
         [](CTactraSpring& s, CTactraDevice* d) {
             return s.InitializePolar(d, 5000, 10000, 0, pt(612, 284), 4500, 0); },
         231, 3245, {4500, 0}, {5313, 0}},
        // Straight down: the line offset is 99.99999999999999 (tan 180 degrees is not 0), and
        // i686 x87 arithmetic made the angle 17999.
        {"angle 18000 through (612, 284)",
         [](CTactraSpring& s, CTactraDevice* d) {
             return s.InitializePolar(d, 5000, 10000, 0, pt(612, 284), 18000, 0); },
         284, -2578, {18000, 0}, {18000, 0}},
        {"Cartesian (10000, -10000) through (612, 284)",
         [](CTactraSpring& s, CTactraDevice* d) {
             return s.Initialize(d, 5000, 10000, 0, 4, pt(612, 284), 10000, -10000, 0); },
         231, 2407, {10000, -10000}, {10000, -7500}},
        // Pointing left and down: the offset is the projection on (-3, 4) / 5, negative here.
        {"Cartesian (-3, 4) through (612, 284)",
         [](CTactraSpring& s, CTactraDevice* d) {
             return s.Initialize(d, 5000, 10000, 0, 4, pt(612, 284), -3, 4, 0); },
         -140, -2278, {-3, 4}, {-3, 3}},
        // A record's offset is the x of a point at y = 0.
        {"record, direction down",
         [&](CTactraSpring& s, CTactraDevice* d) { return s.InitCondition(d, &at300, 0, 5, 0); },
         0, -7500, {0, 5}, {0, 3}},
        {"record, direction up",
         [&](CTactraSpring& s, CTactraDevice* d) { return s.InitCondition(d, &at300, 0, -5, 0); },
         0, 7500, {0, -5}, {0, -3}},
        {"record, angle 0",
         [&](CTactraSpring& s, CTactraDevice* d) { return s.InitConditionPolar(d, &at300, 0, 0); },
         0, 10000, {0, 0}, {0, 0}},
        {"record, direction right",
         [&](CTactraSpring& s, CTactraDevice* d) { return s.InitCondition(d, &at300, 5, 0, 0); },
         300, -5520, {5, 0}, {5, 0}},
        {"record, direction left",
         [&](CTactraSpring& s, CTactraDevice* d) { return s.InitCondition(d, &at300, -5, 0, 0); },
         -300, 5520, {-5, 0}, {-5, 0}},
        {"record, angle 9000",
         [&](CTactraSpring& s, CTactraDevice* d) { return s.InitConditionPolar(d, &at300, 9000, 0); },
         300, -4140, {9000, 0}, {9000, 0}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CTactraSpring spring;
        ASSERT_TRUE(row.init(spring, device())) << "code " << CTKLErrors::GetLastErrorCode();
        const SimEffectParams p = last("CreateEffect").params;
        const LONG* direction = directInput() ? row.directInputDirection : row.mouseDirection;
        EXPECT_EQ(p.rglDirection[0], direction[0]);
        EXPECT_EQ(p.rglDirection[1], direction[1]);
        EXPECT_EQ(offset_sent_at_creation(), directInput() ? row.directInputOffset : row.mouseOffset);
    }
}

TEST_P(SpringGeometry, EachLineConversionIsTraced) {
    const struct {
        std::function<BOOL(CTactraSpring&, CTactraDevice*)> init;
        const char* mouse;
        const char* directInput;
    } rows[] = {
        {[](CTactraSpring& s, CTactraDevice* d) {
             return s.InitializePolar(d, 1, 1, 0, pt(612, 284), 4500, 0); },
         "API: pntOnLine=(612,284), m=1.000000, distance=231.931024, pnt=(612.000000,284.000000)\n",
         "API: pntOnLine=(612,284), m=1.000000, distance=141.421356, pnt=(100.000000,-100.000000)\n"},
        // A vertical line has no finite slope: m is shown as 0.
        {[](CTactraSpring& s, CTactraDevice* d) {
             return s.Initialize(d, 1, 1, 0, 4, pt(300, 7), -5, 0, 0); },
         "API: pntOnLine=(300,7), m=0.000000, distance=-300.000000, pnt=(300.000000,7.000000)\n",
         "API: pntOnLine=(300,7), m=0.000000, distance=212.000000, pnt=(-212.000000,-377.000000)\n"},
    };
    for (const auto& row : rows) {
        CTactraSpring spring;
        tkltest::OutputCapture output;
        ASSERT_TRUE(row.init(spring, device()));
        const std::vector<std::string> lines = output.debugLines();
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.front(), directInput() ? row.directInput : row.mouse);
    }
}

TEST_P(SpringGeometry, DeviceUnitsPassOffsetsAsGiven) {
    tkltest::OutputCapture output;
    CTactraSpring spring;
    ASSERT_TRUE(spring.Initialize(device(), 5000, 8000, 100, 1, pt(200, 0), 0, 0, 1));
    EXPECT_EQ(offset_sent_at_creation(), directInput() ? 200 : across_x(200));
    EXPECT_EQ(spring.GetGUID(), directInput() ? GUID_Tactra_DeviceSpring : GUID_Tactra_Spring);
    EXPECT_EQ(last("CreateEffect").params.guid, device_kind(GUID_Tactra_Spring));
    // For the object's life, whatever a later initialisation asks for.
    ASSERT_TRUE(spring.InitializePolar(device(), 5000, 8000, 100, pt(612, 284), 4500, 0));
    EXPECT_EQ(spring.GetGUID(), directInput() ? GUID_Tactra_DeviceSpring : GUID_Tactra_Spring);
    const SimEffectParams p = last("CreateEffect").params;
    if (directInput()) {
        EXPECT_EQ(block_word(p, 0), 612);
        EXPECT_EQ(p.rglDirection[0], 4500);
        EXPECT_TRUE(output.debugLines().empty()) << "no line conversion in device units";
        sim().log_clear();
        ASSERT_TRUE(spring.ChangeParameters(pt(-300, 9), NG, NGD, NGD, NG, NG));
        EXPECT_EQ(sent_word(0), -300);
    } else {
        EXPECT_EQ(block_word(p, 0), 231);
        EXPECT_EQ(output.debugLines().size(), 1u);
    }

    // The device-unit spring kind itself never converts.
    output.clear();
    CTactraCondition deviceSpring(GUID_Tactra_DeviceSpring);
    ASSERT_TRUE(deviceSpring.InitCondition(device(), 1, 1, 1, 1, 0, 4, pt(612, 284), 3, 4, 0));
    EXPECT_EQ(offset_sent_at_creation(), 612);
    EXPECT_EQ(last("CreateEffect").params.rglDirection[1], 4);
    EXPECT_EQ(last("CreateEffect").params.guid, device_kind(GUID_Tactra_DeviceSpring));
    EXPECT_TRUE(output.debugLines().empty());
}

TEST_P(SpringGeometry, CursorCenterFollowsTheCursorAtEveryStart) {
    ASSERT_NO_FATAL_FAILURE(move_cursor(300, 200));
    CTactraSpring spring;
    ASSERT_TRUE(spring.Initialize(device(), 5000, 8000, 0, 3, AT_CURSOR, 0, 0, 0));
    EXPECT_EQ(block_word(last("CreateEffect").params, 0), across_x(300));
    EXPECT_EQ(block_word(last("CreateEffect").params, 6), across_y(200));
    const POINT moves[] = {pt(400, 100), pt(10, 700)};
    for (const POINT& cursor : moves) {
        ASSERT_NO_FATAL_FAILURE(move_cursor(cursor.x, cursor.y));
        sim().log_clear();
        ASSERT_TRUE(spring.Start(1, 0));
        EXPECT_EQ(sent_mask(), BLOCK);
        EXPECT_EQ(sent_word(0), across_x(cursor.x));
        EXPECT_EQ(sent_word(6), across_y(cursor.y));
        EXPECT_LT(last("SetParameters").seq, last("Start").seq) << "moved before it starts";
    }
    // A change that gives no center keeps the following, as the walls do.
    ASSERT_TRUE(spring.ChangeParameters(NO_POINT, 7000, NGD, NGD, NG, NG));
    ASSERT_NO_FATAL_FAILURE(move_cursor(600, 500));
    sim().log_clear();
    ASSERT_TRUE(spring.Start(1, 0));
    EXPECT_EQ(sent_word(0), across_x(600));
    EXPECT_EQ(sent_word(1), 7000) << "with the new coefficient";
    // A real center ends it.
    ASSERT_TRUE(spring.SetCenter(pt(50, 60)));
    sim().log_clear();
    ASSERT_TRUE(spring.Start(1, 0));
    EXPECT_TRUE(calls("SetParameters").empty());
}

// Re-centering a directional spring keeps its direction: the new offset is measured along it
// and the direction on the device stays as it is.
TEST_P(SpringGeometry, RecenteringKeepsTheDirection) {
    const struct {
        const char* name;
        std::function<BOOL(CTactraSpring&, CTactraDevice*)> init;
        LONG mouseOffset, directInputOffset;
    } rows[] = {
        {"polar 4500", [](CTactraSpring& s, CTactraDevice* d) {
             return s.InitializePolar(d, 5000, 10000, 0, AT_CURSOR, 4500, 0); }, 231, 3245},
        {"Cartesian (10000, -10000)", [](CTactraSpring& s, CTactraDevice* d) {
             return s.Initialize(d, 5000, 10000, 0, 4, AT_CURSOR, 10000, -10000, 0); },
         231, 2407},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_NO_FATAL_FAILURE(move_cursor(0, 0));
        CTactraSpring spring;
        ASSERT_TRUE(row.init(spring, device()));
        const SimEffectParams created = last("CreateEffect").params;
        ASSERT_NO_FATAL_FAILURE(move_cursor(612, 284));
        sim().log_clear();
        ASSERT_TRUE(spring.Start(1, 0));
        EXPECT_EQ(sent_mask(), BLOCK);
        EXPECT_EQ(sent_word(0), directInput() ? row.directInputOffset : row.mouseOffset);
        // The same center given directly.
        sim().log_clear();
        ASSERT_TRUE(spring.SetCenter(pt(612, 284)));
        EXPECT_EQ(sent_mask(), BLOCK);
        EXPECT_EQ(sent_word(0), directInput() ? row.directInputOffset : row.mouseOffset);
        SimEffectState state = {};
        ASSERT_TRUE(sim().effect_get(0, &state));
        EXPECT_EQ(state.params.dwFlags, created.dwFlags);
        EXPECT_EQ(state.params.rglDirection[0], created.rglDirection[0]);
        EXPECT_EQ(state.params.rglDirection[1], created.rglDirection[1]);
    }
}

// A record whose offset is a "keep" marker gives no point on the line: the offset stays.
TEST_P(SpringGeometry, MarkerOffsetsGiveNoLinePoint) {
    CTactraSpring spring;
    ASSERT_TRUE(spring.InitializePolar(device(), 5000, 10000, 0, pt(612, 284), 4500, 0));
    const LONG offset = directInput() ? 3245 : 231;
    const LONG markers[] = {-1, NG};
    for (LONG marker : markers) {
        SCOPED_TRACE(marker);
        const Cond record = cond(marker, 7000, NG, NGD, NGD, NG);
        tkltest::OutputCapture output;
        sim().log_clear();
        ASSERT_TRUE(spring.ChangeConditionParamsPolar(&record, NG));
        EXPECT_EQ(sent_mask(), BLOCK);
        EXPECT_EQ(sent_block(), words({cond(offset, 7000, 5000, 10000, 10000, 0)}));
        EXPECT_TRUE(output.debugLines().empty()) << "no line conversion";
    }
}

// A center with one coordinate of -1 is no center: neither offset changes, on the device or in
// the object.
TEST_P(SpringGeometry, CenterWithOneMissingCoordinateChangesNothing) {
    CTactraSpring spring;
    ASSERT_TRUE(spring.Initialize(device(), 5000, 8000, 0, 3, pt(100, 200), 0, 0, 0));
    const POINT halves[] = {pt(300, -1), pt(-1, 300), NO_POINT};
    for (const POINT& center : halves) {
        sim().log_clear();
        ASSERT_TRUE(spring.SetCenter(center));
        EXPECT_EQ(sent_mask(), 0u);
    }
    sim().log_clear();
    ASSERT_TRUE(spring.ChangeParameters(pt(-1, 300), 7000, NGD, NGD, NG, NG));
    EXPECT_EQ(sent_word(0), across_x(100));
    EXPECT_EQ(sent_word(6), across_y(200));
    EXPECT_EQ(held_block(), sent_block());
    sim().log_clear();
    ASSERT_TRUE(spring.SetCenter(pt(300, 400)));
    EXPECT_EQ(sent_mask(), BLOCK);
    EXPECT_EQ(sent_word(0), across_x(300));
}

}  // namespace
