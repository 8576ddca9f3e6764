// The effect base: what each operation sends to either kind of device, failures, lifetime and
// copies.
#include "tests/effects/devicefixture.h"

#include <functional>
#include <cstring>
#include <memory>
#include <utility>

using fxtest::Devices;

namespace {

const LONG NG = LONG(TKL_NOT_GIVEN);
const DWORD NGD = TKL_NOT_GIVEN;
TACTRA_ENVELOPE* const KEEP = TKL_ENVELOPE_NOT_GIVEN;

// A complete constant-force record, as a project would hand it over.
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
    // A constant force created on the test's device from a full record.
    std::unique_ptr<CTactraEffect> created() {
        std::unique_ptr<CTactraEffect> effect(new CTactraEffect(GUID_Tactra_ConstantForce));
        ConstantRecord source;
        EXPECT_TRUE(effect->Initialize(device(), source.record()))
            << "code " << CTKLErrors::GetLastErrorCode();
        return effect;
    }
};
FX_ON_BOTH_DEVICES(EffectBase);

struct BaseChange {
    const char* name;
    std::function<BOOL(CTactraEffect&)> change;
    DWORD mask = 0;
    DWORD flags = 0;          // checked with a direction or trigger
    LONG direction[2] = {};
    DWORD duration = 0;
    TACTRA_ENVELOPE envelope = {};  // dwSize 0: no envelope
    DWORD samplePeriod = 0, gain = 0, triggerButton = 0, repeat = 0;
};

TEST_P(EffectBase, BaseChangesSendOnlyWhatIsGiven) {
    const BaseChange rows[] = {
        {"direction, y not given", [](CTactraEffect& e) { return e.ChangeDirection(100, NG); },
         TACTRA_EP_DIRECTION, TACTRA_FEFFECT_CARTESIAN, {100, 0}},
        {"polar direction", [](CTactraEffect& e) { return e.ChangeDirection(9000); },
         TACTRA_EP_DIRECTION, TACTRA_FEFFECT_POLAR, {9000, 0}},
        {"duration in ms", [](CTactraEffect& e) {
             return e.ChangeBaseParams(NG, NG, 250, KEEP, NGD, NGD, NGD, NGD); },
         TACTRA_EP_DURATION, 0, {}, 250000},
        {"infinite duration", [](CTactraEffect& e) {
             return e.ChangeBaseParamsPolar(NG, TACTRA_INFINITE, KEEP, NGD, NGD, NGD, NGD); },
         TACTRA_EP_DURATION, 0, {}, TACTRA_INFINITE},
        {"duration beyond 32 bits saturates", [](CTactraEffect& e) {
             return e.ChangeBaseParams(NG, NG, 5000000, KEEP, NGD, NGD, NGD, NGD); },
         TACTRA_EP_DURATION, 0, {}, 0xFFFFFFFEu},
        {"nothing given", [](CTactraEffect& e) {
             return e.ChangeBaseParams(NG, NG, NGD, KEEP, NGD, NGD, NGD, NGD); },
         0},
        {"null envelope removes it", [](CTactraEffect& e) { return e.SetEnvelope(nullptr); },
         TACTRA_EP_ENVELOPE},
        {"marker envelope", [](CTactraEffect& e) { return e.SetEnvelope(KEEP); }, 0},
        {"envelope from values", [](CTactraEffect& e) {
             return e.SetEnvelope(1000, 200, 3000, 400); },
         TACTRA_EP_ENVELOPE, 0, {}, 0, {sizeof(TACTRA_ENVELOPE), 1000, 200, 3000, 400}},
        {"sample period, gain, repeat", [](CTactraEffect& e) {
             return e.ChangeBaseParams(NG, NG, NGD, KEEP, 5, 7000, NGD, 300); },
         TACTRA_EP_SAMPLEPERIOD | TACTRA_EP_GAIN | TACTRA_EP_TRIGGERREPEATINTERVAL, 0, {}, 0,
         {}, 5, 7000, 0, 300},
        {"trigger button", [](CTactraEffect& e) {
             return e.ChangeBaseParamsPolar(NG, NGD, KEEP, NGD, NGD, 2, NGD); },
         TACTRA_EP_TRIGGERBUTTON, TACTRA_FEFFECT_OBJECTOFFSETS, {}, 0, {}, 0, 0, 2},
    };
    std::unique_ptr<CTactraEffect> effect = created();
    for (const BaseChange& row : rows) {
        SCOPED_TRACE(row.name);
        sim().log_clear();
        EXPECT_TRUE(row.change(*effect)) << "code " << CTKLErrors::GetLastErrorCode();
        const std::vector<SimCall> sent = calls("SetParameters");
        ASSERT_EQ(sent.size(), 1u);
        const SimEffectParams& p = sent[0].params;
        EXPECT_EQ(sent[0].args[0], row.mask);
        if (row.mask & (TACTRA_EP_DIRECTION | TACTRA_EP_TRIGGERBUTTON)) {
            EXPECT_EQ(p.dwFlags, row.flags);
        }
        if (row.mask & TACTRA_EP_DIRECTION) {
            EXPECT_EQ(p.rglDirection[0], row.direction[0]);
            EXPECT_EQ(p.rglDirection[1], row.direction[1]);
        }
        if (row.mask & TACTRA_EP_DURATION) {
            EXPECT_EQ(p.dwDuration, row.duration);
        }
        if (row.mask & TACTRA_EP_ENVELOPE) {
            EXPECT_EQ(p.hasEnvelope, row.envelope.dwSize != 0);
            EXPECT_EQ(p.envelope.dwAttackLevel, row.envelope.dwAttackLevel);
            EXPECT_EQ(p.envelope.dwAttackTime, row.envelope.dwAttackTime);
            EXPECT_EQ(p.envelope.dwFadeLevel, row.envelope.dwFadeLevel);
            EXPECT_EQ(p.envelope.dwFadeTime, row.envelope.dwFadeTime);
        }
        if (row.mask & TACTRA_EP_SAMPLEPERIOD) {
            EXPECT_EQ(p.dwSamplePeriod, row.samplePeriod);
        }
        if (row.mask & TACTRA_EP_GAIN) {
            EXPECT_EQ(p.dwGain, row.gain);
        }
        if (row.mask & TACTRA_EP_TRIGGERREPEATINTERVAL) {
            EXPECT_EQ(p.dwTriggerRepeatInterval, row.repeat);
        }
        if (row.mask & TACTRA_EP_TRIGGERBUTTON) {
            EXPECT_EQ(p.dwTriggerButton, device_button(row.triggerButton));
        }
    }
}

TEST_P(EffectBase, FullRecordIsCreatedWithTheObjectsKind) {
    std::unique_ptr<CTactraEffect> effect = created();
    const SimCall create = last("CreateEffect");
    EXPECT_EQ(create.params.guid, device_kind(GUID_Tactra_ConstantForce));
    EXPECT_EQ(create.params.dwSize, record_size());
    EXPECT_EQ(create.params.dwDuration, 1000000u);
    EXPECT_EQ(create.params.cAxes, 2u);
    EXPECT_EQ(create.params.rglDirection[0], 1);
    LONG magnitude = 0;
    std::memcpy(&magnitude, create.params.typeSpecific, sizeof magnitude);
    EXPECT_EQ(magnitude, 5000);
    // The product kind stays the object's, also where the device knows it by another GUID.
    EXPECT_EQ(effect->GetGUID(), GUID_Tactra_ConstantForce);
    EXPECT_NE(effect->GetEffect(), nullptr);
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

struct DeviceFailure {
    const char* op;
    HRESULT result;
    std::function<BOOL(CTactraEffect&)> action;
};

TEST_P(EffectBase, LowerLayerFailuresBecomeTheCodeUnchanged) {
    const DeviceFailure rows[] = {
        {"Start", TACTRA_ERROR_INPUTLOST, [](CTactraEffect& e) { return e.Start(1, 0); }},
        {"Stop", E_FAIL, [](CTactraEffect& e) { return e.Start(1, 0) && e.Stop(); }},
        {"SetParameters", TACTRA_ERROR_INVALIDPARAM,
         [](CTactraEffect& e) { return e.ChangeDirection(1, 1); }},
        {"GetEffectStatus", TACTRA_ERROR_DEVICEFULL, [](CTactraEffect& e) {
             DWORD status = 0xAAAA;
             const BOOL ok = e.GetStatus(&status);
             EXPECT_EQ(status, 0u) << "the status of a failed query";
             return ok; }},
    };
    std::unique_ptr<CTactraEffect> effect = created();
    for (const DeviceFailure& row : rows) {
        SCOPED_TRACE(row.op);
        sim().fail_next(row.op, row.result);
        EXPECT_FALSE(row.action(*effect));
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), row.result);
    }
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

// Copies: parameters without the device-side effect; no order of destruction releases twice.
TEST_P(EffectBase, CopiesNeverShareTheDeviceSideEffect) {
    enum Order { CopyFirst, SourceFirst };
    for (Order order : {CopyFirst, SourceFirst}) {
        for (bool assigned : {false, true}) {
            SCOPED_TRACE(std::string(order == CopyFirst ? "copy" : "source") +
                         " destroyed first, " + (assigned ? "assigned" : "constructed"));
            const unsigned liveBefore = sim().live_objects();
            std::unique_ptr<CTactraEffect> source = created();
            std::unique_ptr<CTactraEffect> copy;
            if (assigned) {
                copy = created();  // a device-side effect of its own, released by the assignment
                *copy = *source;
            } else {
                copy.reset(new CTactraEffect(*source));
            }
            EXPECT_EQ(sim().effect_count(), 1u);
            EXPECT_EQ(copy->GetEffect(), nullptr);
            EXPECT_EQ(copy->GetGUID(), GUID_Tactra_ConstantForce);
            EXPECT_FALSE(copy->ChangeDirection(1, 1));
            EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_EFFECT_NOT_INITIALIZED);
            if (order == CopyFirst) {
                copy.reset();
                EXPECT_TRUE(source->Start(1, 0)) << "the source lost its effect";
                source.reset();
            } else {
                source.reset();
                copy.reset();
            }
            EXPECT_EQ(sim().effect_count(), 0u);
            EXPECT_EQ(sim().live_objects(), liveBefore);
        }
    }
    std::unique_ptr<CTactraEffect> effect = created();
    CTactraEffect& self = *effect;
    *effect = self;
    EXPECT_TRUE(effect->Start(1, 0)) << "self-assignment released the effect";
}

// A caller's record may name more axes than the object's two-entry arrays hold; later
// rebuilds must not claim more than two.
struct AxesProbe : CTactraEffect {
    AxesProbe() : CTactraEffect(GUID_Tactra_ConstantForce) {}
    DWORD rebuilt_axes() {
        reset_effect_struct();
        return m_Effect.cAxes;
    }
};

TEST_P(EffectBase, RebuiltRecordNeverClaimsMoreAxesThanItHolds) {
    ConstantRecord source;
    DWORD axes[3] = {TACTRA_AXIS_X, TACTRA_AXIS_Y, 8};
    LONG direction[3] = {1, 2, 3};
    TACTRA_EFFECT record = source.record();
    record.cAxes = 3;
    record.rgdwAxes = axes;
    record.rglDirection = direction;
    AxesProbe effect;
    effect.Initialize(device(), record);  // the device may or may not take three axes
    EXPECT_EQ(effect.rebuilt_axes(), 2u);
    if (effect.GetEffect()) {
        effect.ChangeDirection(5, 6);
        EXPECT_EQ(last("SetParameters").params.cAxes, 2u);
    }
}

class DirectInputOnly : public EffectBase {};
INSTANTIATE_TEST_SUITE_P(, DirectInputOnly, ::testing::Values(fxtest::DeviceKind::DirectInput),
                         [](const ::testing::TestParamInfo<fxtest::DeviceKind>& i) {
                             return std::string(fxtest::kind_name(i.param));
                         });

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
    EXPECT_EQ(last("CreateEffect").params.guid, GUID_Tactra_Texture);
}

// A device object that is not open: no device interface.
class ClosedDevice : public CTactraDevice {
public:
    ITactra* GetAPI() override { return nullptr; }
    ITactraDevice* GetDevice() override { return nullptr; }

protected:
    void reset() override {}
};

TEST(EffectBaseWithoutDevice, EveryOperationNeedsTheDeviceSideEffect) {
    CTactraEffect effect(GUID_Tactra_Sine);
    const std::pair<const char*, std::function<BOOL()>> rows[] = {
        {"Start", [&] { return effect.Start(1, 0); }},
        {"Stop", [&] { return effect.Stop(); }},
        {"ChangeBaseParams", [&] { return effect.ChangeBaseParams(1, 2, 3, nullptr, 4, 5, 6, 7); }},
        {"ChangeBaseParamsPolar", [&] { return effect.ChangeBaseParamsPolar(1, 2, nullptr, 3, 4, 5, 6); }},
        {"ChangeDirection x y", [&] { return effect.ChangeDirection(1, 2); }},
        {"ChangeDirection angle", [&] { return effect.ChangeDirection(1); }},
        {"SetEnvelope values", [&] { return effect.SetEnvelope(1, 2, 3, 4); }},
        {"SetEnvelope pointer", [&] { return effect.SetEnvelope(nullptr); }},
    };
    for (const auto& row : rows) {
        CTKLErrors::SetErrorCode(TKL_ERR_UNKNOWN);
        EXPECT_FALSE(row.second()) << row.first;
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_EFFECT_NOT_INITIALIZED) << row.first;
    }
    DWORD status = 0x1234;
    EXPECT_FALSE(effect.GetStatus(&status));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_EFFECT_NOT_INITIALIZED);
    EXPECT_EQ(status, 0x1234u) << "the status of an effect that is not initialised";

    ConstantRecord source;
    EXPECT_FALSE(effect.Initialize(nullptr, source.record()));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_DEVICE_IS_NULL);
    ClosedDevice closed;
    EXPECT_FALSE(effect.Initialize(&closed, source.record()));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_EFFECT_NOT_INITIALIZED);
    EXPECT_EQ(effect.GetGUID(), GUID_Tactra_Sine);
}

// The copy's record must point at the copy's own storage, never at the source's.
struct PeriodicProbe : CTactraPeriodic {
    void fill() {
        TACTRA_ENVELOPE* none = nullptr;
        set_parameters(TACTRA_FEFFECT_CARTESIAN, 1, 2, 100, 3, 4, 5, 6, none);
    }
    bool record_is_own() const {
        return m_Effect.rgdwAxes == m_dwaAxes && m_Effect.rglDirection == m_laDirection &&
               m_Effect.lpvTypeSpecificParams == &m_Periodic &&
               m_Effect.cbTypeSpecificParams == sizeof m_Periodic;
    }
};

TEST(EffectCopies, RecordPointsAtTheCopysOwnStorage) {
    PeriodicProbe source;
    source.fill();
    std::unique_ptr<PeriodicProbe> copy(new PeriodicProbe(source));
    EXPECT_TRUE(copy->record_is_own());
    PeriodicProbe assigned;
    assigned = source;
    EXPECT_TRUE(assigned.record_is_own());
}

}  // namespace
