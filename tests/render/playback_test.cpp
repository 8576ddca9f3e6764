// What a hand feels from effects the library plays, on both software devices: the virtual
// clock (starts stamped, effects ending, Stop and resets), the pointer that is the platform
// cursor, trigger buttons, and whole paths rendered in one call.
#include "tests/effects/devicefixture.h"

#include "tests/render/rendertest.h"
#include "tests/sim/simtest.h"

#include <memory>
#include <vector>

namespace {

using fxtest::Devices;
using rendertest::force;

const LONG kWest = 27000;

class Playback : public Devices {
protected:
    void SetUp() override {
        Devices::SetUp();
        ASSERT_TRUE(simtest::cursor_follows()) << "the platform cursor does not move";
    }
    // A constant force from `angle`, created on the test's device.
    std::unique_ptr<CTactraConstant> constant(LONG magnitude, DWORD durationMs, LONG angle = kWest) {
        std::unique_ptr<CTactraConstant> c(new CTactraConstant);
        EXPECT_TRUE(c->InitializePolar(device(), angle, durationMs, magnitude, nullptr))
            << "code " << CTKLErrors::GetLastErrorCode();
        return c;
    }
    // The device's one effect as the control API lists it.
    SimEffectState state() {
        SimEffectState s = {};
        EXPECT_TRUE(sim().effect_get(0, &s));
        return s;
    }
    bool playing(CTactraEffect& e) {
        DWORD status = 0;
        EXPECT_TRUE(e.GetStatus(&status));
        return (status & TACTRA_EGES_PLAYING) != 0;
    }
    void move(LONG x, LONG y, LONG vx = 0, DWORD buttons = 0) {
        SimPointer p = {x, y, vx, 0, 0, 0, buttons};
        sim().set_pointer(&p);
    }
    // The device's own force-feedback command (DISFFC_); both APIs number them alike.
    HRESULT command(DWORD which) {
        if (directInput())
            return reinterpret_cast<IDirectInputDevice2A*>(device()->GetDevice())
                ->SendForceFeedbackCommand(which);
        return device()->GetDevice()->SendForceFeedbackCommand(which);
    }
};
FX_ON_BOTH_DEVICES(Playback);

TEST_P(Playback, StartStampsTheVirtualClock) {
    auto push = constant(5000, TACTRA_INFINITE);
    EXPECT_EQ(sim().now(), 0u) << "reset sets the clock to 0";
    sim().advance(5000);
    ASSERT_TRUE(push->Start(1, 0));
    EXPECT_EQ(state().started, 5000u);
    sim().advance(1500);
    EXPECT_EQ(sim().now(), 6500u);
    ASSERT_TRUE(push->Start(1, 0));
    EXPECT_EQ(state().started, 6500u) << "a start again restarts";
}

TEST_P(Playback, DurationTimesIterationsEndsTheEffect) {
    auto push = constant(5000, 100);  // 100 ms
    ASSERT_TRUE(push->Start(3, 0));
    sim().advance(299999);
    EXPECT_TRUE(playing(*push));
    EXPECT_EQ(sim().total_force(), force(5000, 0));
    sim().advance(1);
    EXPECT_FALSE(playing(*push)) << "three iterations of 100 ms are over";
    EXPECT_FALSE(state().playing);
    EXPECT_EQ(sim().total_force(), force(0, 0));
    ASSERT_TRUE(push->Start(1, 0));
    EXPECT_TRUE(playing(*push)) << "and it plays again when started again";
}

TEST_P(Playback, StopAndDeviceResetEndPlaying) {
    auto push = constant(5000, TACTRA_INFINITE);
    ASSERT_TRUE(push->Start(1, 0));
    sim().advance(10000);
    EXPECT_EQ(sim().total_force(), force(5000, 0));
    ASSERT_TRUE(push->Stop());
    EXPECT_FALSE(playing(*push));
    EXPECT_EQ(sim().total_force(), force(0, 0));
    ASSERT_TRUE(push->Start(1, 0));
    EXPECT_EQ(command(DISFFC_RESET), S_OK);
    EXPECT_FALSE(playing(*push));
    EXPECT_EQ(sim().total_force(), force(0, 0));
}

TEST_P(Playback, PauseHoldsTheEffectsTime) {
    auto push = constant(5000, 100);
    ASSERT_TRUE(push->Start(1, 0));
    sim().advance(60000);
    ASSERT_EQ(command(DISFFC_PAUSE), S_OK);
    EXPECT_EQ(sim().total_force(), force(0, 0)) << "a paused device pushes nothing";
    sim().advance(500000);
    ASSERT_EQ(command(DISFFC_CONTINUE), S_OK);
    EXPECT_TRUE(playing(*push)) << "60 of its 100 ms have played";
    EXPECT_EQ(sim().total_force(), force(5000, 0));
    sim().advance(40000);
    EXPECT_FALSE(playing(*push));
}

TEST_P(Playback, EffectForcesAreListedAndSummedWithTheGains) {
    auto right = constant(8000, TACTRA_INFINITE);
    auto down = constant(3000, TACTRA_INFINITE, 0);
    auto more = constant(4000, TACTRA_INFINITE);
    ASSERT_TRUE(right->Start(1, 0));
    ASSERT_TRUE(down->Start(1, 0));
    ASSERT_TRUE(more->Start(1, 0));
    SimForce total = {};
    SimEffectForce each[4] = {};
    EXPECT_EQ(sim().force(&total, each, 4), 3u);
    EXPECT_EQ(each[1].x, 0);
    EXPECT_EQ(each[1].y, 3000);
    EXPECT_EQ(total, force(10000, 3000)) << "12000 is limited to full force";
    ASSERT_TRUE(right->ChangeBaseParamsPolar(kWest, TKL_NOT_GIVEN, TKL_ENVELOPE_NOT_GIVEN,
                                             TKL_NOT_GIVEN, 2500, TKL_NOT_GIVEN, TKL_NOT_GIVEN));
    EXPECT_EQ(sim().total_force(), force(6000, 3000)) << "an effect gain of a quarter";
}

TEST_P(Playback, ASpringFeelsTheSameOnEitherDevice) {
    // A spring centred on the screen's middle, in each device's own units, as the library
    // sends it: pixels to the force mouse, device units to DirectInput.
    simtest::MouseRecord record(GUID_Tactra_Spring);
    const TACTRA_CONDITION centre = {directInput() ? 0 : 512, 5000, 5000, 10000, 10000, 0};
    std::memcpy(record.block, &centre, sizeof centre);
    record.e.cbTypeSpecificParams = sizeof centre;
    record.e.cAxes = 1;
    CTactraEffect spring(GUID_Tactra_Spring);
    ASSERT_TRUE(spring.Initialize(device(), record.e)) << CTKLErrors::GetLastErrorCode();
    ASSERT_TRUE(spring.Start(1, 0));
    // 100 px right of the middle of a 1024-pixel screen: 1953.125 units, half of it back.
    move(612, 384);
    EXPECT_EQ(sim().total_force(), force(-977, 0));
    move(412, 384);
    EXPECT_EQ(sim().total_force(), force(977, 0));
}

TEST_P(Playback, ThePointerIsThePlatformCursor) {
    move(300, 200);
    POINT cursor = {};
    ASSERT_TRUE(GetCursorPos(&cursor));
    EXPECT_EQ(cursor.x, 300);
    EXPECT_EQ(cursor.y, 200);
    move(5000, -5, 70);
    SimPointer seen = {};
    ASSERT_TRUE(sim().get_pointer(&seen));
    EXPECT_EQ(seen.x, 1023) << "clamped to the screen like the cursor";
    EXPECT_EQ(seen.y, 0);
    EXPECT_EQ(seen.vx, 70);
    ASSERT_TRUE(SetCursorPos(10, 20));
    ASSERT_TRUE(sim().get_pointer(&seen));
    EXPECT_EQ(seen.x, 10) << "the application moved the cursor: the device sees it there";
    EXPECT_EQ(seen.y, 20);
}

TEST_P(Playback, TriggerButtonStartsTheEffectAndRepeatsItWhileHeld) {
    auto push = constant(5000, 20);  // 20 ms
    ASSERT_TRUE(push->ChangeBaseParamsPolar(kWest, TKL_NOT_GIVEN, TKL_ENVELOPE_NOT_GIVEN,
                                            TKL_NOT_GIVEN, TKL_NOT_GIVEN, 1, 50000));
    move(0, 0, 0, 0x1);
    EXPECT_FALSE(state().playing) << "button 0 is not its trigger";
    sim().advance(1000);
    move(0, 0, 0, 0x3);
    EXPECT_TRUE(state().playing) << "button 1 went down";
    EXPECT_EQ(state().started, 1000u);
    sim().advance(30000);
    EXPECT_FALSE(state().playing) << "20 ms played";
    sim().advance(25000);
    EXPECT_TRUE(state().playing) << "held: repeated 50 ms after the press";
    EXPECT_EQ(state().started, 51000u);
    move(0, 0, 0, 0x1);
    sim().advance(100000);
    EXPECT_FALSE(state().playing) << "released: no more repeats";
}

// A pause holds the press's time too: after it the repeats keep their 50 ms from the press,
// counted in the device's time. 520 ms is no whole number of intervals, so a press time left
// unmoved by the pause would put them elsewhere.
TEST_P(Playback, TriggerRepeatsKeepTheirPaceAcrossAPause) {
    auto push = constant(5000, 20);  // 20 ms
    ASSERT_TRUE(push->ChangeBaseParamsPolar(kWest, TKL_NOT_GIVEN, TKL_ENVELOPE_NOT_GIVEN,
                                            TKL_NOT_GIVEN, TKL_NOT_GIVEN, 1, 50000));
    sim().advance(1000);
    move(0, 0, 0, 0x2);
    sim().advance(10000);
    ASSERT_EQ(command(DISFFC_PAUSE), S_OK);
    sim().advance(520000);
    ASSERT_EQ(command(DISFFC_CONTINUE), S_OK);  // at 531 ms: the press is at 521 ms now
    const struct {
        DWORD advance;
        bool playing;
        unsigned long long started;
    } rows[] = {
        {5000, true, 521000},     // 15 of its 20 ms played
        {6000, false, 521000},    // 21 ms
        {28999, false, 521000},   // just before the first repeat
        {1, true, 571000},        // 50 ms after the press
        {50000, true, 621000},    // and every 50 ms after that
    };
    for (const auto& row : rows) {
        sim().advance(row.advance);
        SCOPED_TRACE("at " + std::to_string(sim().now()) + " us");
        EXPECT_EQ(bool(state().playing), row.playing);
        EXPECT_EQ(state().started, row.started);
    }
}

TEST_P(Playback, APathRendersTheSameEveryTime) {
    auto wave = std::unique_ptr<CTactraPeriodic>(new CTactraPeriodic(GUID_Tactra_Triangle));
    ASSERT_TRUE(wave->InitializePolar(device(), 4000, 40, 300, 4500, 500, 30, nullptr));
    std::vector<SimPathSample> path(64);
    for (size_t i = 0; i < path.size(); ++i) {
        SimPathSample s = {1000, {LONG(10 * i), LONG(5 * i), 10000, 5000, 0, 0, 0}};
        path[i] = s;
    }
    std::vector<SimForce> first(path.size()), second(path.size());
    ASSERT_TRUE(wave->Start(1, 0));
    ASSERT_EQ(sim().render_path(path.data(), unsigned(path.size()), first.data()), path.size());
    sim().log_clear();
    ASSERT_TRUE(wave->Start(1, 0));
    ASSERT_EQ(sim().render_path(path.data(), unsigned(path.size()), second.data()), path.size());
    for (size_t i = 0; i < path.size(); ++i)
        EXPECT_EQ(first[i], second[i]) << "sample " << i;
    // The wave itself: 4000 around 500, phase 30°, from the north-east. At 1 ms of 40 ms the
    // triangle is 30° + 9° = 39° into its cycle: 500 + 4000 × (1 − 4 × 39/360) = 2766.67,
    // pushing the pointer south-west by 2766.67 × 0.7071 on each axis.
    EXPECT_EQ(first[0], force(-1956, 1956));
}

}  // namespace
