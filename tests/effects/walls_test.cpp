// The wall effects (enclosure, box, ellipse): rectangles, thicknesses, masks, the inner effect,
// following the cursor, copies; on DirectInput, where these kinds do not exist, clean refusal.
#include "tests/effects/devicefixture.h"

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

using namespace fxtest;

namespace {

CTactraEffect* const KEEP_INNER = TKL_INNER_EFFECT_NOT_GIVEN;
CTactraEffect* const ALL_BITS_INNER = reinterpret_cast<CTactraEffect*>(~std::uintptr_t(0));
const DWORD DEF = TKL_WALL_DEFAULT;
const POINT CURSOR = {TKL_CURSOR_POINT, TKL_CURSOR_POINT};

POINT at(LONG x, LONG y) {
    POINT p = {x, y};
    return p;
}

// What a device received of a wall block, read by the block's size.
struct WallSent {
    std::vector<LONG> rect;    // left, top, right, bottom
    std::vector<LONG> values;  // the block's other numbers, in block order
    ITactraEffect* inner = nullptr;
};

WallSent wall_sent(const SimEffectParams& p) {
    WallSent w;
    if (p.cbTypeSpecificParams == sizeof(TACTRA_ENCLOSURE)) {
        TACTRA_ENCLOSURE b;
        std::memcpy(&b, p.typeSpecific, sizeof b);
        EXPECT_EQ(b.dwSize, sizeof b);
        const RECT& r = b.rectBoundary;
        w.rect = {r.left, r.top, r.right, r.bottom};
        w.values = {LONG(b.dwTopAndBottomWallThickness), LONG(b.dwLeftAndRightWallThickness),
                    b.lTopAndBottomWallStiffness, b.lLeftAndRightWallStiffness,
                    LONG(b.dwStyle), LONG(b.dwStyle2), LONG(b.dwTopAndBottomWallSaturation),
                    LONG(b.dwLeftAndRightWallSaturation)};
        w.inner = b.piInnerEffect;
    } else if (p.cbTypeSpecificParams == sizeof(TACTRA_ELLIPSE)) {
        TACTRA_ELLIPSE b;
        std::memcpy(&b, p.typeSpecific, sizeof b);
        EXPECT_EQ(b.dwSize, sizeof b);
        const RECT& r = b.rectBoundary;
        w.rect = {r.left, r.top, r.right, r.bottom};
        w.values = {LONG(b.dwWallThickness), b.lWallStiffness, LONG(b.dwStyle), LONG(b.dwStyle2),
                    LONG(b.dwWallSaturation)};
        w.inner = b.piInnerEffect;
    } else {
        ADD_FAILURE() << "no wall block: " << p.cbTypeSpecificParams << " bytes";
    }
    return w;
}

class WallsOnMouse : public Devices {
protected:
    // The block of the last record the device received (created or changed).
    WallSent sent() {
        SimCall found = {};
        sim().for_each_call([&](const SimCall& call) {
            if (call.hasParams)
                found = call;
        });
        return wall_sent(found.params);
    }
    // The block the device keeps for the wall created last.
    WallSent stored() {
        SimEffectState last = {};
        for (unsigned i = 0; i < sim().effect_count(); ++i) {
            SimEffectState s = {};
            if (sim().effect_get(i, &s) && (s.params.cbTypeSpecificParams == sizeof(TACTRA_ELLIPSE) ||
                                            s.params.cbTypeSpecificParams == sizeof(TACTRA_ENCLOSURE)))
                last = s;
        }
        return wall_sent(last.params);
    }
    // Starts with one argument, or with `iterations` and flags 0; true when that re-centered
    // the wall first.
    template <class Wall>
    bool started_recentered(Wall& wall, DWORD iterations = 0) {
        sim().log_clear();
        EXPECT_TRUE(iterations ? wall.Start(iterations, 0) : wall.Start(0))
            << "code " << CTKLErrors::GetLastErrorCode();
        const std::vector<SimCall> starts = calls("Start");
        EXPECT_EQ(starts.size(), 1u);
        if (!starts.empty()) {
            EXPECT_EQ(starts[0].args[0], iterations ? iterations : 1u) << "iterations";
        }
        return !calls("SetParameters").empty();
    }
    // The 100-pixel square centered on the cursor. Read back rather than taken from
    // SetCursorPos: under Wine the desktop may place the cursor elsewhere than asked.
    static std::vector<LONG> square_at_cursor() {
        POINT p = {0, 0};
        EXPECT_TRUE(GetCursorPos(&p));
        return {p.x - 50, p.y - 50, p.x + 49, p.y + 49};
    }
    template <class Wall>
    void check_following(Wall& wall) {
        EXPECT_EQ(sent().rect, std::vector<LONG>({0, 0, 99, 99})) << "top-left until started";
        ASSERT_TRUE(SetCursorPos(300, 200));
        ASSERT_TRUE(started_recentered(wall));
        EXPECT_EQ(calls("SetParameters")[0].args[0], TACTRA_EP_TYPESPECIFICPARAMS);
        EXPECT_EQ(sent().rect, square_at_cursor());
        ASSERT_TRUE(SetCursorPos(600, 500));
        EXPECT_TRUE(started_recentered(wall)) << "every time";
        EXPECT_EQ(sent().rect, square_at_cursor());

        ASSERT_TRUE(SetCursorPos(450, 350));
        EXPECT_TRUE(started_recentered(wall, 2)) << "the two-argument Start follows too";
        EXPECT_EQ(sent().rect, square_at_cursor());

        ASSERT_TRUE(wall.SetCenter(200, 200));
        ASSERT_TRUE(SetCursorPos(700, 700));
        EXPECT_FALSE(started_recentered(wall)) << "a real center ends the following";
        ASSERT_TRUE(wall.SetCenter(CURSOR));
        EXPECT_EQ(sent().rect, std::vector<LONG>({0, 0, 99, 99}));
        EXPECT_TRUE(started_recentered(wall)) << "the cursor marker starts it again";
        EXPECT_EQ(sent().rect, square_at_cursor());
        ASSERT_TRUE(wall.SetCenter(-1, -1));
        EXPECT_TRUE(started_recentered(wall)) << "no point keeps the following";
        const RECT moved = {10, 10, 59, 59};
        ASSERT_TRUE(wall.SetRect(&moved));
        EXPECT_FALSE(started_recentered(wall)) << "a rectangle ends the following";
    }
};
INSTANTIATE_TEST_SUITE_P(, WallsOnMouse, ::testing::Values(DeviceKind::ForceMouse), kind_suffix);

TEST_P(WallsOnMouse, BoxRecordAndTheChangesThatKeepItsFixedWords) {
    CTactraBox box;
    ASSERT_TRUE(box.Initialize(device(), 100, DEF, 5000, DEF, at(500, 400), nullptr))
        << "code " << CTKLErrors::GetLastErrorCode();
    const SimEffectParams p = last("CreateEffect").params;
    EXPECT_EQ(p.guid, GUID_Tactra_Enclosure);
    EXPECT_EQ(p.dwFlags, 0x12u);
    EXPECT_EQ(p.dwDuration, TACTRA_INFINITE);
    EXPECT_EQ(p.dwSamplePeriod, 0u);
    EXPECT_EQ(p.dwGain, 10000u);
    EXPECT_EQ(p.dwTriggerButton, TACTRA_NOTRIGGER);
    EXPECT_EQ(p.cAxes, 2u);
    EXPECT_EQ(p.rgdwAxes[1], TACTRA_AXIS_Y);
    EXPECT_EQ(p.rglDirection[0], 0);
    EXPECT_FALSE(p.hasEnvelope);
    WallSent w = sent();
    EXPECT_EQ(w.rect, std::vector<LONG>({450, 350, 549, 449}));
    EXPECT_EQ(w.values, std::vector<LONG>({21, 21, 5000, 5000, 255, 0, 10000, 10000}));
    EXPECT_EQ(w.inner, nullptr);

    sim().log_clear();
    ASSERT_TRUE(box.SetCenter(600, 300));
    EXPECT_EQ(last("SetParameters").args[0], TACTRA_EP_TYPESPECIFICPARAMS);
    w = sent();
    EXPECT_EQ(w.rect, std::vector<LONG>({550, 250, 649, 349})) << "the size is kept";
    EXPECT_EQ(w.values, std::vector<LONG>({21, 21, 5000, 5000, 255, 0, 10000, 10000}));

    ASSERT_TRUE(box.ChangeParameters(static_cast<const RECT*>(nullptr), 7000, 3, KEEP_INNER));
    EXPECT_EQ(sent().values, std::vector<LONG>({3, 3, 7000, 7000, 255, 0, 10000, 10000}));
    ASSERT_TRUE(box.ChangeParameters(at(100, 100), NG, 40, 20, DEF, KEEP_INNER));
    w = sent();
    EXPECT_EQ(w.rect, std::vector<LONG>({80, 90, 119, 109}));
    EXPECT_EQ(w.values, std::vector<LONG>({5, 9, 7000, 7000, 255, 0, 10000, 10000}));
}

TEST_P(WallsOnMouse, EllipseRecord) {
    CTactraEllipse ellipse;
    ASSERT_TRUE(ellipse.Initialize(device(), 200, DEF, 4000, DEF, 10000, 0, 0, at(300, 300),
                                   nullptr))
        << "code " << CTKLErrors::GetLastErrorCode();
    const SimEffectParams p = last("CreateEffect").params;
    EXPECT_EQ(p.guid, GUID_Tactra_Ellipse);
    EXPECT_EQ(p.dwFlags, 0x22u);
    EXPECT_EQ(p.dwDuration, TACTRA_INFINITE);
    EXPECT_EQ(p.dwGain, 10000u);
    EXPECT_EQ(p.rglDirection[0], 0);
    WallSent w = sent();
    EXPECT_EQ(w.rect, std::vector<LONG>({200, 200, 399, 399}));
    EXPECT_EQ(w.values, std::vector<LONG>({41, 4000, 0, 0, 10000}));

    sim().log_clear();
    ASSERT_TRUE(ellipse.SetCenter(at(100, 100)));
    EXPECT_EQ(last("SetParameters").args[0], TACTRA_EP_TYPESPECIFICPARAMS);
    EXPECT_EQ(sent().rect, std::vector<LONG>({0, 0, 199, 199}));
}

// Rectangles from centers and sizes, and default thicknesses, as the device receives them.
TEST_P(WallsOnMouse, PlacementAndDefaultThicknesses) {
    struct Row {
        const char* what;
        std::function<BOOL(CTactraDevice*)> make;
        std::vector<LONG> rect;
        std::vector<LONG> thicknesses;  // the first one or two values of the block
    };
    const RECT tall = {100, 100, 149, 299}, wide = {0, 0, 299, 59}, small = {0, 0, 99, 99};
    const Row rows[] = {
        {"odd width", [](CTactraDevice* d) {
             return CTactraBox().Initialize(d, 101, 20, 1, DEF, at(500, 400), nullptr); },
         {450, 390, 550, 409}, {5, 21}},
        {"no range check", [](CTactraDevice* d) {
             return CTactraBox().Initialize(d, 100, 100, 1, 7, at(10, 10), nullptr); },
         {-40, -40, 59, 59}, {7, 7}},
        {"50 by 200 in a change", [&](CTactraDevice* d) {
             CTactraEnclosure e;
             return e.Initialize(d, &small, 1, 1, 7, 7, 0, 0, 0, 0, nullptr) &&
                    e.ChangeParameters(&tall, NG, NG, DEF, DEF, NGD, NGD, NGD, NGD, KEEP_INNER); },
         {100, 100, 149, 299}, {41, 11}},
        {"one thickness defaulted", [&](CTactraDevice* d) {
             return CTactraEnclosure().Initialize(d, &tall, 1, 1, 3, DEF, 0, 0, 0, 0, nullptr); },
         {100, 100, 149, 299}, {3, 11}},
        {"ellipse 300 by 60", [&](CTactraDevice* d) {
             return CTactraEllipse().Initialize(d, &wide, 1, DEF, 0, 0, 0, nullptr); },
         {0, 0, 299, 59}, {13}},
        {"ellipse 50 by 200", [&](CTactraDevice* d) {
             return CTactraEllipse().Initialize(d, &tall, 1, DEF, 0, 0, 0, nullptr); },
         {100, 100, 149, 299}, {11}},
        {"square from a new width", [](CTactraDevice* d) {
             CTactraBox b;
             return b.Initialize(d, 100, 50, 1, 9, at(500, 400), nullptr) &&
                    b.ChangeParameters(at(500, 400), NG, 60, DEF, DEF, KEEP_INNER); },
         {470, 370, 529, 429}, {13, 13}},
        {"height kept, center kept by (-1, -1)", [](CTactraDevice* d) {
             CTactraEllipse e;
             return e.Initialize(d, 200, DEF, 1, DEF, 0, 0, 0, at(300, 300), nullptr) &&
                    e.ChangeParameters(at(-1, -1), 100, NGD, NG, NGD, NGD, NGD, NGD, KEEP_INNER); },
         {250, 200, 349, 399}, {41}},
        {"odd size kept by (-1, -1)", [](CTactraDevice* d) {
             CTactraBox b;
             return b.Initialize(d, 101, 51, 1, 1, at(500, 400), nullptr) && b.SetCenter(-1, -1); },
         {450, 375, 550, 425}, {1, 1}},
        {"(-1, -1) placed as given at initialisation", [](CTactraDevice* d) {
             return CTactraBox().Initialize(d, 10, 10, 1, 1, at(-1, -1), nullptr); },
         {-6, -6, 3, 3}, {1, 1}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        sim().log_clear();
        EXPECT_TRUE(row.make(device())) << "code " << CTKLErrors::GetLastErrorCode();
        const WallSent w = sent();
        EXPECT_EQ(w.rect, row.rect);
        EXPECT_EQ(std::vector<LONG>(w.values.begin(), w.values.begin() + row.thicknesses.size()),
                  row.thicknesses);
    }
}

TEST_P(WallsOnMouse, BoxFollowsTheCursor) {
    CTactraBox box;
    ASSERT_TRUE(box.Initialize(device(), 100, 100, 5000, DEF, CURSOR, nullptr));
    check_following(box);
}

TEST_P(WallsOnMouse, EllipseFollowsTheCursor) {
    CTactraEllipse ellipse;
    ASSERT_TRUE(ellipse.Initialize(device(), 100, DEF, 5000, DEF, 10000, 0, 0, CURSOR, nullptr));
    check_following(ellipse);
}

TEST_P(WallsOnMouse, ChangesSendTheBlockWhenAnythingIsGiven) {
    CTactraEnclosure enclosure;
    CTactraBox box;
    CTactraEllipse ellipse;
    const RECT r = {0, 0, 99, 99};
    ASSERT_TRUE(enclosure.Initialize(device(), &r, 1, 2, 3, 4, 5, 6, 7, 8, nullptr));
    ASSERT_TRUE(box.Initialize(device(), &r, 1, 2, nullptr));
    ASSERT_TRUE(ellipse.Initialize(device(), &r, 1, 2, 3, 4, 5, nullptr));
    const RECT* const none = nullptr;
    const DWORD BLOCK = TACTRA_EP_TYPESPECIFICPARAMS;
    const std::pair<std::function<BOOL()>, DWORD> rows[] = {
        {[&] { return enclosure.ChangeParameters(none, NG, NG, NGD, NGD, NGD, NGD, NGD, NGD,
                                                 KEEP_INNER); }, 0},
        {[&] { return enclosure.ChangeParameters(none, NG, NG, NGD, NGD, NGD, NGD, NGD, 9,
                                                 KEEP_INNER); }, BLOCK},
        {[&] { return enclosure.ChangeParameters(at(-1, -1), NGD, NGD, NG, NG, NGD, NGD, NGD,
                                                 NGD, NGD, NGD, KEEP_INNER); }, BLOCK},
        {[&] { return box.ChangeParameters(none, NG, NGD, KEEP_INNER); }, 0},
        {[&] { return box.ChangeParameters(none, NG, NGD, ALL_BITS_INNER); }, 0},
        {[&] { return box.SetRect(none); }, 0},
        {[&] { return ellipse.ChangeParameters(none, NG, NGD, NGD, NGD, NGD, KEEP_INNER); }, 0},
        {[&] { return ellipse.ChangeParameters(none, NG, NGD, NGD, NGD, NGD, nullptr); }, BLOCK},
        {[&] { return ellipse.SetRect(&r); }, BLOCK},
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        sim().log_clear();
        CTKLErrors::SetErrorCode(TKL_ERR_UNKNOWN);
        EXPECT_TRUE(rows[i].first());
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_NONE);
        ASSERT_EQ(calls("SetParameters").size(), 1u) << "the device is called in any case";
        EXPECT_EQ(last("SetParameters").args[0], rows[i].second);
    }
    EXPECT_EQ(sent().values, std::vector<LONG>({2, 1, 4, 5, 3})) << "the ellipse kept its values";
}

// `kept` reads the block the device keeps for the wall.
template <class Wall>
void check_inner_effects(Wall& wall, CTactraEffect& first, CTactraEffect& second,
                         CTactraEffect& uninitialised, const std::function<WallSent()>& kept) {
    const RECT* const none = nullptr;
    auto change = [&](CTactraEffect* inner) { return wall.ChangeParameters(none, NG, NGD, inner); };
    EXPECT_EQ(kept().inner, first.GetEffect());
    ASSERT_TRUE(change(&second));
    EXPECT_EQ(kept().inner, second.GetEffect()) << "replaced";
    ASSERT_TRUE(change(KEEP_INNER));
    EXPECT_EQ(kept().inner, second.GetEffect()) << "kept";
    ASSERT_TRUE(change(ALL_BITS_INNER));
    EXPECT_EQ(kept().inner, second.GetEffect()) << "all bits: kept, never called through";
    ASSERT_TRUE(change(&uninitialised));
    EXPECT_EQ(kept().inner, nullptr) << "an effect without a device-side effect";
    ASSERT_TRUE(change(&first));
    ASSERT_TRUE(change(nullptr));
    EXPECT_EQ(kept().inner, nullptr) << "cleared";
}

// Adapts the ellipse's change to the box's argument list for the shared check.
struct EllipseAsBox {
    CTactraEllipse& e;
    BOOL ChangeParameters(const RECT* r, LONG s, DWORD t, CTactraEffect* inner) {
        return e.ChangeParameters(r, s, t, NGD, NGD, NGD, inner);
    }
};

TEST_P(WallsOnMouse, InnerEffectsAreSetReplacedAndCleared) {
    CTactraConstant first, second, uninitialised;
    ASSERT_TRUE(first.InitializePolar(device(), 0, TACTRA_INFINITE, 5000, nullptr));
    ASSERT_TRUE(second.InitializePolar(device(), 9000, TACTRA_INFINITE, 5000, nullptr));
    auto kept = [this] { return stored(); };

    CTactraBox box;
    ASSERT_TRUE(box.Initialize(device(), 100, DEF, 5000, DEF, at(500, 400), &first));
    check_inner_effects(box, first, second, uninitialised, kept);

    CTactraEllipse ellipse;
    ASSERT_TRUE(ellipse.Initialize(device(), 100, DEF, 5000, DEF, 10000, 0, 0, at(500, 400),
                                   &first));
    EllipseAsBox adapted = {ellipse};
    check_inner_effects(adapted, first, second, uninitialised, kept);
}

TEST_P(WallsOnMouse, CopiesAndRecordsKeepTheBlock) {
    CTactraConstant inner;
    ASSERT_TRUE(inner.InitializePolar(device(), 0, TACTRA_INFINITE, 5000, nullptr));
    const RECT* const none = nullptr;

    CTactraBox* source = new CTactraBox;
    ASSERT_TRUE(source->Initialize(device(), 100, 100, 5000, 7, CURSOR, &inner));
    CTactraBox copy(*source);
    delete source;  // the copy refers to nothing of the source's
    EXPECT_EQ(copy.SetCenter(1, 1), FALSE) << "a copy is not initialised";
    ASSERT_TRUE(copy.Initialize(device(), none, NG, NGD, KEEP_INNER));
    WallSent w = sent();
    EXPECT_EQ(w.rect, std::vector<LONG>({0, 0, 99, 99}));
    EXPECT_EQ(w.values, std::vector<LONG>({7, 7, 5000, 5000, 255, 0, 10000, 10000}));
    EXPECT_EQ(w.inner, inner.GetEffect());
    ASSERT_TRUE(SetCursorPos(300, 300));
    EXPECT_TRUE(started_recentered(copy)) << "the copy follows the cursor too";
    EXPECT_EQ(sent().rect, square_at_cursor());

    CTactraEllipse ellipse, assigned;
    ASSERT_TRUE(ellipse.Initialize(device(), 60, 40, 1, 2, 3, 4, 5, at(100, 100), nullptr));
    assigned = ellipse;
    ASSERT_TRUE(assigned.Initialize(device(), none, NG, NGD, NGD, NGD, NGD, KEEP_INNER));
    w = sent();
    EXPECT_EQ(w.rect, std::vector<LONG>({70, 80, 129, 119}));
    EXPECT_EQ(w.values, std::vector<LONG>({2, 1, 4, 5, 3}));
    EXPECT_FALSE(started_recentered(assigned));

    // A project's full record: its block becomes the stored values.
    TACTRA_ENCLOSURE block = {sizeof block, {10, 10, 59, 59}, 3, 4, 100, 200, 1, 2, 300, 400,
                              nullptr};
    DWORD axes[2] = {TACTRA_AXIS_X, TACTRA_AXIS_Y};
    LONG direction[2] = {0, 0};
    TACTRA_EFFECT record = {};
    record.dwSize = sizeof record;
    record.dwFlags = 0x12;
    record.dwDuration = TACTRA_INFINITE;
    record.dwGain = 10000;
    record.dwTriggerButton = TACTRA_NOTRIGGER;
    record.cAxes = 2;
    record.rgdwAxes = axes;
    record.rglDirection = direction;
    record.cbTypeSpecificParams = sizeof block;
    record.lpvTypeSpecificParams = &block;
    CTactraEnclosure loaded;
    ASSERT_TRUE(loaded.Initialize(device(), record)) << "code " << CTKLErrors::GetLastErrorCode();
    ASSERT_TRUE(loaded.SetCenter(100, 100));
    w = sent();
    EXPECT_EQ(w.rect, std::vector<LONG>({75, 75, 124, 124}));
    EXPECT_EQ(w.values, std::vector<LONG>({3, 4, 100, 200, 1, 2, 300, 400}));
}

TEST_P(WallsOnMouse, DeviceFailuresBecomeTheCode) {
    CTactraBox box;
    CTactraEllipse ellipse;
    ASSERT_TRUE(box.Initialize(device(), 100, 100, 1, 1, CURSOR, nullptr));
    ASSERT_TRUE(ellipse.Initialize(device(), 100, 100, 1, 1, 1, 0, 0, at(50, 50), nullptr));
    const std::pair<const char*, std::function<BOOL()>> rows[] = {
        {"SetParameters", [&] { return box.SetCenter(5, 5); }},
        {"SetParameters", [&] { return ellipse.SetCenter(5, 5); }},
        {"Start", [&] { return box.Start(0); }},
        {"Start", [&] { return ellipse.Start(0); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.first);
        sim().fail_next(row.first, TACTRA_ERROR_INPUTLOST);
        EXPECT_FALSE(row.second());
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TACTRA_ERROR_INPUTLOST);
    }
    // A failed re-centering does not keep the wall from starting.
    ASSERT_TRUE(box.SetCenter(CURSOR));
    sim().fail_next("SetParameters", TACTRA_ERROR_INPUTLOST);
    EXPECT_TRUE(box.Start(0)) << "code " << CTKLErrors::GetLastErrorCode();
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_NONE);
    EXPECT_TRUE(started_recentered(box)) << "still following";
}

// A call refused before initialisation changes nothing: a cursor marker given then is no
// following once the wall is initialised with a rectangle.
TEST_P(WallsOnMouse, RefusedCallsChangeNothing) {
    const RECT r = {0, 0, 9, 9};
    CTactraBox box;
    CTactraEllipse ellipse;
    EXPECT_FALSE(box.SetCenter(CURSOR));
    EXPECT_FALSE(ellipse.SetCenter(CURSOR));
    ASSERT_TRUE(box.Initialize(device(), &r, 1, 1, nullptr));
    ASSERT_TRUE(ellipse.Initialize(device(), &r, 1, 1, 1, 0, 0, nullptr));
    EXPECT_FALSE(started_recentered(box));
    EXPECT_FALSE(started_recentered(ellipse));
}

TEST(WallsWithoutDevice, NotInitialised) {
    CTactraEnclosure enclosure;
    CTactraBox box;
    CTactraEllipse ellipse;
    const RECT r = {0, 0, 9, 9};
    const LONG NOT_INIT = TKL_ERR_EFFECT_NOT_INITIALIZED, UNTOUCHED = TKL_ERR_UNKNOWN;
    const std::pair<LONG, std::function<BOOL()>> rows[] = {
        {NOT_INIT, [&] { return enclosure.ChangeParameters(at(1, 1), 1, 1, 1, 1, 1, 1, 1, 1, 1,
                                                           1, nullptr); }},
        {NOT_INIT, [&] { return enclosure.ChangeParameters(&r, 1, 1, 1, 1, 1, 1, 1, 1, nullptr); }},
        {NOT_INIT, [&] { return enclosure.SetRect(&r); }},
        {NOT_INIT, [&] { return enclosure.SetCenter(at(1, 1)); }},
        {NOT_INIT, [&] { return enclosure.SetCenter(1, 1); }},
        {NOT_INIT, [&] { return enclosure.Start(0); }},
        {NOT_INIT, [&] { return box.ChangeParameters(at(1, 1), 1, 1, 1, 1, nullptr); }},
        {NOT_INIT, [&] { return box.ChangeParameters(&r, 1, 1, nullptr); }},
        {NOT_INIT, [&] { return box.Start(0); }},
        {NOT_INIT, [&] { return ellipse.ChangeParameters(at(1, 1), 1, 1, 1, 1, 1, 1, 1, nullptr); }},
        {NOT_INIT, [&] { return ellipse.ChangeParameters(&r, 1, 1, 1, 1, 1, nullptr); }},
        {NOT_INIT, [&] { return ellipse.SetRect(&r); }},
        {NOT_INIT, [&] { return ellipse.SetCenter(1, 1); }},
        {NOT_INIT, [&] { return ellipse.Start(1, 0); }},
        {UNTOUCHED, [&] { return ellipse.Start(0); }},
        {TKL_ERR_DEVICE_IS_NULL, [&] { return box.Initialize(nullptr, &r, 1, 1, nullptr); }},
        {TKL_ERR_DEVICE_IS_NULL, [&] {
             return ellipse.Initialize(nullptr, 1, 1, 1, 1, 1, 1, 1, at(1, 1), nullptr); }},
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
        CTKLErrors::SetErrorCode(TKL_ERR_UNKNOWN);
        EXPECT_FALSE(rows[i].second()) << "row " << i;
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), rows[i].first) << "row " << i;
    }
}

TEST(WallsWithoutDevice, EachClassAcceptsItsKindOnly) {
    CTactraEnclosure enclosure;
    CTactraBox box;
    CTactraEllipse ellipse;
    GUID walls = GUID_Tactra_Enclosure, round = GUID_Tactra_Ellipse, spring = GUID_Tactra_Spring;
    EXPECT_TRUE(enclosure.GetIsCompatibleGUID(walls));
    EXPECT_TRUE(box.GetIsCompatibleGUID(walls));
    EXPECT_TRUE(ellipse.GetIsCompatibleGUID(round));
    EXPECT_FALSE(enclosure.GetIsCompatibleGUID(round) || box.GetIsCompatibleGUID(round) ||
                 box.GetIsCompatibleGUID(spring) || ellipse.GetIsCompatibleGUID(walls) ||
                 ellipse.GetIsCompatibleGUID(spring));
    EXPECT_EQ(box.GetGUID(), GUID_Tactra_Enclosure);
}

class WallsOnDirectInput : public Devices {};
INSTANTIATE_TEST_SUITE_P(, WallsOnDirectInput, ::testing::Values(DeviceKind::DirectInput),
                         kind_suffix);

TEST_P(WallsOnDirectInput, EveryWallKindIsRefusedAndNothingIsHeld) {
    const unsigned live = sim().live_objects();
    const RECT r = {0, 0, 99, 99};
    CTactraEnclosure* enclosure = new CTactraEnclosure;
    CTactraBox* box = new CTactraBox;
    CTactraEllipse* ellipse = new CTactraEllipse;
    const std::pair<GUID, std::function<BOOL()>> rows[] = {
        {GUID_Tactra_Enclosure, [&] {
             return enclosure->Initialize(device(), &r, 1, 1, 1, 1, 1, 1, 1, 1, nullptr); }},
        {GUID_Tactra_Enclosure, [&] {
             return box->Initialize(device(), 100, DEF, 1, DEF, at(50, 50), nullptr); }},
        {GUID_Tactra_Ellipse, [&] {
             return ellipse->Initialize(device(), 100, DEF, 1, DEF, 1, 0, 0, CURSOR, nullptr); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(row.first));
        EXPECT_FALSE(row.second());
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), DIERR_DEVICENOTREG);
        EXPECT_EQ(last("CreateEffect").guid, row.first) << "passed on unchanged";
        EXPECT_EQ(sim().effect_count(), 0u);
    }
    EXPECT_FALSE(ellipse->Start(0));
    delete enclosure;
    delete box;
    delete ellipse;
    EXPECT_EQ(sim().live_objects(), live);
    EXPECT_EQ(calls("AddRef").size(), calls("Release").size()) << "every reference returned";
}

}  // namespace
