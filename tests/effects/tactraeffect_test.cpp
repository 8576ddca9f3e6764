// The effect base on both devices: what each change sends, failures, lifetime and copies.
#include "tests/effects/devicefixture.h"

#include <cstring>
#include <functional>
#include <memory>
#include <utility>

using namespace fxtest;

namespace {

// A complete constant-force record, as a project hands it over.
struct ConstantRecord {
    DWORD axes[2] = {TACTRA_AXIS_X, TACTRA_AXIS_Y};
    LONG direction[2] = {1, 0};
    TACTRA_CONSTANTFORCE force = {5000};
    TACTRA_EFFECT record() {
        TACTRA_EFFECT r = {};
        r.dwSize = sizeof r;
        r.guid = GUID_Tactra_RampForce;  // the object's kind must win over this
        r.dwFlags = TACTRA_FEFFECT_CARTESIAN | TACTRA_FEFFECT_OBJECTOFFSETS;
        r.dwDuration = 1000000;
        r.dwGain = 10000;
        r.dwTriggerButton = TACTRA_NOTRIGGER;
        r.cAxes = 2;
        r.rgdwAxes = axes;
        r.rglDirection = direction;
        r.cbTypeSpecificParams = sizeof force;
        r.lpvTypeSpecificParams = &force;
        return r;
    }
};

class EffectBase : public Devices {
protected:
    std::unique_ptr<CTactraEffect> created() {
        std::unique_ptr<CTactraEffect> effect(new CTactraEffect(GUID_Tactra_ConstantForce));
        ConstantRecord source;
        EXPECT_TRUE(effect->Initialize(device(), source.record()))
            << "code " << CTKLErrors::GetLastErrorCode();
        return effect;
    }
};
FX_ON_BOTH_DEVICES(EffectBase);

TEST_P(EffectBase, ChangesSendOnlyWhatIsGiven) {
    using Change = std::function<BOOL(CTactraEffect&)>;
    const DWORD CART = TACTRA_FEFFECT_CARTESIAN, DUR = TACTRA_EP_DURATION;
    const std::pair<Change, Sent> rows[] = {
        {[](CTactraEffect& e) { return e.ChangeDirection(100, NG); },
         Sent(TACTRA_EP_DIRECTION).direction(CART, 100, 0)},
        {[](CTactraEffect& e) { return e.ChangeDirection(9000); },
         Sent(TACTRA_EP_DIRECTION).direction(TACTRA_FEFFECT_POLAR, 9000, 0)},
        {[](CTactraEffect& e) { return e.ChangeBaseParams(NG, NG, 250, KEEP, NGD, NGD, NGD, NGD); },
         Sent(DUR).duration(250000)},
        {[](CTactraEffect& e) {
             return e.ChangeBaseParamsPolar(NG, TACTRA_INFINITE, KEEP, NGD, NGD, NGD, NGD); },
         Sent(DUR).duration(TACTRA_INFINITE)},
        {[](CTactraEffect& e) {  // saturated, not wrapped
             return e.ChangeBaseParams(NG, NG, 5000000, KEEP, NGD, NGD, NGD, NGD); },
         Sent(DUR).duration(0xFFFFFFFEu)},
        {[](CTactraEffect& e) { return e.ChangeBaseParams(NG, NG, NGD, KEEP, NGD, NGD, NGD, NGD); },
         Sent(0)},
        {[](CTactraEffect& e) { return e.SetEnvelope(nullptr); },
         Sent(TACTRA_EP_ENVELOPE).envelope(false)},
        {[](CTactraEffect& e) { return e.SetEnvelope(KEEP); }, Sent(0)},
        {[](CTactraEffect& e) { return e.SetEnvelope(1000, 200, 3000, 400); },
         Sent(TACTRA_EP_ENVELOPE).envelope(true, 400)},
        {[](CTactraEffect& e) { return e.ChangeBaseParams(NG, NG, NGD, KEEP, 5, 7000, NGD, 300); },
         Sent(TACTRA_EP_SAMPLEPERIOD | TACTRA_EP_GAIN | TACTRA_EP_TRIGGERREPEATINTERVAL)
             .base(5, 7000, 300)},
        {[](CTactraEffect& e) { return e.ChangeBaseParamsPolar(NG, NGD, KEEP, NGD, NGD, 2, NGD); },
         Sent(TACTRA_EP_TRIGGERBUTTON).trigger(TACTRA_FEFFECT_OBJECTOFFSETS, 2)},
    };
    std::unique_ptr<CTactraEffect> effect = created();
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        sim().log_clear();
        EXPECT_TRUE(rows[i].first(*effect)) << "code " << CTKLErrors::GetLastErrorCode();
        expect_sent(rows[i].second);
    }
}

TEST_P(EffectBase, FullRecordIsCreatedWithTheObjectsKind) {
    std::unique_ptr<CTactraEffect> effect = created();
    const SimEffectParams p = last("CreateEffect").params;
    EXPECT_EQ(p.guid, device_kind(GUID_Tactra_ConstantForce));
    EXPECT_EQ(p.dwSize, directInput() ? sizeof(DIEFFECT) : sizeof(TACTRA_EFFECT));
    EXPECT_EQ(p.dwDuration, 1000000u);
    EXPECT_EQ(block_words(p), std::vector<LONG>({5000}));
    // The object keeps the product kind, also where the device knows it by another GUID.
    EXPECT_EQ(effect->GetGUID(), GUID_Tactra_ConstantForce);
}

TEST_P(EffectBase, StartStopAndStatus) {
    std::unique_ptr<CTactraEffect> effect = created();
    EXPECT_TRUE(effect->Stop());
    EXPECT_TRUE(calls("Stop").empty()) << "an effect never started is not stopped on the device";
    ASSERT_TRUE(effect->Start(3, 0));
    EXPECT_EQ(last("Start").args[0], 3u);
    DWORD status = 0;
    EXPECT_TRUE(effect->GetStatus(&status));
    EXPECT_EQ(status & TACTRA_EGES_PLAYING, TACTRA_EGES_PLAYING);
    EXPECT_TRUE(effect->Stop());
    EXPECT_TRUE(effect->Stop());
    EXPECT_EQ(calls("Stop").size(), 1u);
    EXPECT_FALSE(effect->GetStatus(nullptr));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_NULL_PARAMETER);
}

TEST_P(EffectBase, LowerLayerFailuresBecomeTheCodeUnchanged) {
    DWORD status = 0xAAAA;
    const std::pair<const char*, std::function<BOOL(CTactraEffect&)>> rows[] = {
        {"Start", [](CTactraEffect& e) { return e.Start(1, 0); }},
        {"Stop", [](CTactraEffect& e) { return e.Start(1, 0) && e.Stop(); }},
        {"SetParameters", [](CTactraEffect& e) { return e.ChangeDirection(1, 1); }},
        {"GetEffectStatus", [&](CTactraEffect& e) { return e.GetStatus(&status); }},
    };
    std::unique_ptr<CTactraEffect> effect = created();
    HRESULT result = HRESULT(0x80040300);
    for (const auto& row : rows) {
        sim().fail_next(row.first, ++result);
        EXPECT_FALSE(row.second(*effect)) << row.first;
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), result) << row.first;
    }
    EXPECT_EQ(status, 0u) << "the status of a failed query";
    sim().fail_next("CreateEffect", TACTRA_ERROR_DEVICEFULL);
    ConstantRecord source;
    EXPECT_FALSE(effect->Initialize(device(), source.record()));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TACTRA_ERROR_DEVICEFULL);
    EXPECT_EQ(effect->GetEffect(), nullptr);
}

TEST_P(EffectBase, DeviceSideEffectIsReleasedOnReinitialisationAndDestruction) {
    const unsigned liveBefore = sim().live_objects();
    std::unique_ptr<CTactraEffect> effect = created();
    ConstantRecord source;
    ASSERT_TRUE(effect->Initialize(device(), source.record()));
    EXPECT_EQ(sim().effect_count(), 1u);
    EXPECT_EQ(calls("Unload").size(), 1u);
    effect.reset();
    EXPECT_EQ(sim().effect_count(), 0u);
    EXPECT_EQ(sim().live_objects(), liveBefore);
}

// Copies take the parameters, never the device-side effect: no order of destruction (nor an
// assignment) releases an effect twice or one that is still in use.
TEST_P(EffectBase, CopiesNeverShareTheDeviceSideEffect) {
    for (int variant = 0; variant < 4; ++variant) {
        const bool copyFirst = variant & 1, assigned = variant & 2;
        SCOPED_TRACE(std::string(copyFirst ? "copy" : "source") + " destroyed first, " +
                     (assigned ? "assigned" : "constructed"));
        const unsigned liveBefore = sim().live_objects();
        std::unique_ptr<CTactraEffect> source = created();
        std::unique_ptr<CTactraEffect> copy;
        if (assigned) {
            copy = created();  // its own effect goes with the assignment
            *copy = *source;
        } else {
            copy.reset(new CTactraEffect(*source));
        }
        EXPECT_EQ(sim().effect_count(), 1u);
        EXPECT_EQ(copy->GetEffect(), nullptr);
        EXPECT_EQ(copy->GetGUID(), GUID_Tactra_ConstantForce);
        EXPECT_FALSE(copy->ChangeDirection(1, 1));
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_EFFECT_NOT_INITIALIZED);
        (copyFirst ? copy : source).reset();
        if (copyFirst) {
            EXPECT_TRUE(source->Start(1, 0)) << "the source lost its effect";
        }
        source.reset();
        copy.reset();
        EXPECT_EQ(sim().effect_count(), 0u);
        EXPECT_EQ(sim().live_objects(), liveBefore);
    }
    std::unique_ptr<CTactraEffect> effect = created();
    CTactraEffect& self = *effect;
    *effect = self;
    EXPECT_TRUE(effect->Start(1, 0)) << "self-assignment released the effect";
}

// The copy's record points at the copy's own arrays and block; rebuilds never claim more axes
// than the two the object holds, whatever a caller's record said.
struct Probe : CTactraPeriodic {
    bool record_is_own() const {
        return m_Effect.rgdwAxes == m_dwaAxes && m_Effect.rglDirection == m_laDirection &&
               m_Effect.lpvTypeSpecificParams == &m_Periodic && !m_Effect.lpEnvelope;
    }
    DWORD rebuilt_axes() {
        reset_effect_struct();
        return m_Effect.cAxes;
    }
};

TEST_P(EffectBase, RecordsReferToTheirOwnStorage) {
    TACTRA_ENVELOPE envelope = {sizeof envelope, 1, 2, 3, 4};
    Probe source;
    ASSERT_TRUE(source.Initialize(device(), 1, 2, 3, 4, 5, 6, 7, &envelope));
    Probe copy(source), assigned;
    assigned = source;
    EXPECT_TRUE(copy.record_is_own());
    EXPECT_TRUE(assigned.record_is_own());

    ConstantRecord caller;
    DWORD axes[3] = {TACTRA_AXIS_X, TACTRA_AXIS_Y, 8};
    LONG direction[3] = {1, 2, 3};
    TACTRA_EFFECT record = caller.record();
    record.cAxes = 3;
    record.rgdwAxes = axes;
    record.rglDirection = direction;
    source.Initialize(device(), record);  // the device may or may not take three axes
    EXPECT_EQ(source.rebuilt_axes(), 2u);
}

class DirectInputOnly : public EffectBase {};
INSTANTIATE_TEST_SUITE_P(, DirectInputOnly, ::testing::Values(DeviceKind::DirectInput),
                         kind_suffix);

TEST_P(DirectInputOnly, KindWithoutCounterpartFailsWithDirectInputsResult) {
    TACTRA_TEXTURE textures[2] = {};
    textures[0].dwSize = textures[1].dwSize = sizeof(TACTRA_TEXTURE);
    ConstantRecord source;
    TACTRA_EFFECT record = source.record();
    record.cbTypeSpecificParams = sizeof textures;
    record.lpvTypeSpecificParams = textures;
    CTactraEffect texture(GUID_Tactra_Texture);
    EXPECT_FALSE(texture.Initialize(device(), record));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), DIERR_DEVICENOTREG);
    EXPECT_EQ(last("CreateEffect").guid, GUID_Tactra_Texture);
}

// A device object that is not open: it has no device interface.
struct ClosedDevice : CTactraDevice {
    ITactra* GetAPI() override { return nullptr; }
    ITactraDevice* GetDevice() override { return nullptr; }
    void reset() override {}
};

TEST(EffectBaseWithoutDevice, EveryOperationNeedsTheDeviceSideEffect) {
    CTactraEffect effect(GUID_Tactra_Sine);
    DWORD status = 0x1234;
    const std::function<BOOL()> rows[] = {
        [&] { return effect.Start(1, 0); },
        [&] { return effect.Stop(); },
        [&] { return effect.GetStatus(&status); },
        [&] { return effect.ChangeBaseParams(1, 2, 3, nullptr, 4, 5, 6, 7); },
        [&] { return effect.ChangeBaseParamsPolar(1, 2, nullptr, 3, 4, 5, 6); },
        [&] { return effect.ChangeDirection(1, 2); },
        [&] { return effect.ChangeDirection(1); },
        [&] { return effect.SetEnvelope(1, 2, 3, 4); },
        [&] { return effect.SetEnvelope(nullptr); },
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
        CTKLErrors::SetErrorCode(TKL_ERR_UNKNOWN);
        EXPECT_FALSE(rows[i]()) << "row " << i;
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_EFFECT_NOT_INITIALIZED) << "row " << i;
    }
    EXPECT_EQ(status, 0x1234u) << "the status of an effect that is not initialised";

    ConstantRecord source;
    EXPECT_FALSE(effect.Initialize(nullptr, source.record()));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_DEVICE_IS_NULL);
    ClosedDevice closed;
    EXPECT_FALSE(effect.Initialize(&closed, source.record()));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_EFFECT_NOT_INITIALIZED);
}

}  // namespace
