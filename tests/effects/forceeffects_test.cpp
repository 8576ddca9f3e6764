// Constant, ramp and periodic forces: records, scaling, masks and kinds on either device.
#include "tests/effects/devicefixture.h"

#include <cstring>
#include <functional>
#include <memory>
#include <vector>

using fxtest::Devices;

namespace {

const LONG NG = LONG(TKL_NOT_GIVEN);
const DWORD NGD = TKL_NOT_GIVEN;
TACTRA_ENVELOPE* const KEEP = TKL_ENVELOPE_NOT_GIVEN;

using Effect = std::unique_ptr<CTactraEffect>;

// The block's 32-bit words as the device received them.
std::vector<LONG> block_words(const SimEffectParams& p) {
    std::vector<LONG> words(p.cbTypeSpecificParams / sizeof(LONG));
    std::memcpy(words.data(), p.typeSpecific, words.size() * sizeof(LONG));
    return words;
}

// Initialised effects with known stored values.
Effect constant(CTactraDevice* d) {
    CTactraConstant* e = new CTactraConstant;
    EXPECT_TRUE(e->Initialize(d, 1, 0, 1000, 5000, nullptr));
    return Effect(e);
}
Effect ramp(CTactraDevice* d) {
    CTactraRamp* e = new CTactraRamp;
    EXPECT_TRUE(e->InitializePolar(d, 9000, 1000, 1000, -1000, nullptr));
    return Effect(e);
}
Effect periodic(CTactraDevice* d) {
    CTactraPeriodic* e = new CTactraPeriodic;
    EXPECT_TRUE(e->Initialize(d, 5000, 20, 1000, 1, 0, 100, 0, nullptr));
    return Effect(e);
}

CTactraConstant& C(CTactraEffect& e) { return static_cast<CTactraConstant&>(e); }
CTactraRamp& R(CTactraEffect& e) { return static_cast<CTactraRamp&>(e); }
CTactraPeriodic& P(CTactraEffect& e) { return static_cast<CTactraPeriodic&>(e); }

class ForceEffects : public Devices {};
FX_ON_BOTH_DEVICES(ForceEffects);

TEST_P(ForceEffects, ConstantInitializeBuildsTheWholeRecord) {
    CTactraConstant effect;
    ASSERT_TRUE(effect.Initialize(device(), 0, 1, 2000, 5000, nullptr))
        << "code " << CTKLErrors::GetLastErrorCode();
    const SimEffectParams p = last("CreateEffect").params;
    EXPECT_EQ(p.dwSize, record_size());
    EXPECT_EQ(p.guid, device_kind(GUID_Tactra_ConstantForce));
    EXPECT_EQ(p.dwFlags, 0x12u);
    EXPECT_EQ(p.dwDuration, 2000000u);
    EXPECT_EQ(p.dwSamplePeriod, 0u);
    EXPECT_EQ(p.dwGain, 10000u);
    EXPECT_EQ(p.dwTriggerButton, TACTRA_NOTRIGGER);
    EXPECT_EQ(p.dwTriggerRepeatInterval, 0u);
    EXPECT_EQ(p.cAxes, 2u);
    EXPECT_EQ(p.rgdwAxes[0], TACTRA_AXIS_X);
    EXPECT_EQ(p.rgdwAxes[1], TACTRA_AXIS_Y);
    EXPECT_EQ(p.rglDirection[0], 0);
    EXPECT_EQ(p.rglDirection[1], 1);
    EXPECT_FALSE(p.hasEnvelope);
    EXPECT_EQ(block_words(p), std::vector<LONG>({5000}));
    EXPECT_EQ(effect.GetGUID(), GUID_Tactra_ConstantForce);
}

struct ForceChange {
    const char* name;
    std::function<Effect(CTactraDevice*)> make;
    std::function<BOOL(CTactraEffect&)> change;
    DWORD mask = 0;
    std::vector<LONG> block{};  // checked with TACTRA_EP_TYPESPECIFICPARAMS
    DWORD flags = 0;              // checked with a direction
    LONG direction[2] = {};
    DWORD duration = 0;
    bool envelope = false;
};

TEST_P(ForceEffects, ChangesSendWhatIsGiven) {
    static TACTRA_ENVELOPE envelope = {sizeof(TACTRA_ENVELOPE), 1, 2, 3, 4};
    const DWORD DIR = TACTRA_EP_DIRECTION, BLOCK = TACTRA_EP_TYPESPECIFICPARAMS;
    const ForceChange rows[] = {
        {"periodic: phase only", periodic,
         [](CTactraEffect& e) { return P(e).ChangeParameters(NGD, NGD, NGD, NG, NG, NG, 90, KEEP); },
         BLOCK, {5000, 100, 9000, 20000}},
        {"periodic: magnitude and period", periodic,
         [](CTactraEffect& e) { return P(e).ChangeParameters(6000, 50, NGD, NG, NG, NG, NGD, KEEP); },
         BLOCK, {6000, 100, 0, 50000}},
        {"periodic: polar angle", periodic,
         [](CTactraEffect& e) { return P(e).ChangeParametersPolar(NGD, NGD, NGD, 4500, NG, NGD, KEEP); },
         DIR, {}, 0x22, {4500, 0}},
        {"ramp: start only", ramp,
         [](CTactraEffect& e) { return R(e).ChangeParameters(NG, NG, NGD, 2000, NG, KEEP); },
         BLOCK, {2000, -1000}},
        {"ramp: polar, infinite duration", ramp,
         [](CTactraEffect& e) { return R(e).ChangeParametersPolar(NG, TACTRA_INFINITE, NG, NG, KEEP); },
         TACTRA_EP_DURATION, {}, 0, {}, TACTRA_INFINITE},
        {"ramp: duration in ms", ramp,
         [](CTactraEffect& e) { return R(e).ChangeParameters(NG, NG, 250, NG, NG, KEEP); },
         TACTRA_EP_DURATION, {}, 0, {}, 250000},
        {"constant: only x is no direction", constant,
         [](CTactraEffect& e) { return C(e).ChangeParameters(5, NG, NGD, NG, KEEP); }, 0},
        {"constant: direction and magnitude", constant,
         [](CTactraEffect& e) { return C(e).ChangeParameters(3, 4, NGD, 7000, KEEP); },
         DIR | BLOCK, {7000}, 0x12, {3, 4}},
        {"constant: null envelope removes it", constant,
         [](CTactraEffect& e) { return C(e).ChangeParameters(NG, NG, NGD, NG, nullptr); },
         TACTRA_EP_ENVELOPE, {}, 0, {}, 0, false},
        {"constant: envelope", constant,
         [](CTactraEffect& e) { return C(e).ChangeParametersPolar(NG, NGD, NG, &envelope); },
         TACTRA_EP_ENVELOPE, {}, 0, {}, 0, true},
        {"constant: nothing given still calls the device", constant,
         [](CTactraEffect& e) { return C(e).ChangeParameters(NG, NG, NGD, NG, KEEP); }, 0},
    };
    for (const ForceChange& row : rows) {
        SCOPED_TRACE(row.name);
        Effect effect = row.make(device());
        sim().log_clear();
        EXPECT_TRUE(row.change(*effect)) << "code " << CTKLErrors::GetLastErrorCode();
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_NONE);
        const std::vector<SimCall> sent = calls("SetParameters");
        ASSERT_EQ(sent.size(), 1u);
        const SimEffectParams& p = sent[0].params;
        EXPECT_EQ(sent[0].args[0], row.mask);
        if (row.mask & BLOCK) {
            EXPECT_EQ(block_words(p), row.block);
        }
        if (row.mask & DIR) {
            EXPECT_EQ(p.dwFlags, row.flags);
            EXPECT_EQ(p.rglDirection[0], row.direction[0]);
            EXPECT_EQ(p.rglDirection[1], row.direction[1]);
        }
        if (row.mask & TACTRA_EP_DURATION) {
            EXPECT_EQ(p.dwDuration, row.duration);
        }
        if (row.mask & TACTRA_EP_ENVELOPE) {
            EXPECT_EQ(bool(p.hasEnvelope), row.envelope);
            if (row.envelope) {
                EXPECT_EQ(p.envelope.dwFadeTime, envelope.dwFadeTime);
            }
        }
    }
}

TEST_P(ForceEffects, EachClassCreatesItsKind) {
    const struct {
        std::function<CTactraEffect*()> make;
        GUID kind;
    } rows[] = {
        {[] { return new CTactraConstant; }, GUID_Tactra_ConstantForce},
        {[] { return new CTactraRamp; }, GUID_Tactra_RampForce},
        {[] { return new CTactraPeriodic; }, GUID_Tactra_Sine},
        {[] { return new CTactraPeriodic(GUID_Tactra_Square); }, GUID_Tactra_Square},
        {[] { return new CTactraPeriodic(GUID_Tactra_Triangle); }, GUID_Tactra_Triangle},
        {[] { return new CTactraPeriodic(GUID_Tactra_SawtoothUp); }, GUID_Tactra_SawtoothUp},
        {[] { return new CTactraPeriodic(GUID_Tactra_SawtoothDown); }, GUID_Tactra_SawtoothDown},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(row.kind));
        Effect effect(row.make());
        sim().log_clear();
        BOOL created = FALSE;
        if (CTactraConstant* c = dynamic_cast<CTactraConstant*>(effect.get()))
            created = c->InitializePolar(device(), 0, 100, 10, nullptr);
        else if (CTactraRamp* r = dynamic_cast<CTactraRamp*>(effect.get()))
            created = r->InitializePolar(device(), 0, 100, 10, 20, nullptr);
        else
            created = P(*effect).InitializePolar(device(), 10, 20, 100, 0, 0, 0, nullptr);
        EXPECT_TRUE(created) << "code " << CTKLErrors::GetLastErrorCode();
        EXPECT_EQ(last("CreateEffect").params.guid, device_kind(row.kind));
        EXPECT_EQ(last("CreateEffect").params.dwFlags, 0x22u);
        EXPECT_EQ(effect->GetGUID(), row.kind);
    }
}

// A periodic loaded from a full record (as projects load it) keeps that record's block for
// later partial changes.
TEST_P(ForceEffects, RecordLoadedPeriodicKeepsItsBlock) {
    DWORD axes[2] = {TACTRA_AXIS_X, TACTRA_AXIS_Y};
    LONG direction[2] = {0, 1};
    TACTRA_PERIODIC wave = {5000, 100, 4500, 20000};
    TACTRA_EFFECT record = {};
    record.dwSize = sizeof record;
    record.dwFlags = TACTRA_FEFFECT_CARTESIAN | TACTRA_FEFFECT_OBJECTOFFSETS;
    record.dwDuration = TACTRA_INFINITE;
    record.dwGain = 10000;
    record.dwTriggerButton = TACTRA_NOTRIGGER;
    record.cAxes = 2;
    record.rgdwAxes = axes;
    record.rglDirection = direction;
    record.cbTypeSpecificParams = sizeof wave;
    record.lpvTypeSpecificParams = &wave;
    CTactraPeriodic effect(GUID_Tactra_Square);
    ASSERT_TRUE(effect.Initialize(device(), record)) << "code " << CTKLErrors::GetLastErrorCode();
    ASSERT_TRUE(effect.ChangeParameters(NGD, NGD, NGD, NG, NG, NG, 90, KEEP));
    EXPECT_EQ(block_words(last("SetParameters").params),
              std::vector<LONG>({5000, 100, 9000, 20000}));
}

TEST_P(ForceEffects, CopyKeepsTheStoredValues) {
    Effect source = periodic(device());
    CTactraPeriodic copy(P(*source));
    EXPECT_EQ(copy.GetEffect(), nullptr);
    sim().log_clear();
    ASSERT_TRUE(copy.Initialize(device(), NGD, NGD, 100, 1, 0, NG, NGD, nullptr));
    EXPECT_EQ(block_words(last("CreateEffect").params), std::vector<LONG>({5000, 100, 0, 20000}));
    EXPECT_EQ(sim().effect_count(), 2u);
}

TEST_P(ForceEffects, FailedChangeSetsTheCodeAndKeepsTheNewValues) {
    Effect effect = periodic(device());
    sim().fail_next("SetParameters", TACTRA_ERROR_INPUTLOST);
    EXPECT_FALSE(P(*effect).ChangeParameters(7000, NGD, NGD, NG, NG, NG, NGD, KEEP));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TACTRA_ERROR_INPUTLOST);
    ASSERT_TRUE(P(*effect).ChangeParameters(NGD, NGD, NGD, NG, NG, -5, NGD, KEEP));
    EXPECT_EQ(block_words(last("SetParameters").params), std::vector<LONG>({7000, -5, 0, 20000}));
}

TEST(ForceEffectsWithoutDevice, FailBeforeInitialisationAndWithoutDevice) {
    CTactraConstant c;
    CTactraRamp r;
    CTactraPeriodic p;
    const std::pair<const char*, std::function<BOOL()>> notInitialised[] = {
        {"constant", [&] { return c.ChangeParameters(1, 1, 1, 1, nullptr); }},
        {"constant polar", [&] { return c.ChangeParametersPolar(1, 1, 1, nullptr); }},
        {"ramp", [&] { return r.ChangeParameters(1, 1, 1, 1, 1, nullptr); }},
        {"ramp polar", [&] { return r.ChangeParametersPolar(1, 1, 1, 1, nullptr); }},
        {"periodic", [&] { return p.ChangeParameters(1, 1, 1, 1, 1, 1, 1, nullptr); }},
        {"periodic polar", [&] { return p.ChangeParametersPolar(1, 1, 1, 1, 1, 1, nullptr); }},
    };
    for (const auto& row : notInitialised) {
        CTKLErrors::SetErrorCode(TKL_ERR_UNKNOWN);
        EXPECT_FALSE(row.second()) << row.first;
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_EFFECT_NOT_INITIALIZED) << row.first;
    }
    const std::pair<const char*, std::function<BOOL()>> nullDevice[] = {
        {"constant", [&] { return c.Initialize(nullptr, 1, 1, 1, 1, nullptr); }},
        {"constant polar", [&] { return c.InitializePolar(nullptr, 1, 1, 1, nullptr); }},
        {"ramp", [&] { return r.Initialize(nullptr, 1, 1, 1, 1, 1, nullptr); }},
        {"ramp polar", [&] { return r.InitializePolar(nullptr, 1, 1, 1, 1, nullptr); }},
        {"periodic", [&] { return p.Initialize(nullptr, 1, 1, 1, 1, 1, 1, 1, nullptr); }},
        {"periodic polar", [&] { return p.InitializePolar(nullptr, 1, 1, 1, 1, 1, 1, nullptr); }},
    };
    for (const auto& row : nullDevice) {
        EXPECT_FALSE(row.second()) << row.first;
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_DEVICE_IS_NULL) << row.first;
    }
}

TEST(ForceEffectsWithoutDevice, EachClassAcceptsItsKindsOnly) {
    CTactraConstant c;
    CTactraRamp r;
    CTactraPeriodic p;
    const struct {
        CTactraEffect* effect;
        std::vector<const GUID*> accepted;
    } rows[] = {
        {&c, {&GUID_Tactra_ConstantForce}},
        {&r, {&GUID_Tactra_RampForce}},
        {&p, {&GUID_Tactra_Square, &GUID_Tactra_Sine, &GUID_Tactra_Triangle,
              &GUID_Tactra_SawtoothUp, &GUID_Tactra_SawtoothDown}},
    };
    unsigned count = 0;
    const tkl::EffectKind* kinds = tkl::effect_kinds(&count);
    for (const auto& row : rows) {
        for (unsigned i = 0; i < count; ++i) {
            GUID kind = *kinds[i].kind;
            bool expected = false;
            for (const GUID* a : row.accepted)
                expected = expected || *a == kind;
            EXPECT_EQ(bool(row.effect->GetIsCompatibleGUID(kind)), expected)
                << ::testing::PrintToString(row.effect->GetGUID()) << " given "
                << ::testing::PrintToString(kind);
        }
    }
    EXPECT_EQ(p.GetGUID(), GUID_Tactra_Sine);
}

}  // namespace
