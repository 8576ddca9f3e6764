// Effects on the software force mouse: what it accepts, what it keeps, how it plays them.
#include "simtest.h"

namespace {

using simtest::MouseRecord;
using simtest::MouseRig;

class MouseEffectTest : public MouseRig {
protected:
    HRESULT create_effect(const TACTRA_EFFECT& e, ITactraEffect** out) {
        *out = nullptr;
        return device->CreateEffect(&e, out, nullptr);
    }
    SimEffectState state(unsigned index = 0) {
        SimEffectState s = {};
        EXPECT_TRUE(sim.effect_get(index, &s));
        return s;
    }
};

TEST_F(MouseEffectTest, EveryKindIsCreatedFromAWholeRecord) {
    unsigned count = 0;
    const tkl::EffectKind* kinds = tkl::effect_kinds(&count);
    ASSERT_EQ(count, 17u);
    for (unsigned i = 0; i < count; ++i) {
        MouseRecord r(*kinds[i].kind);
        ITactraEffect* effect = nullptr;
        EXPECT_EQ(create_effect(r.e, &effect), S_OK) << std::hex << kinds[i].kind->Data1;
        if (effect)
            effect->Release();
    }
    EXPECT_EQ(sim.effect_count(), 0u) << "released effects are gone";
}

TEST_F(MouseEffectTest, RecordsAreCheckedLikeADriverDoes) {
    struct Case {
        const char* what;
        void (*spoil)(MouseRecord&);
        HRESULT result;
    };
    const Case cases[] = {
        {"size", [](MouseRecord& r) { r.e.dwSize = sizeof(TACTRA_EFFECT) - 4; }, TACTRA_ERROR_INVALIDPARAM},
        {"unknown kind", [](MouseRecord& r) { r.e.guid.Data1 = 0x5959DF80; }, TACTRA_ERROR_DEVICENOTREG},
        {"foreign kind", [](MouseRecord& r) { r.e.guid = GUID_Spring; }, TACTRA_ERROR_DEVICENOTREG},
        {"no axes", [](MouseRecord& r) { r.e.cAxes = 0; }, TACTRA_ERROR_INVALIDPARAM},
        {"three axes", [](MouseRecord& r) { r.e.cAxes = 3; }, TACTRA_ERROR_INVALIDPARAM},
        {"axis array", [](MouseRecord& r) { r.e.rgdwAxes = nullptr; }, TACTRA_ERROR_INVALIDPARAM},
        {"unknown axis", [](MouseRecord& r) { r.axes[1] = 8; }, TACTRA_ERROR_INVALIDPARAM},
        {"axis twice", [](MouseRecord& r) { r.axes[1] = 0; }, TACTRA_ERROR_INVALIDPARAM},
        {"no axis naming", [](MouseRecord& r) { r.e.dwFlags = TACTRA_FEFFECT_CARTESIAN; }, TACTRA_ERROR_INVALIDPARAM},
        {"direction array", [](MouseRecord& r) { r.e.rglDirection = nullptr; }, TACTRA_ERROR_INVALIDPARAM},
        {"two coordinate systems", [](MouseRecord& r) { r.e.dwFlags |= TACTRA_FEFFECT_POLAR; }, TACTRA_ERROR_INVALIDPARAM},
        {"polar on one axis", [](MouseRecord& r) { r.e.cAxes = 1; r.e.cbTypeSpecificParams = sizeof(TACTRA_CONDITION); r.e.dwFlags = 0x22; }, TACTRA_ERROR_INVALIDPARAM},
        {"gain", [](MouseRecord& r) { r.e.dwGain = 10001; }, TACTRA_ERROR_INVALIDPARAM},
        {"trigger button", [](MouseRecord& r) { r.e.dwTriggerButton = 3; }, TACTRA_ERROR_INVALIDPARAM},
        {"envelope size", [](MouseRecord& r) { r.envelope.dwSize = 16; r.e.lpEnvelope = &r.envelope; }, TACTRA_ERROR_INVALIDPARAM},
        {"block size", [](MouseRecord& r) { r.e.cbTypeSpecificParams = 36; }, TACTRA_ERROR_INVALIDPARAM},
        {"no block", [](MouseRecord& r) { r.e.lpvTypeSpecificParams = nullptr; }, TACTRA_ERROR_INVALIDPARAM},
    };
    for (const Case& c : cases) {
        MouseRecord r(GUID_Tactra_Spring);
        c.spoil(r);
        ITactraEffect* effect = nullptr;
        EXPECT_EQ(create_effect(r.e, &effect), c.result) << c.what;
        EXPECT_EQ(effect, nullptr) << c.what;
        if (effect)
            effect->Release();
    }
    // Blocks of the other layouts.
    MouseRecord texture(GUID_Tactra_Texture);
    reinterpret_cast<TACTRA_TEXTURE*>(texture.block)[1].dwSize = 0;
    ITactraEffect* effect = nullptr;
    EXPECT_EQ(create_effect(texture.e, &effect), TACTRA_ERROR_INVALIDPARAM) << "texture record size";
    MouseRecord constant(GUID_Tactra_ConstantForce);
    constant.e.cbTypeSpecificParams = sizeof(TACTRA_RAMPFORCE);
    EXPECT_EQ(create_effect(constant.e, &effect), TACTRA_ERROR_INVALIDPARAM) << "ramp block for a constant";
    MouseRecord oneAxis(GUID_Tactra_Spring);
    oneAxis.e.cAxes = 1;
    oneAxis.e.cbTypeSpecificParams = sizeof(TACTRA_CONDITION);
    EXPECT_EQ(create_effect(oneAxis.e, &effect), S_OK) << "one axis, one condition";
    effect->Release();
    EXPECT_EQ(device->Unacquire(), S_OK);
    MouseRecord fine(GUID_Tactra_Spring);
    EXPECT_EQ(create_effect(fine.e, &effect), TACTRA_ERROR_NOTACQUIRED);
}

TEST_F(MouseEffectTest, TheDeviceHoldsOnlyItsCapacity) {
    sim.set_capacity(2);
    MouseRecord r(GUID_Tactra_Damper);
    ITactraEffect* effects[3] = {};
    EXPECT_EQ(create_effect(r.e, &effects[0]), S_OK);
    EXPECT_EQ(create_effect(r.e, &effects[1]), S_OK);
    EXPECT_EQ(create_effect(r.e, &effects[2]), TACTRA_ERROR_DEVICEFULL);
    EXPECT_EQ(effects[2], nullptr);
    EXPECT_EQ(effects[0]->Unload(), S_OK);
    EXPECT_EQ(create_effect(r.e, &effects[2]), S_OK) << "an unloaded effect makes room";
    EXPECT_EQ(effects[0]->Start(1, 0), TACTRA_ERROR_DEVICEFULL) << "downloading again needs room";
    EXPECT_EQ(effects[0]->Start(1, TACTRA_ES_NODOWNLOAD), TACTRA_ERROR_NOTDOWNLOADED);
    for (ITactraEffect* e : effects)
        e->Release();
}

TEST_F(MouseEffectTest, ParametersAreDeepCopiesAndChangesReadOnlyTheMaskedFields) {
    MouseRecord r(GUID_Tactra_Spring);
    r.e.lpEnvelope = &r.envelope;
    r.envelope.dwAttackLevel = 1234;
    reinterpret_cast<TACTRA_CONDITION*>(r.block)[1].lPositiveCoefficient = 4000;
    ITactraEffect* effect = nullptr;
    ASSERT_EQ(create_effect(r.e, &effect), S_OK);
    // The caller's buffers change afterwards; the device keeps what it received.
    r.dirs[0] = 99;
    r.envelope.dwAttackLevel = 1;
    reinterpret_cast<TACTRA_CONDITION*>(r.block)[1].lPositiveCoefficient = 1;
    SimEffectState s = state();
    EXPECT_EQ(s.params.rglDirection[0], 1);
    EXPECT_EQ(s.params.envelope.dwAttackLevel, 1234u);
    TACTRA_CONDITION kept[2];
    std::memcpy(kept, s.params.typeSpecific, sizeof kept);
    EXPECT_EQ(kept[1].lPositiveCoefficient, 4000);
    EXPECT_TRUE(s.downloaded);

    // Only the gain is flagged: every other field may be anything at all.
    TACTRA_EFFECT change;
    std::memset(&change, 0xCD, sizeof change);
    change.dwSize = sizeof change;
    change.dwGain = 2500;
    change.rgdwAxes = nullptr;
    change.rglDirection = nullptr;
    change.lpEnvelope = nullptr;
    change.lpvTypeSpecificParams = nullptr;
    EXPECT_EQ(effect->SetParameters(&change, TACTRA_EP_GAIN), S_OK);
    s = state();
    EXPECT_EQ(s.params.dwGain, 2500u);
    EXPECT_EQ(s.params.dwDuration, TACTRA_INFINITE) << "unflagged fields stay";
    EXPECT_EQ(s.params.cAxes, 2u);
    EXPECT_TRUE(s.params.hasEnvelope);
    SimCall logged = {};
    sim.log_get(sim.log_count() - 1, &logged);
    EXPECT_STREQ(logged.op, "SetParameters");
    EXPECT_EQ(logged.args[0], TACTRA_EP_GAIN);
    EXPECT_EQ(logged.params.dwGain, 2500u);
    EXPECT_EQ(logged.params.dwDuration, 0u) << "unread fields are logged as 0";
    EXPECT_FALSE(logged.params.hasTypeSpecific);

    // Direction and envelope together; the envelope removed.
    r.dirs[0] = -5;
    r.e.lpEnvelope = nullptr;
    EXPECT_EQ(effect->SetParameters(&r.e, TACTRA_EP_DIRECTION | TACTRA_EP_ENVELOPE), S_OK);
    s = state();
    EXPECT_EQ(s.params.rglDirection[0], -5);
    EXPECT_FALSE(s.params.hasEnvelope);
    EXPECT_EQ(effect->SetParameters(&r.e, 0x200), TACTRA_ERROR_INVALIDPARAM) << "unknown mask bit";

    // Read back through the interface.
    TACTRA_EFFECT back = {};
    DWORD axes[2] = {}, small[1] = {};
    LONG dirs[2] = {};
    TACTRA_CONDITION block[2] = {};
    back.dwSize = sizeof back;
    back.cAxes = 1;
    back.rgdwAxes = small;
    EXPECT_EQ(effect->GetParameters(&back, TACTRA_EP_AXES), HRESULT(0x80040202));
    EXPECT_EQ(back.cAxes, 2u) << "the count needed";
    back.rgdwAxes = axes;
    back.rglDirection = dirs;
    back.lpvTypeSpecificParams = block;
    back.cbTypeSpecificParams = sizeof block;
    ASSERT_EQ(effect->GetParameters(&back, TACTRA_EP_ALLPARAMS), S_OK);
    EXPECT_EQ(back.dwGain, 2500u);
    EXPECT_EQ(axes[1], TACTRA_AXIS_Y);
    EXPECT_EQ(dirs[0], -5);
    EXPECT_EQ(block[1].lPositiveCoefficient, 4000);
    EXPECT_EQ(back.lpEnvelope, nullptr);
    EXPECT_TRUE(IsEqualGUID(back.guid, GUID_Tactra_Spring));
    effect->Release();
}

TEST_F(MouseEffectTest, EffectsPlayStopAndAreResetWithTheDevice) {
    MouseRecord r(GUID_Tactra_Sine);
    ITactraEffect* a = nullptr;
    ITactraEffect* b = nullptr;
    ASSERT_EQ(create_effect(r.e, &a), S_OK);
    ASSERT_EQ(create_effect(r.e, &b), S_OK);
    DWORD status = 99;
    EXPECT_EQ(a->Start(3, 0), S_OK);
    EXPECT_EQ(b->Start(1, 0), S_OK);
    EXPECT_EQ(a->GetEffectStatus(&status), S_OK);
    EXPECT_EQ(status, TACTRA_EGES_PLAYING);
    EXPECT_EQ(state(0).iterations, 3u);
    EXPECT_EQ(b->Start(2, TACTRA_ES_SOLO), S_OK);
    EXPECT_FALSE(state(0).playing) << "solo stops the others";
    EXPECT_TRUE(state(1).playing);
    EXPECT_EQ(b->Stop(), S_OK);
    EXPECT_FALSE(state(1).playing);
    EXPECT_EQ(a->Start(0, 0), TACTRA_ERROR_INVALIDPARAM);
    EXPECT_EQ(a->Start(1, 0x10), TACTRA_ERROR_INVALIDPARAM);
    EXPECT_EQ(a->Start(1, 0), S_OK);
    EXPECT_EQ(device->Unacquire(), S_OK);
    EXPECT_FALSE(state(0).playing) << "unacquiring resets the device";
    EXPECT_FALSE(state(0).downloaded);
    EXPECT_EQ(a->Start(1, 0), TACTRA_ERROR_NOTACQUIRED);
    EXPECT_EQ(state(0).refCount, 1u);
    EXPECT_EQ(a->AddRef(), 2u);
    EXPECT_EQ(state(0).refCount, 2u);
    a->Release();
    a->Release();
    b->Release();
}

TEST_F(MouseEffectTest, EffectsKeepTheirDeviceAlive) {
    MouseRecord r(GUID_Tactra_Friction);
    ITactraEffect* effect = nullptr;
    ASSERT_EQ(create_effect(r.e, &effect), S_OK);
    EXPECT_EQ(device->Release(), 1u) << "held by the effect";
    device = nullptr;
    EXPECT_EQ(api->Release(), 1u) << "held by the device";
    api = nullptr;
    EXPECT_EQ(sim.live_objects(), 3u);
    EXPECT_EQ(effect->Stop(), S_OK) << "the device behind it still works";
    EXPECT_EQ(effect->Release(), 0u);
    EXPECT_EQ(sim.live_objects(), 0u) << "the chain goes with the last reference";
}

}  // namespace

namespace {

struct Visit {
    unsigned seen;
    bool releaseEach;
};

BOOL CALLBACK visit(ITactraEffect* effect, void* context) {
    Visit* v = static_cast<Visit*>(context);
    ++v->seen;
    if (v->releaseEach)
        effect->Release();
    return TACTRA_ENUM_CONTINUE;
}

TEST_F(MouseEffectTest, DeviceCommandsActOnTheEffectsAndTheActuators) {
    MouseRecord r(GUID_Tactra_Inertia);
    ITactraEffect* a = nullptr;
    ITactraEffect* b = nullptr;
    ASSERT_EQ(create_effect(r.e, &a), S_OK);
    ASSERT_EQ(create_effect(r.e, &b), S_OK);
    DWORD ff = 0;
    ASSERT_EQ(device->GetForceFeedbackState(&ff), S_OK);
    EXPECT_EQ(ff & 0x30u, 0x20u) << "actuators off until property 15 turns them on";
    TACTRA_PROPDWORD on = {{sizeof on, sizeof on.diph, 0, 0}, 1};
    ASSERT_EQ(device->SetProperty(TACTRA_PROP_FORCEOUTPUT, &on.diph), S_OK);
    ASSERT_EQ(device->GetForceFeedbackState(&ff), S_OK);
    EXPECT_EQ(ff & 0x30u, 0x10u);
    EXPECT_EQ(device->SendForceFeedbackCommand(0x20), S_OK);  // actuators off
    DWORD value = 1;
    ASSERT_TRUE(sim.get_property(TACTRA_PROP_FORCEOUTPUT, &value, 1));
    EXPECT_EQ(value, 0u);
    EXPECT_EQ(a->Start(1, 0), S_OK);
    EXPECT_EQ(device->SendForceFeedbackCommand(0x01), S_OK);  // reset: all stopped and unloaded
    EXPECT_FALSE(state(0).playing);
    EXPECT_FALSE(state(0).downloaded);
    EXPECT_EQ(device->SendForceFeedbackCommand(0x40), TACTRA_ERROR_INVALIDPARAM);

    Visit counted = {0, false};
    EXPECT_EQ(device->EnumCreatedEffectObjects(visit, &counted, 0), S_OK);
    EXPECT_EQ(counted.seen, 2u);
    Visit releasing = {0, true};
    EXPECT_EQ(device->EnumCreatedEffectObjects(visit, &releasing, 0), S_OK);
    EXPECT_EQ(releasing.seen, 2u) << "releasing the effect in hand does not stop the walk";
    EXPECT_EQ(sim.effect_count(), 0u);
}

}  // namespace
