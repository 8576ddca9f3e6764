// The module under the kernel's rules: kinds and waveforms the device declares, its effect
// memory, ids, updates in place, playback events, gain and autocenter, commands, status.
#include "tests/evdev/evtest.h"

#include <climits>

namespace evtest {
namespace {

// The EV_FF events written to a node, as (code, value).
std::vector<std::pair<int, int>> ff_events(const FakeKernel& k) {
    std::vector<std::pair<int, int>> out;
    for (const Written& w : k.written())
        if (w.event.type == EV_FF)
            out.push_back({w.event.code, w.event.value});
    return out;
}

using Events = std::vector<std::pair<int, int>>;

TEST_F(EvdevTest, KindsAndWaveformsTheDeviceLacksAreRefused) {
    FakeDevice pad = gamepad();
    pad.ff.erase(FF_TRIANGLE);
    kernel().add("event0", pad);
    Joystick joy;
    ASSERT_EQ(joy.result(), DI_OK);
    const GUID* refused[] = {&GUID_Spring, &GUID_Damper, &GUID_Inertia, &GUID_Friction,
                             &GUID_RampForce, &GUID_Triangle, &GUID_CustomForce};
    DICONDITION c[2] = {};
    for (const GUID* kind : refused) {
        Record r = Record().condition(c, 2);
        if (kind == &GUID_RampForce)
            r.ramp(0, 1);
        if (kind == &GUID_Triangle)
            r.periodic(1, 0, 0, 1000);
        IDirectInputEffect* effect = nullptr;
        EXPECT_EQ(joy->CreateEffect(*kind, &r.e, &effect, nullptr), DIERR_DEVICENOTREG);
        EXPECT_EQ(effect, nullptr);
        DIEFFECTINFOA info;
        info.dwSize = sizeof info;
        EXPECT_EQ(joy->GetEffectInfo(&info, *kind), DIERR_DEVICENOTREG);
    }
    EXPECT_TRUE(kernel().uploads().empty());
    // What is offered is what plays: constant and four waveforms.
    std::vector<GUID> offered;
    joy->EnumEffects([](LPCDIEFFECTINFOA info, LPVOID ref) -> BOOL {
        static_cast<std::vector<GUID>*>(ref)->push_back(info->guid);
        return DIENUM_CONTINUE;
    }, &offered, DIEFT_ALL);
    ASSERT_EQ(offered.size(), 5u);
    EXPECT_TRUE(IsEqualGUID(offered[0], GUID_ConstantForce));
    EXPECT_TRUE(IsEqualGUID(offered[4], GUID_SawtoothDown));
}

TEST_F(EvdevTest, FullDeviceRefusesAndFreedIdsAreReused) {
    FakeDevice w = wheel();
    w.maxEffects = 2;
    kernel().add("event0", w);
    Joystick joy;
    ASSERT_EQ(joy.result(), DI_OK);
    Record r = Record().constant(100);
    IDirectInputEffect* a = nullptr;
    IDirectInputEffect* b = nullptr;
    IDirectInputEffect* c = nullptr;
    ASSERT_EQ(joy->CreateEffect(GUID_ConstantForce, &r.e, &a, nullptr), DI_OK);
    ASSERT_EQ(joy->CreateEffect(GUID_ConstantForce, &r.e, &b, nullptr), DI_OK);
    EXPECT_EQ(joy->CreateEffect(GUID_ConstantForce, &r.e, &c, nullptr), DIERR_DEVICEFULL);
    EXPECT_EQ(c, nullptr);
    // An effect made without downloading it waits; its download finds the memory full too.
    ASSERT_EQ(joy->CreateEffect(GUID_ConstantForce, nullptr, &c, nullptr), DI_OK);
    EXPECT_EQ(c->SetParameters(&r.e, DIEP_ALLPARAMS | DIEP_NODOWNLOAD), DI_DOWNLOADSKIPPED);
    EXPECT_EQ(c->Download(), DIERR_DEVICEFULL);
    a->Release();  // id 0 is free again
    EXPECT_EQ(c->Start(1, 0), DI_OK);
    ASSERT_EQ(kernel().uploads().size(), 3u);
    EXPECT_EQ(kernel().uploads()[0].effect.id, 0);
    EXPECT_EQ(kernel().uploads()[1].effect.id, 1);
    EXPECT_EQ(kernel().uploads()[2].effect.id, 0);
    EXPECT_EQ(kernel().effects("event0"), (std::map<int, int>{{0, 1}, {1, 0}}));
    b->Release();
    c->Release();
    EXPECT_TRUE(kernel().effects("event0").empty());
}

TEST_F(EvdevTest, ChangesUpdateTheSameEffectInPlace) {
    kernel().add("event0", wheel());
    Joystick joy;
    ASSERT_EQ(joy.result(), DI_OK);
    Record r = Record().polar(0).periodic(5000, 0, 0, 100000);
    IDirectInputEffect* effect = nullptr;
    ASSERT_EQ(joy->CreateEffect(GUID_Sine, &r.e, &effect, nullptr), DI_OK);
    ASSERT_EQ(effect->Start(3, 0), DI_OK);
    Record change = Record().polar(9000).periodic(10000, 0, 0, 50000);
    change.e.dwGain = 5000;
    EXPECT_EQ(effect->SetParameters(&change.e, DIEP_DIRECTION | DIEP_TYPESPECIFICPARAMS | DIEP_GAIN), DI_OK);
    ASSERT_EQ(kernel().uploads().size(), 2u);
    const Upload& u = kernel().uploads()[1];
    EXPECT_TRUE(u.update);
    EXPECT_EQ(u.effect.id, kernel().uploads()[0].effect.id);
    EXPECT_EQ(u.effect.direction, 0x4000);
    EXPECT_EQ(u.effect.u.periodic.magnitude, 16384);
    EXPECT_EQ(u.effect.u.periodic.period, 50);
    EXPECT_EQ(u.effect.replay.length, 1000) << "what the mask leaves out is kept";
    // Still playing: the kernel keeps an updated effect going.
    EXPECT_EQ(kernel().effects("event0").begin()->second, 3);
    // Not downloaded when told so; downloaded with the next start.
    EXPECT_EQ(effect->SetParameters(&r.e, DIEP_DURATION | DIEP_NODOWNLOAD), DI_DOWNLOADSKIPPED);
    EXPECT_EQ(kernel().uploads().size(), 2u);
    effect->Release();
}

TEST_F(EvdevTest, StartStopAndUnloadWriteTheKernelsEvents) {
    kernel().add("event0", wheel());
    Joystick joy;
    ASSERT_EQ(joy.result(), DI_OK);
    Record r = Record().constant(100);
    IDirectInputEffect* a = nullptr;
    IDirectInputEffect* b = nullptr;
    ASSERT_EQ(joy->CreateEffect(GUID_ConstantForce, &r.e, &a, nullptr), DI_OK);
    ASSERT_EQ(joy->CreateEffect(GUID_ConstantForce, &r.e, &b, nullptr), DI_OK);
    kernel().clear_records();
    EXPECT_EQ(a->Start(2, 0), DI_OK);
    EXPECT_EQ(b->Start(INFINITE, 0), DI_OK);
    EXPECT_EQ(a->Start(1, DIES_SOLO), DI_OK);  // stops b first
    EXPECT_EQ(a->Stop(), DI_OK);
    EXPECT_EQ(a->Start(0, 0), DIERR_INVALIDPARAM) << "zero plays would be a stop";
    EXPECT_EQ(ff_events(kernel()), (Events{{0, 2}, {1, INT_MAX}, {1, 0}, {0, 1}, {0, 0}}));
    // Erasing a playing effect stops it; the id is gone from the device.
    EXPECT_EQ(b->Start(1, 0), DI_OK);
    EXPECT_EQ(b->Unload(), DI_OK);
    EXPECT_EQ(kernel().effects("event0"), (std::map<int, int>{{0, 0}}));
    EXPECT_EQ(b->Start(1, DIES_NODOWNLOAD), DIERR_NOTDOWNLOADED);
    EXPECT_EQ(b->Start(1, 0), DI_OK) << "a start downloads it again";
    a->Release();
    b->Release();
}

TEST_F(EvdevTest, GainAutocenterAndCommands) {
    kernel().add("event0", wheel());
    kernel().add("event1", gamepad());  // no autocenter
    {
        Joystick joy;
        ASSERT_EQ(joy.result(), DI_OK);
        DIPROPDWORD p = {{sizeof(DIPROPDWORD), sizeof(DIPROPHEADER), 0, DIPH_DEVICE}, 2500};
        EXPECT_EQ(set_property(joy.get(), 7, p.diph), DI_OK);
        EXPECT_EQ(kernel().gain("event0"), 16384u);
        p.dwData = 10001;
        EXPECT_EQ(set_property(joy.get(), 7, p.diph), DIERR_INVALIDPARAM);
        p.dwData = DIPROPAUTOCENTER_OFF;
        EXPECT_EQ(set_property(joy.get(), 9, p.diph), DIERR_ACQUIRED);
        joy->Unacquire();
        kernel().clear_records();
        p.dwData = DIPROPAUTOCENTER_ON;
        EXPECT_EQ(set_property(joy.get(), 9, p.diph), DI_OK);
        EXPECT_EQ(kernel().autocenter("event0"), 0xFFFFu);
        EXPECT_EQ(joy->Acquire(), DI_OK);  // and the kernel gets our gain again
        EXPECT_EQ(ff_events(kernel()), (Events{{FF_AUTOCENTER, 0xFFFF}, {FF_GAIN, 16384}}));

        Record r = Record().constant(100);
        IDirectInputEffect* e = nullptr;
        ASSERT_EQ(joy->CreateEffect(GUID_ConstantForce, &r.e, &e, nullptr), DI_OK);
        ASSERT_EQ(e->Start(1, 0), DI_OK);
        EXPECT_EQ(joy->SendForceFeedbackCommand(DISFFC_STOPALL), DI_OK);
        EXPECT_EQ(kernel().effects("event0").begin()->second, 0);
        for (DWORD cannot : {DWORD(DISFFC_PAUSE), DWORD(DISFFC_CONTINUE), DWORD(DISFFC_SETACTUATORSON),
                             DWORD(DISFFC_SETACTUATORSOFF)})
            EXPECT_EQ(joy->SendForceFeedbackCommand(cannot), DIERR_UNSUPPORTED) << cannot;
        EXPECT_EQ(joy->SendForceFeedbackCommand(DISFFC_STOPALL | DISFFC_RESET), DIERR_INVALIDPARAM);
        EXPECT_EQ(joy->SendForceFeedbackCommand(DISFFC_RESET), DI_OK);
        EXPECT_TRUE(kernel().effects("event0").empty());
        DWORD state = 0;
        EXPECT_EQ(joy->GetForceFeedbackState(&state), DI_OK);
        EXPECT_EQ(state, DWORD(DIGFFS_EMPTY | DIGFFS_STOPPED));
        e->Release();
    }
    // The gamepad is the second node: its joystick is opened by GUID.
    IDirectInputA* root = direct_input();
    ASSERT_NE(root, nullptr);
    const std::vector<DIDEVICEINSTANCEA> found = enumerate(root);
    ASSERT_EQ(found.size(), 2u);
    IDirectInputDeviceA* pad = nullptr;
    ASSERT_EQ(root->CreateDevice(found[1].guidInstance, &pad, nullptr), DI_OK);
    DIPROPDWORD p = {{sizeof(DIPROPDWORD), sizeof(DIPROPHEADER), 0, DIPH_DEVICE}, DIPROPAUTOCENTER_OFF};
    EXPECT_EQ(set_property(pad, 9, p.diph), DIERR_UNSUPPORTED);
    pad->Release();
    root->Release();
}

TEST_F(EvdevTest, StatusFromTheClockAndFromTheDevicesEvents) {
    FakeDevice talking = wheel();
    talking.reportsStatus = true;
    kernel().add("event0", wheel());
    kernel().add("event1", talking);
    Joystick joy;  // the silent wheel
    ASSERT_EQ(joy.result(), DI_OK);
    Record r = Record().constant(100);
    r.e.dwDuration = 200000;
    IDirectInputEffect* e = nullptr;
    ASSERT_EQ(joy->CreateEffect(GUID_ConstantForce, &r.e, &e, nullptr), DI_OK);
    DWORD status = 7;
    EXPECT_EQ(e->GetEffectStatus(&status), DI_OK);
    EXPECT_EQ(status, 0u);
    ASSERT_EQ(e->Start(3, 0), DI_OK);
    kernel().advance(599);
    EXPECT_EQ(e->GetEffectStatus(&status), DI_OK);
    EXPECT_EQ(status, DWORD(DIEGES_PLAYING));
    kernel().advance(1);
    EXPECT_EQ(e->GetEffectStatus(&status), DI_OK);
    EXPECT_EQ(status, 0u) << "three plays of 200 ms are over";
    e->Release();
    // On a device that reports, its word counts: stopped by the device before the time is up.
    kernel().unplug("event0");
    Joystick talker;
    ASSERT_EQ(talker.result(), DI_OK);
    r.e.dwDuration = INFINITE;
    ASSERT_EQ(talker->CreateEffect(GUID_ConstantForce, &r.e, &e, nullptr), DI_OK);
    ASSERT_EQ(e->Start(1, 0), DI_OK);
    EXPECT_EQ(e->GetEffectStatus(&status), DI_OK);
    EXPECT_EQ(status, DWORD(DIEGES_PLAYING));
    ASSERT_EQ(talker->SendForceFeedbackCommand(DISFFC_STOPALL), DI_OK);
    EXPECT_EQ(e->GetEffectStatus(&status), DI_OK);
    EXPECT_EQ(status, 0u);
    e->Release();
}

TEST_F(EvdevTest, ForceFeedbackNeedsExclusiveAcquisition) {
    kernel().add("event0", wheel());
    Joystick joy;
    ASSERT_EQ(joy.result(), DI_OK);
    Record r = Record().constant(100);
    IDirectInputEffect* e = nullptr;
    ASSERT_EQ(joy->CreateEffect(GUID_ConstantForce, &r.e, &e, nullptr), DI_OK);
    ASSERT_EQ(e->Start(1, 0), DI_OK);
    EXPECT_EQ(joy->Unacquire(), DI_OK);
    EXPECT_TRUE(kernel().effects("event0").empty()) << "leaving exclusive use unloads";
    EXPECT_EQ(e->Start(1, 0), DIERR_NOTEXCLUSIVEACQUIRED);
    EXPECT_EQ(joy->SendForceFeedbackCommand(DISFFC_STOPALL), DIERR_NOTEXCLUSIVEACQUIRED);
    EXPECT_EQ(e->SetParameters(&r.e, DIEP_ALLPARAMS), DI_DOWNLOADSKIPPED);
    ASSERT_EQ(joy->SetCooperativeLevel(nullptr, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND), DI_OK);
    ASSERT_EQ(joy->Acquire(), DI_OK);
    EXPECT_EQ(e->Start(1, 0), DIERR_NOTEXCLUSIVEACQUIRED);
    EXPECT_TRUE(kernel().uploads().size() == 1u);
    e->Release();
}

}  // namespace
}  // namespace evtest
