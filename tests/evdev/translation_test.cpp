// The exact ff_effect the kernel receives for every kind, both direction forms, and values at
// their edges.
#include "tests/evdev/evtest.h"

#include <cstring>
#include <functional>

namespace evtest {
namespace {

struct Case {
    const char* name;
    const GUID* kind;
    Record record;
    std::function<void(ff_effect&)> expect;  // fills what differs from an empty effect
    HRESULT result;
};

ff_effect base(unsigned short type, unsigned short direction, unsigned short length) {
    ff_effect e;
    std::memset(&e, 0, sizeof e);
    e.type = type;
    e.id = 0;
    e.direction = direction;
    e.replay.length = length;
    return e;
}

DICONDITION cond(LONG offset, LONG pos, LONG neg, DWORD posSat, DWORD negSat, LONG deadBand) {
    return DICONDITION{offset, pos, neg, posSat, negSat, deadBand};
}

std::vector<Case> cases() {
    const DICONDITION xy[2] = {cond(1000, 10000, -5000, 10000, 2000, 500), cond(-10000, 3000, 3000, 5000, 5000, 0)};
    const DICONDITION one[1] = {cond(1000, 10000, -5000, 10000, 2000, 500)};
    auto conditionXY = [](ff_effect& e) {
        e.u.condition[0] = {65535, 13107, 32767, -16384, 3277, 3277};
        e.u.condition[1] = {32768, 32768, 9830, 9830, 0, -32767};
    };
    std::vector<Case> c;
    c.push_back({"constant polar, full", &GUID_ConstantForce, Record().polar(9000).constant(10000),
                 [](ff_effect& e) { e = base(FF_CONSTANT, 0x4000, 1000); e.u.constant.level = 32767; }, DI_OK});
    c.push_back({"constant polar 35999, negative", &GUID_ConstantForce, Record().polar(35999).constant(-10000),
                 [](ff_effect& e) { e = base(FF_CONSTANT, 65534, 1000); e.u.constant.level = -32767; }, DI_OK});
    c.push_back({"constant cartesian from east", &GUID_ConstantForce, Record().cartesian(1, 0).constant(5000),
                 [](ff_effect& e) { e = base(FF_CONSTANT, 0x4000, 1000); e.u.constant.level = 16384; }, DI_OK});
    c.push_back({"constant cartesian, length ignored", &GUID_ConstantForce, Record().cartesian(5, -10).constant(2500),
                 [](ff_effect& e) { e = base(FF_CONSTANT, 4836, 1000); e.u.constant.level = 8192; }, DI_OK});
    c.push_back({"constant cartesian from below left", &GUID_ConstantForce, Record().cartesian(-3, 4).constant(1),
                 [](ff_effect& e) { e = base(FF_CONSTANT, 39480, 1000); e.u.constant.level = 3; }, DI_OK});
    {
        Record r = Record().polar(27000).constant(10000).with_envelope(2000, 100000, 0, 1500);
        r.e.dwGain = 5000;
        r.e.dwDuration = INFINITE;
        c.push_back({"constant, half gain, envelope, infinite", &GUID_ConstantForce, r, [](ff_effect& e) {
                         e = base(FF_CONSTANT, 0xC000, 0);
                         e.u.constant.level = 16384;
                         e.u.constant.envelope = {100, 3277, 2, 0};
                     }, DI_OK});
    }
    {
        Record r = Record().polar(0).constant(12000);
        r.e.dwDuration = 40000000;
        c.push_back({"constant beyond full and too long: truncated", &GUID_ConstantForce, r, [](ff_effect& e) {
                         e = base(FF_CONSTANT, 0, 0x7FFF);
                         e.u.constant.level = 32767;
                     }, DI_TRUNCATED});
    }
    {
        Record r = Record().polar(0).constant(10000);
        r.e.dwGain = 0;
        r.e.dwDuration = 400;
        c.push_back({"constant, gain 0, under a millisecond", &GUID_ConstantForce, r,
                     [](ff_effect& e) { e = base(FF_CONSTANT, 0, 1); }, DI_OK});
    }
    {
        Record r = Record().polar(18000).ramp(-10000, 10000);
        r.e.dwFlags |= DIEFF_OBJECTOFFSETS;
        r.e.dwTriggerButton = DIJOFS_BUTTON(2);
        r.e.dwTriggerRepeatInterval = 250000;
        c.push_back({"ramp with trigger", &GUID_RampForce, r, [](ff_effect& e) {
                         e = base(FF_RAMP, 0x8000, 1000);
                         e.u.ramp.start_level = -32767;
                         e.u.ramp.end_level = 32767;
                         e.trigger = {BTN_TRIGGER + 2, 250};
                     }, DI_OK});
    }
    struct Wave {
        const GUID* kind;
        unsigned short waveform;
    };
    for (Wave w : {Wave{&GUID_Square, FF_SQUARE}, Wave{&GUID_Sine, FF_SINE}, Wave{&GUID_Triangle, FF_TRIANGLE},
                   Wave{&GUID_SawtoothUp, FF_SAW_UP}, Wave{&GUID_SawtoothDown, FF_SAW_DOWN}}) {
        Record r = Record().cartesian(1, -1).periodic(10000, -2000, 9000, 100000).with_envelope(10000, 0, 2000, 50000);
        r.e.dwGain = 5000;
        const unsigned short wave = w.waveform;
        c.push_back({"periodic", w.kind, r, [wave](ff_effect& e) {
                         e = base(FF_PERIODIC, 8192, 1000);
                         e.u.periodic.waveform = wave;
                         e.u.periodic.period = 100;
                         e.u.periodic.magnitude = 16384;
                         e.u.periodic.offset = -3277;
                         e.u.periodic.phase = 0x4000;
                         e.u.periodic.envelope = {0, 16384, 50, 3277};
                     }, DI_OK});
    }
    for (const GUID* kind : {&GUID_Spring, &GUID_Damper, &GUID_Inertia, &GUID_Friction}) {
        const unsigned short type = kind == &GUID_Spring    ? FF_SPRING
                                    : kind == &GUID_Damper  ? FF_DAMPER
                                    : kind == &GUID_Inertia ? FF_INERTIA
                                                            : FF_FRICTION;
        Record r = Record().cartesian(1, 1).condition(xy, 2);
        r.e.dwDuration = INFINITE;
        c.push_back({"condition per axis", kind, r, [type, conditionXY](ff_effect& e) {
                         e = base(type, 0x6000, 0);
                         conditionXY(e);
                     }, DI_OK});
    }
    {
        Record r = Record().cartesian(1, 1).condition(xy, 2);
        r.axes[0] = DIJOFS_Y;
        r.axes[1] = DIJOFS_X;
        c.push_back({"condition, axes named Y then X", &GUID_Spring, r, [](ff_effect& e) {
                         e = base(FF_SPRING, 0x6000, 1000);
                         e.u.condition[1] = {65535, 13107, 32767, -16384, 3277, 3277};
                         e.u.condition[0] = {32768, 32768, 9830, 9830, 0, -32767};
                     }, DI_OK});
    }
    c.push_back({"condition on the Y axis alone", &GUID_Damper, Record().one_axis(DIJOFS_Y).condition(one, 1),
                 [](ff_effect& e) {
                     e = base(FF_DAMPER, 0, 1000);
                     e.u.condition[1] = {65535, 13107, 32767, -16384, 3277, 3277};
                 }, DI_OK});
    c.push_back({"condition along the direction east", &GUID_Spring, Record().polar(9000).condition(one, 1),
                 [](ff_effect& e) {
                     e = base(FF_SPRING, 0x4000, 1000);
                     e.u.condition[0] = {65535, 13107, 32767, -16384, 3277, 3277};
                     e.u.condition[1] = {0, 0, 0, 0, 3277, 0};
                 }, DI_OK});
    return c;
}

TEST_F(EvdevTest, EveryKindReachesTheKernelWithExactFields) {
    kernel().add("event0", wheel());
    Joystick joy;
    ASSERT_EQ(joy.result(), DI_OK);
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.name);
        kernel().clear_records();
        IDirectInputEffect* effect = nullptr;
        EXPECT_EQ(joy->CreateEffect(*c.kind, &c.record.e, &effect, nullptr), c.result);
        ASSERT_NE(effect, nullptr);
        ASSERT_EQ(kernel().uploads().size(), 1u);
        ff_effect expected;
        c.expect(expected);
        EXPECT_EQ(describe(kernel().uploads()[0].effect), describe(expected)) << c.name;
        effect->Release();
        EXPECT_TRUE(kernel().effects("event0").empty()) << c.name << ": released, still on the device";
    }
}

// What DirectInput refuses reaches the kernel not at all.
TEST_F(EvdevTest, InvalidRecordsUploadNothing) {
    kernel().add("event0", wheel());
    Joystick joy;
    ASSERT_EQ(joy.result(), DI_OK);
    struct Bad {
        const char* name;
        const GUID* kind;
        Record record;
    };
    std::vector<Bad> bad;
    Record infiniteRamp = Record().ramp(0, 10000);
    infiniteRamp.e.dwDuration = INFINITE;
    bad.push_back({"ramp without end", &GUID_RampForce, infiniteRamp});
    bad.push_back({"block of the wrong size", &GUID_ConstantForce, Record().periodic(1, 0, 0, 1)});
    Record zAxis = Record().constant(1);
    zAxis.axes[1] = DIJOFS_Z;
    bad.push_back({"Z is no force axis", &GUID_ConstantForce, zAxis});
    Record sameAxis = Record().constant(1);
    sameAxis.axes[1] = DIJOFS_X;
    bad.push_back({"an axis twice", &GUID_ConstantForce, sameAxis});
    Record polarY = Record().constant(1);
    polarY.direction[1] = 5;
    bad.push_back({"polar with a second value", &GUID_ConstantForce, polarY});
    Record button = Record().constant(1);
    button.e.dwTriggerButton = DIJOFS_BUTTON(8);  // the wheel has 8 buttons
    bad.push_back({"trigger the device lacks", &GUID_ConstantForce, button});
    Record envelope = Record().constant(1).with_envelope(0, 0, 0, 0);
    envelope.envelope.dwSize = 4;
    bad.push_back({"envelope of the wrong size", &GUID_ConstantForce, envelope});
    for (const Bad& b : bad) {
        IDirectInputEffect* effect = reinterpret_cast<IDirectInputEffect*>(1);
        EXPECT_EQ(joy->CreateEffect(*b.kind, &b.record.e, &effect, nullptr), DIERR_INVALIDPARAM) << b.name;
        EXPECT_EQ(effect, nullptr) << b.name;
    }
    EXPECT_TRUE(kernel().uploads().empty());
}

}  // namespace
}  // namespace evtest
