// Constant, ramp and periodic forces on both devices: records, scaling, masks and kinds.
#include "tests/effects/devicefixture.h"

#include <functional>
#include <memory>
#include <utility>

using namespace fxtest;

namespace {

using Effect = std::unique_ptr<CTactraEffect>;

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
    EXPECT_EQ(p.dwSize, directInput() ? sizeof(DIEFFECT) : sizeof(TACTRA_EFFECT));
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
}

// "Not given" is a marker, never an envelope: an effect created with it has none.
TEST_P(ForceEffects, InitializeWithTheEnvelopeMarkerSendsNoEnvelope) {
    CTactraConstant c;
    CTactraRamp r;
    CTactraPeriodic p;
    const std::pair<const char*, std::function<BOOL()>> rows[] = {
        {"constant", [&] { return c.Initialize(device(), 1, 0, 100, 5000, KEEP); }},
        {"constant polar", [&] { return c.InitializePolar(device(), 9000, 100, 5000, KEEP); }},
        {"ramp", [&] { return r.Initialize(device(), 1, 0, 100, -1000, 1000, KEEP); }},
        {"ramp polar", [&] { return r.InitializePolar(device(), 9000, 100, -1000, 1000, KEEP); }},
        {"periodic", [&] { return p.Initialize(device(), 5000, 20, 100, 1, 0, 0, 0, KEEP); }},
        {"periodic polar",
         [&] { return p.InitializePolar(device(), 5000, 20, 100, 9000, 0, 0, KEEP); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.first);
        sim().log_clear();
        EXPECT_TRUE(row.second()) << "code " << CTKLErrors::GetLastErrorCode();
        EXPECT_FALSE(last("CreateEffect").params.hasEnvelope);
    }
}

struct ForceChange {
    std::function<Effect(CTactraDevice*)> make;
    std::function<BOOL(CTactraEffect&)> change;
    Sent sent;
};

TEST_P(ForceEffects, ChangesSendWhatIsGiven) {
    static TACTRA_ENVELOPE envelope = {sizeof(TACTRA_ENVELOPE), 1, 2, 3, 4};
    const DWORD DIR = TACTRA_EP_DIRECTION, BLOCK = TACTRA_EP_TYPESPECIFICPARAMS;
    const ForceChange rows[] = {
        {periodic, [](CTactraEffect& e) {  // the phase alone, in degrees
             return P(e).ChangeParameters(NGD, NGD, NGD, NG, NG, NG, 90, KEEP); },
         Sent(BLOCK).block({5000, 100, 9000, 20000})},
        {periodic, [](CTactraEffect& e) {  // the period in ms
             return P(e).ChangeParameters(6000, 50, NGD, NG, NG, NG, NGD, KEEP); },
         Sent(BLOCK).block({6000, 100, 0, 50000})},
        {periodic, [](CTactraEffect& e) {
             return P(e).ChangeParametersPolar(NGD, NGD, NGD, 4500, NG, NGD, KEEP); },
         Sent(DIR).direction(0x22, 4500, 0)},
        {ramp, [](CTactraEffect& e) { return R(e).ChangeParameters(NG, NG, NGD, 2000, NG, KEEP); },
         Sent(BLOCK).block({2000, -1000})},
        {ramp, [](CTactraEffect& e) {
             return R(e).ChangeParametersPolar(NG, TACTRA_INFINITE, NG, NG, KEEP); },
         Sent(TACTRA_EP_DURATION).duration(TACTRA_INFINITE)},
        {ramp, [](CTactraEffect& e) { return R(e).ChangeParameters(NG, NG, 250, NG, NG, KEEP); },
         Sent(TACTRA_EP_DURATION).duration(250000)},
        {constant, [](CTactraEffect& e) {  // x alone is no direction
             return C(e).ChangeParameters(5, NG, NGD, NG, KEEP); },
         Sent(0)},
        {constant, [](CTactraEffect& e) { return C(e).ChangeParameters(3, 4, NGD, 7000, KEEP); },
         Sent(DIR | BLOCK).direction(0x12, 3, 4).block({7000})},
        {constant, [](CTactraEffect& e) { return C(e).ChangeParameters(NG, NG, NGD, NG, nullptr); },
         Sent(TACTRA_EP_ENVELOPE).envelope(false)},
        {constant, [](CTactraEffect& e) {
             return C(e).ChangeParametersPolar(NG, NGD, NG, &envelope); },
         Sent(TACTRA_EP_ENVELOPE).envelope(true, 4)},
        {constant, [](CTactraEffect& e) {  // nothing given still calls the device
             return C(e).ChangeParameters(NG, NG, NGD, NG, KEEP); },
         Sent(0)},
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        Effect effect = rows[i].make(device());
        sim().log_clear();
        EXPECT_TRUE(rows[i].change(*effect)) << "code " << CTKLErrors::GetLastErrorCode();
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_NONE);
        expect_sent(rows[i].sent);
    }
}

TEST_P(ForceEffects, EachClassCreatesItsKind) {
    CTactraConstant c;
    CTactraRamp r;
    CTactraPeriodic sine, square(GUID_Tactra_Square), triangle(GUID_Tactra_Triangle),
        up(GUID_Tactra_SawtoothUp), down(GUID_Tactra_SawtoothDown);
    auto wave = [&](CTactraPeriodic& e) {
        return e.InitializePolar(device(), 10, 20, 100, 0, 0, 0, nullptr);
    };
    const std::pair<GUID, std::function<BOOL()>> rows[] = {
        {GUID_Tactra_ConstantForce, [&] { return c.InitializePolar(device(), 0, 1, 2, nullptr); }},
        {GUID_Tactra_RampForce, [&] { return r.InitializePolar(device(), 0, 1, 2, 3, nullptr); }},
        {GUID_Tactra_Sine, [&] { return wave(sine); }},
        {GUID_Tactra_Square, [&] { return wave(square); }},
        {GUID_Tactra_Triangle, [&] { return wave(triangle); }},
        {GUID_Tactra_SawtoothUp, [&] { return wave(up); }},
        {GUID_Tactra_SawtoothDown, [&] { return wave(down); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(row.first));
        EXPECT_TRUE(row.second()) << "code " << CTKLErrors::GetLastErrorCode();
        EXPECT_EQ(last("CreateEffect").params.guid, device_kind(row.first));
        EXPECT_EQ(last("CreateEffect").params.dwFlags, 0x22u);
    }
    EXPECT_EQ(square.GetGUID(), GUID_Tactra_Square);
}

// Loaded from a full record (as projects load it), a periodic keeps that record's block for
// later partial changes; a copy keeps the source's.
TEST_P(ForceEffects, StoredValuesComeFromRecordsAndCopies) {
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
    CTactraPeriodic loaded(GUID_Tactra_Square);
    ASSERT_TRUE(loaded.Initialize(device(), record)) << "code " << CTKLErrors::GetLastErrorCode();
    ASSERT_TRUE(loaded.ChangeParameters(NGD, NGD, NGD, NG, NG, NG, 90, KEEP));
    EXPECT_EQ(block_words(last("SetParameters").params),
              std::vector<LONG>({5000, 100, 9000, 20000}));

    CTactraPeriodic copy(loaded);
    ASSERT_TRUE(copy.Initialize(device(), 7000, NGD, 100, 1, 0, NG, NGD, nullptr));
    EXPECT_EQ(block_words(last("CreateEffect").params),
              std::vector<LONG>({7000, 100, 9000, 20000}));
}

TEST(ForceEffectsWithoutDevice, FailBeforeInitialisationAndWithoutDevice) {
    CTactraConstant c;
    CTactraRamp r;
    CTactraPeriodic p;
    const LONG NOT_INIT = TKL_ERR_EFFECT_NOT_INITIALIZED, NO_DEVICE = TKL_ERR_DEVICE_IS_NULL;
    CTactraDevice* const none = nullptr;
    const std::pair<LONG, std::function<BOOL()>> rows[] = {
        {NOT_INIT, [&] { return c.ChangeParameters(1, 1, 1, 1, nullptr); }},
        {NOT_INIT, [&] { return c.ChangeParametersPolar(1, 1, 1, nullptr); }},
        {NOT_INIT, [&] { return r.ChangeParameters(1, 1, 1, 1, 1, nullptr); }},
        {NOT_INIT, [&] { return r.ChangeParametersPolar(1, 1, 1, 1, nullptr); }},
        {NOT_INIT, [&] { return p.ChangeParameters(1, 1, 1, 1, 1, 1, 1, nullptr); }},
        {NOT_INIT, [&] { return p.ChangeParametersPolar(1, 1, 1, 1, 1, 1, nullptr); }},
        {NO_DEVICE, [&] { return c.Initialize(none, 1, 1, 1, 1, nullptr); }},
        {NO_DEVICE, [&] { return c.InitializePolar(none, 1, 1, 1, nullptr); }},
        {NO_DEVICE, [&] { return r.Initialize(none, 1, 1, 1, 1, 1, nullptr); }},
        {NO_DEVICE, [&] { return r.InitializePolar(none, 1, 1, 1, 1, nullptr); }},
        {NO_DEVICE, [&] { return p.Initialize(none, 1, 1, 1, 1, 1, 1, 1, nullptr); }},
        {NO_DEVICE, [&] { return p.InitializePolar(none, 1, 1, 1, 1, 1, 1, nullptr); }},
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
        CTKLErrors::SetErrorCode(TKL_ERR_UNKNOWN);
        EXPECT_FALSE(rows[i].second()) << "row " << i;
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), rows[i].first) << "row " << i;
    }
}

TEST(ForceEffectsWithoutDevice, EachClassAcceptsItsKindsOnly) {
    CTactraConstant c;
    CTactraRamp r;
    CTactraPeriodic p;
    const std::pair<CTactraEffect*, tkl::EffectClass> rows[] = {
        {&c, tkl::EffectClass::Constant},
        {&r, tkl::EffectClass::Ramp},
        {&p, tkl::EffectClass::Periodic},
    };
    unsigned count = 0;
    const tkl::EffectKind* kinds = tkl::effect_kinds(&count);
    for (const auto& row : rows) {
        for (unsigned i = 0; i < count; ++i) {
            GUID kind = *kinds[i].kind;
            EXPECT_EQ(bool(row.first->GetIsCompatibleGUID(kind)), kinds[i].holder == row.second)
                << row.first->GetGUID() << " given " << kind;
        }
    }
    EXPECT_EQ(p.GetGUID(), GUID_Tactra_Sine);
}

}  // namespace
