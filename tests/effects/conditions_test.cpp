// The condition base on both devices: forms from records, values and effect records, change
// checks and masks, failures, the variadic change and copies. A damper kind is used where the
// spring's screen conversions would only get in the way (tested in springgeometry_test.cpp).
#include "tests/effects/conditiontest.h"
#include "tests/support/outputcapture.h"

#include <functional>
#include <memory>
#include <string>

using namespace fxtest;

namespace {

const Cond X = cond(10, 1000, 2000, 3000, 4000, 50);
const Cond Y = cond(20, 5000, 6000, 7000, 8000, 60);
const Cond* const KEEP_RECORD = TKL_RECORD_NOT_GIVEN(TACTRA_CONDITION);

using Condition = std::unique_ptr<CTactraCondition>;
using Init = std::function<BOOL(CTactraCondition&, CTactraDevice*)>;

Condition damper() { return Condition(new CTactraCondition(GUID_Tactra_Damper)); }

// The values 1..5 with a center.
Cond valued(LONG offset) { return cond(offset, 1, 2, 3, 4, 5); }

class ConditionBase : public Conditions {
protected:
    Condition made(const Init& init) {
        Condition effect = damper();
        EXPECT_TRUE(init(*effect, device())) << "code " << CTKLErrors::GetLastErrorCode();
        sim().log_clear();
        return effect;
    }
};
FX_ON_BOTH_DEVICES(ConditionBase);

const Init kTwoAxes = [](CTactraCondition& c, CTactraDevice* d) {
    return c.InitCondition(d, &X, &Y, 0);
};
const Init kDirectional = [](CTactraCondition& c, CTactraDevice* d) {
    return c.InitCondition(d, &X, 3, 4, 0);
};
const Init kPolar = [](CTactraCondition& c, CTactraDevice* d) {
    return c.InitConditionPolar(d, &X, 4500, 0);
};

TEST_P(ConditionBase, EveryFormFromRecordsAndValues) {
    const struct {
        const char* name;
        Init init;
        Created created;
    } rows[] = {
        {"X record", [](CTactraCondition& c, CTactraDevice* d) {
             return c.InitCondition(d, &X, nullptr, 0); },
         {CART, {TACTRA_AXIS_X}, {1}, words({X})}},
        {"Y record", [](CTactraCondition& c, CTactraDevice* d) {
             return c.InitCondition(d, nullptr, &Y, 0); },
         {CART, {TACTRA_AXIS_Y}, {1}, words({Y})}},
        {"both records", kTwoAxes, {CART, {0, 4}, {1, 1}, words({X, Y})}},
        {"record and x, y", kDirectional, {CART, {0, 4}, {3, 4}, words({X})}},
        {"record and angle", kPolar, {POLAR, {0, 4}, {4500, 0}, words({X})}},
        {"values, form 1", [](CTactraCondition& c, CTactraDevice* d) {
             return c.InitCondition(d, 1, 2, 3, 4, 5, 1, pt(7, 8), 9, 9, 0); },
         {CART, {0}, {1}, words({valued(7)})}},
        {"values, form 2", [](CTactraCondition& c, CTactraDevice* d) {
             return c.InitCondition(d, 1, 2, 3, 4, 5, 2, pt(7, 8), 9, 9, 0); },
         {CART, {4}, {1}, words({valued(8)})}},
        {"values, form 3", [](CTactraCondition& c, CTactraDevice* d) {
             return c.InitCondition(d, 1, 2, 3, 4, 5, 3, pt(7, 8), 9, 9, 0); },
         {CART, {0, 4}, {1, 1}, words({valued(7), valued(8)})}},
        {"values, form 4", [](CTactraCondition& c, CTactraDevice* d) {
             return c.InitCondition(d, 1, 2, 3, 4, 5, 4, pt(7, 8), 9, -9, 0); },
         {CART, {0, 4}, {9, -9}, words({valued(7)})}},
        {"polar values", [](CTactraCondition& c, CTactraDevice* d) {
             return c.InitConditionPolar(d, 1, 2, 3, 4, 5, pt(7, 8), 27000, 0); },
         {POLAR, {0, 4}, {27000, 0}, words({valued(7)})}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Condition effect = damper();
        sim().log_clear();
        ASSERT_TRUE(row.init(*effect, device())) << "code " << CTKLErrors::GetLastErrorCode();
        EXPECT_EQ(last("CreateEffect").params.guid, device_kind(GUID_Tactra_Damper));
        expect_created(row.created);
    }
}

TEST_P(ConditionBase, InitialisationsWithoutRecordsOrFormFail) {
    const std::pair<LONG, Init> rows[] = {
        {TKL_ERR_NULL_PARAMETER, [](CTactraCondition& c, CTactraDevice* d) {
             return c.InitCondition(d, nullptr, nullptr, 0); }},
        {TKL_ERR_NULL_PARAMETER, [](CTactraCondition& c, CTactraDevice* d) {
             return c.InitCondition(d, nullptr, 1, 1, 0); }},
        {TKL_ERR_NULL_PARAMETER, [](CTactraCondition& c, CTactraDevice* d) {
             return c.InitConditionPolar(d, nullptr, 0, 0); }},
        {TKL_ERR_INVALID_PARAMETER, [](CTactraCondition& c, CTactraDevice* d) {
             return c.InitCondition(d, 1, 2, 3, 4, 5, 0, pt(0, 0), 1, 1, 0); }},
        {TKL_ERR_INVALID_PARAMETER, [](CTactraCondition& c, CTactraDevice* d) {
             return c.InitCondition(d, 1, 2, 3, 4, 5, 5, pt(0, 0), 1, 1, 0); }},
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        Condition effect = damper();
        EXPECT_FALSE(rows[i].second(*effect, device()));
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), rows[i].first);
        EXPECT_EQ(effect->GetEffect(), nullptr);
    }
    EXPECT_TRUE(calls("CreateEffect").empty());
}

// An effect record as a project hands it over, with fields a condition must not take.
struct ProjectRecord {
    DWORD axes[2] = {TACTRA_AXIS_X, TACTRA_AXIS_Y};
    LONG direction[2] = {3, -4};
    Cond block[2] = {X, Y};
    TACTRA_ENVELOPE envelope = {sizeof(TACTRA_ENVELOPE), 1, 2, 3, 4};
    TACTRA_EFFECT record(DWORD cAxes, DWORD flags, DWORD blockSize) {
        TACTRA_EFFECT r = {};
        r.dwSize = sizeof r;
        r.guid = GUID_Tactra_Inertia;  // the object's kind wins
        r.dwFlags = flags | TACTRA_FEFFECT_OBJECTOFFSETS;
        r.dwDuration = 5000;
        r.dwSamplePeriod = 7;
        r.dwGain = 3000;
        r.dwTriggerButton = 1;
        r.dwTriggerRepeatInterval = 9;
        r.cAxes = cAxes;
        r.rgdwAxes = axes;
        r.rglDirection = direction;
        r.lpEnvelope = &envelope;
        r.cbTypeSpecificParams = blockSize;
        r.lpvTypeSpecificParams = block;
        return r;
    }
};

TEST_P(ConditionBase, EffectRecordChoosesTheFormAndGetsTheFixedValues) {
    const DWORD C = TACTRA_FEFFECT_CARTESIAN, P = TACTRA_FEFFECT_POLAR;
    const struct {
        const char* name;
        DWORD cAxes, firstAxis, flags, size;
        Created created;
    } rows[] = {
        {"one axis, X", 1, TACTRA_AXIS_X, C, 24, {CART, {0}, {1}, words({X})}},
        {"one axis, Y", 1, TACTRA_AXIS_Y, C, 24, {CART, {4}, {1}, words({X})}},
        {"two records", 2, TACTRA_AXIS_X, C, 48, {CART, {0, 4}, {1, 1}, words({X, Y})}},
        {"Cartesian direction", 2, TACTRA_AXIS_X, C, 24, {CART, {0, 4}, {3, -4}, words({X})}},
        {"polar direction", 2, TACTRA_AXIS_X, P, 24, {POLAR, {0, 4}, {3, 0}, words({X})}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ProjectRecord source;
        source.axes[0] = row.firstAxis;
        Condition effect = damper();
        ASSERT_TRUE(effect->Initialize(device(), source.record(row.cAxes, row.flags, row.size)))
            << "code " << CTKLErrors::GetLastErrorCode();
        EXPECT_EQ(last("CreateEffect").params.guid, device_kind(GUID_Tactra_Damper));
        expect_created(row.created);
    }
}

TEST_P(ConditionBase, UnreadableEffectRecordsAreReportedOnTheDebuggerOutput) {
    const std::string noBlock =
        "Effect's lpvTypeSpecificParams is NULL in CTactraCondition::Initialize!\n";
    const std::string badAxis = "Effect's m_dwaAxes[0] not set correctly one axis condition "
                                "in CTactraCondition::Initialize!\n";
    const std::string badSize =
        "Force cbTypeSpecificParams not 1 or 2 in CTactraCondition::Initialize!\n";
    const struct {
        std::function<TACTRA_EFFECT(ProjectRecord&)> record;
        std::string line;
    } rows[] = {
        {[](ProjectRecord& s) {
             TACTRA_EFFECT r = s.record(1, TACTRA_FEFFECT_CARTESIAN, 24);
             r.lpvTypeSpecificParams = nullptr;
             return r; }, noBlock},
        {[](ProjectRecord& s) {
             s.axes[0] = 8;
             return s.record(1, TACTRA_FEFFECT_CARTESIAN, 24); }, badAxis},
        {[](ProjectRecord& s) { return s.record(2, TACTRA_FEFFECT_CARTESIAN, 32); }, badSize},
        // One axis with a block too small for one record is never read.
        {[](ProjectRecord& s) { return s.record(1, TACTRA_FEFFECT_CARTESIAN, 8); }, badSize},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        ProjectRecord source;
        Condition effect = damper();
        tkltest::OutputCapture output;
        CTKLErrors::SetErrorCode(TKL_ERR_UNKNOWN);
        EXPECT_FALSE(effect->Initialize(device(), row.record(source)));
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_NONE);
        EXPECT_EQ(output.debugLines(), std::vector<std::string>({row.line}));
    }
    EXPECT_TRUE(calls("CreateEffect").empty());
}

TEST_P(ConditionBase, ChangesKeepWhatIsNotGivenAndSendTheirMasks) {
    const LONG N = NG;
    const Cond coefficientOnly = cond(N, 111, N, NGD, NGD, N);
    const Cond offsetMinusOne = cond(-1, 5, 5, 5, 5, 5);
    const Cond yOffsetOnly = cond(99, N, N, NGD, NGD, N);
    const Cond X111 = cond(10, 111, 2000, 3000, 4000, 50);
    const struct {
        const char* name;
        Init init;
        std::function<BOOL(CTactraCondition&)> change;
        Sent sent;
    } rows[] = {
        {"a field of 0x80000000 keeps", kTwoAxes,
         [&](CTactraCondition& c) { return c.ChangeConditionParams(&coefficientOnly, KEEP_RECORD); },
         Sent(BLOCK).block(words({X111, Y}))},
        {"an offset of -1 keeps", kTwoAxes,
         [&](CTactraCondition& c) { return c.ChangeConditionParams(&offsetMinusOne, &yOffsetOnly); },
         Sent(BLOCK).block(words({cond(10, 5, 5, 5, 5, 5), cond(99, 5000, 6000, 7000, 8000, 60)}))},
        {"x alone is the direction (x, 0)", kDirectional,
         [](CTactraCondition& c) { return c.ChangeConditionParams(KEEP_RECORD, 1, NG); },
         Sent(DIR).direction(CART, 1, 0)},
        {"record without direction", kDirectional,
         [&](CTactraCondition& c) { return c.ChangeConditionParams(&coefficientOnly, NG, NG); },
         Sent(BLOCK).block(words({X111}))},
        {"polar change of a Cartesian effect", kDirectional,
         [](CTactraCondition& c) { return c.ChangeConditionParamsPolar(KEEP_RECORD, 9000); },
         Sent(DIR).direction(POLAR, 9000, 0)},
        {"record and angle", kPolar,
         [&](CTactraCondition& c) { return c.ChangeConditionParamsPolar(&coefficientOnly, 0); },
         Sent(DIR | BLOCK).direction(POLAR, 0, 0).block(words({X111}))},
        {"nothing given", kPolar,
         [](CTactraCondition& c) {
             return c.ChangeConditionParams(NG, NG, NGD, NGD, NG, NO_POINT, NG, NG); },
         Sent(0)},
        {"Cartesian values change of a polar effect", kPolar,
         [](CTactraCondition& c) {
             return c.ChangeConditionParams(NG, NG, NGD, NGD, 77, NO_POINT, 2, 2); },
         Sent(DIR | BLOCK).direction(CART, 2, 2).block(words({cond(10, 1000, 2000, 3000, 4000, 77)}))},
        {"center of two axes", kTwoAxes,
         [](CTactraCondition& c) {
             return c.ChangeConditionParamsPolar(NG, NG, NGD, NGD, NG, pt(300, 400), NG); },
         Sent(BLOCK).block(words({cond(300, 1000, 2000, 3000, 4000, 50),
                                  cond(400, 5000, 6000, 7000, 8000, 60)}))},
        {"a value alone sends the block", kTwoAxes,
         [](CTactraCondition& c) {
             return c.ChangeConditionParams(NG, 9, NGD, NGD, NG, NO_POINT, NG, NG); },
         Sent(BLOCK).block(words({cond(10, 1000, 9, 3000, 4000, 50),
                                  cond(20, 5000, 9, 7000, 8000, 60)}))},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Condition effect = made(row.init);
        EXPECT_TRUE(row.change(*effect)) << "code " << CTKLErrors::GetLastErrorCode();
        expect_sent(row.sent);
    }
}

TEST_P(ConditionBase, ChangesMustFitTheForm) {
    const LONG OK = TKL_ERR_NONE, BAD = TKL_ERR_INVALID_PARAMETER;
    const Init xOnly = [](CTactraCondition& c, CTactraDevice* d) {
        return c.InitCondition(d, &X, nullptr, 0);
    };
    const Init yOnly = [](CTactraCondition& c, CTactraDevice* d) {
        return c.InitCondition(d, nullptr, &Y, 0);
    };
    using Change = std::function<BOOL(CTactraCondition&)>;
    auto records = [](const Cond* x, const Cond* y) -> Change {
        return [=](CTactraCondition& c) { return c.ChangeConditionParams(x, y); };
    };
    const Change directional = [](CTactraCondition& c) {
        return c.ChangeConditionParams(&X, 1, 1);
    };
    const Change polar = [](CTactraCondition& c) {
        return c.ChangeConditionParamsPolar(&X, 0);
    };
    const struct {
        Init init;
        Change change;
        LONG code;
    } rows[] = {
        {xOnly, records(&X, nullptr), OK},        {xOnly, records(&X, KEEP_RECORD), OK},
        {xOnly, records(nullptr, &Y), BAD},       {xOnly, records(KEEP_RECORD, nullptr), BAD},
        {xOnly, records(&X, &Y), BAD},            {yOnly, records(nullptr, &Y), OK},
        {yOnly, records(KEEP_RECORD, &Y), OK},    {yOnly, records(&X, nullptr), BAD},
        {kTwoAxes, records(&X, KEEP_RECORD), OK}, {kTwoAxes, records(KEEP_RECORD, &Y), OK},
        {kTwoAxes, records(KEEP_RECORD, KEEP_RECORD), BAD},
        {kTwoAxes, records(&X, nullptr), BAD},    {kTwoAxes, records(nullptr, &Y), BAD},
        {kDirectional, records(&X, &Y), TKL_ERR_WRONG_FORM},
        {kDirectional, [](CTactraCondition& c) { return c.ChangeConditionParams(nullptr, 1, 1); },
         TKL_ERR_NULL_PARAMETER},
        {kPolar, [](CTactraCondition& c) { return c.ChangeConditionParamsPolar(nullptr, 1); },
         TKL_ERR_NULL_PARAMETER},
        {kDirectional, directional, OK},          {kPolar, polar, OK},
        {xOnly, directional, BAD},                {kTwoAxes, polar, BAD},
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        Condition effect = made(rows[i].init);
        EXPECT_EQ(bool(rows[i].change(*effect)), rows[i].code == OK);
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), rows[i].code);
        EXPECT_EQ(calls("SetParameters").size(), rows[i].code == OK ? 1u : 0u);
    }
}

TEST_P(ConditionBase, DeviceRefusalsBecomeTheCode) {
    const HRESULT refused = HRESULT(0x80040301);
    Condition effect = made(kTwoAxes);
    sim().fail_next("SetParameters", refused);
    EXPECT_FALSE(effect->ChangeConditionParams(NG, 9, NGD, NGD, NG, NO_POINT, NG, NG));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), refused);
    // The object holds the refused values: they go with the next change of the block.
    ASSERT_TRUE(effect->SetCenter(pt(1, 2)));
    EXPECT_EQ(sent_block(), words({cond(1, 1000, 9, 3000, 4000, 50), cond(2, 5000, 9, 7000, 8000, 60)}));

    sim().fail_next("CreateEffect", TACTRA_ERROR_DEVICEFULL);
    EXPECT_FALSE(effect->InitCondition(device(), &X, nullptr, 0));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TACTRA_ERROR_DEVICEFULL);
    EXPECT_EQ(effect->GetEffect(), nullptr);
}

// Both software devices keep what they are given: the live effect holds the merge.
TEST_P(ConditionBase, DevicesKeepEveryConditionRecord) {
    Condition effect = made(kTwoAxes);
    EXPECT_EQ(held_block(), words({X, Y}));
    const Cond x2 = cond(-5, -6, -7, 8, 9, -10);
    ASSERT_TRUE(effect->ChangeConditionParams(&x2, KEEP_RECORD));
    EXPECT_EQ(held_block(), words({x2, Y}));
    ASSERT_TRUE(effect->ChangeConditionParams(NG, NG, NGD, NGD, NG, NO_POINT, NG, NG));
    EXPECT_EQ(held_block(), words({x2, Y})) << "mask 0 changes nothing";
    EXPECT_EQ(last("SetParameters").args[0], 0u);
}

TEST(ConditionWithoutDevice, EveryOperationNeedsTheDeviceSideEffect) {
    CTactraCondition c(GUID_Tactra_Spring);
    const std::function<BOOL()> rows[] = {
        [&] { return c.ChangeConditionParams(&X, &Y); },
        [&] { return c.ChangeConditionParams(&X, 1, 1); },
        [&] { return c.ChangeConditionParamsPolar(&X, 1); },
        [&] { return c.ChangeConditionParams(1, 2, 3, 4, 5, pt(0, 0), 1, 1); },
        [&] { return c.ChangeConditionParamsPolar(1, 2, 3, 4, 5, pt(0, 0), 1); },
        [&] { return c.SetCenter(pt(1, 1)); },
        [&] { return c.ChangeConditionParams2(TX_END); },
        [&] { return c.Start(1, 0); },
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
        CTKLErrors::SetErrorCode(TKL_ERR_UNKNOWN);
        EXPECT_FALSE(rows[i]()) << "row " << i;
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_EFFECT_NOT_INITIALIZED) << "row " << i;
    }
    ProjectRecord source;
    const std::function<BOOL()> nullDevice[] = {
        [&] { return c.InitCondition(nullptr, &X, &Y, 0); },
        [&] { return c.InitCondition(nullptr, &X, 1, 1, 0); },
        [&] { return c.InitConditionPolar(nullptr, &X, 1, 0); },
        [&] { return c.InitCondition(nullptr, 1, 2, 3, 4, 5, 1, pt(0, 0), 1, 1, 1); },
        [&] { return c.InitConditionPolar(nullptr, 1, 2, 3, 4, 5, pt(0, 0), 1, 1); },
        [&] { return c.Initialize(nullptr, source.record(2, TACTRA_FEFFECT_CARTESIAN, 48)); },
    };
    for (size_t i = 0; i < sizeof nullDevice / sizeof nullDevice[0]; ++i) {
        EXPECT_FALSE(nullDevice[i]()) << "row " << i;
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_DEVICE_IS_NULL) << "row " << i;
    }
    EXPECT_EQ(c.GetGUID(), GUID_Tactra_Spring) << "device units need a device to apply to";
}

// ChangeConditionParams2 reads the same list on every target: 32-bit values, a POINT by
// value and record pointers, with defaults for what is left out.
TEST_P(ConditionBase, VariadicChangeReadsItsListWithDefaults) {
    Condition effect = made(kTwoAxes);
    // Forms 1 to 3 send the direction entries 1, 1 whatever the angle.
    ASSERT_TRUE(effect->ChangeConditionParams2(TX_POS_COEFFICIENT, LONG(-7), TX_IGNORED, DWORD(1),
                                               TX_NEG_SATURATION, DWORD(6000), TX_DIRECTION_X,
                                               LONG(5), TX_CENTER, pt(300, 400), TX_DIRECTION_Y,
                                               LONG(6), TX_DEAD_BAND, LONG(30), TX_NEG_COEFFICIENT,
                                               LONG(-8), TX_POS_SATURATION, DWORD(9000),
                                               TX_DEAD_BAND, LONG(40), TX_ANGLE, LONG(9000), TX_END))
        << "code " << CTKLErrors::GetLastErrorCode();
    expect_sent(Sent(DIR | BLOCK).direction(POLAR, 1, 1)
                    .block(words({cond(300, -7, -8, 9000, 6000, 40),
                                  cond(400, -7, -8, 9000, 6000, 40)})));

    sim().log_clear();
    ASSERT_TRUE(effect->ChangeConditionParams2(TX_CONDITION, &Y, TX_CONDITION2, KEEP_RECORD, TX_END));
    expect_sent(Sent(BLOCK).block(words({Y, cond(400, -7, -8, 9000, 6000, 40)})));
}

TEST_P(ConditionBase, VariadicChangeWithAnEmptyListSendsTheDefaultsCenteredOnTheCursor) {
    Condition effect = made(kTwoAxes);
    ASSERT_NO_FATAL_FAILURE(move_cursor(100, 200));
    ASSERT_TRUE(effect->ChangeConditionParams2(TX_END));
    expect_sent(Sent(DIR | BLOCK).direction(POLAR, 1, 1)
                    .block(words({cond(100, 2500, 2500, 10000, 10000, 100),
                                  cond(200, 2500, 2500, 10000, 10000, 100)})));
    ASSERT_NO_FATAL_FAILURE(move_cursor(300, 50));
    sim().log_clear();
    ASSERT_TRUE(effect->Start(1, 0));
    EXPECT_EQ(sent_block(), words({cond(300, 2500, 2500, 10000, 10000, 100),
                                   cond(50, 2500, 2500, 10000, 10000, 100)}));

    Condition directional = made(kPolar);
    ASSERT_TRUE(directional->ChangeConditionParams2(TX_CONDITION, KEEP_RECORD, TX_END));
    expect_sent(Sent(DIR).direction(POLAR, 0, 0));
}

TEST_P(ConditionBase, VariadicChangeStopsAtAnUnknownSelector) {
    Condition effect = made(kTwoAxes);
    tkltest::OutputCapture output;
    CTKLErrors::SetErrorCode(TKL_ERR_UNKNOWN);
    EXPECT_FALSE(effect->ChangeConditionParams2(TX_DEAD_BAND, LONG(1), TX_ArgumentType(13),
                                                LONG(2), TX_END));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_NONE);
    EXPECT_EQ(output.debugLines(), std::vector<std::string>(
                                       {"Unknown parameter type passed to ChangeConditionParams2!\n"}));
    EXPECT_TRUE(calls("SetParameters").empty());
}

// A copy is not initialised; its record refers to its own arrays and records, and it keeps
// the source's form, records and flags.
struct ConditionProbe : CTactraCondition {
    ConditionProbe() : CTactraCondition(GUID_Tactra_Damper) {}
    bool record_is_own() const {
        return m_Effect.rgdwAxes == m_dwaAxes && m_Effect.rglDirection == m_laDirection &&
               m_Effect.lpvTypeSpecificParams == m_Conditions && !m_Effect.lpEnvelope;
    }
    DWORD form() const { return m_dwForm; }
    int at_cursor() const { return m_bCenterAtCursor; }
};

TEST_P(ConditionBase, CopiesReferToTheirOwnRecords) {
    ConditionProbe source;
    ASSERT_TRUE(source.InitCondition(device(), 1, 2, 3, 4, 5, 3, AT_CURSOR, 1, 1, 0));
    ConditionProbe copy(source), assigned;
    assigned = source;
    for (ConditionProbe* c : {&copy, &assigned}) {
        EXPECT_TRUE(c->record_is_own());
        EXPECT_EQ(c->form(), 3u);
        EXPECT_EQ(c->at_cursor(), 1);
        EXPECT_EQ(c->GetEffect(), nullptr);
    }
    const std::vector<LONG> held = block_words(last("CreateEffect").params);
    EXPECT_FALSE(copy.ChangeConditionParams(KEEP_RECORD, &Y)) << "a copy is not initialised";
    ASSERT_TRUE(copy.InitCondition(device(), KEEP_RECORD, KEEP_RECORD, 0));
    EXPECT_EQ(block_words(last("CreateEffect").params), held);
}

}  // namespace
