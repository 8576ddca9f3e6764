// The five condition kinds on both devices: argument orders, fixed values, DirectInput kinds,
// the grid's one-sided records, and the kinds each class accepts.
#include "tests/effects/conditiontest.h"

#include <functional>
#include <memory>
#include <string>

using namespace fxtest;

namespace {

using Effect = std::unique_ptr<CTactraCondition>;
using Make = std::function<Effect(CTactraDevice*)>;
using Change = std::function<BOOL(CTactraCondition&)>;

template <class Kind>
Kind& as(CTactraCondition& c) {
    return static_cast<Kind&>(c);
}

class ConditionKinds : public Conditions {};
FX_ON_BOTH_DEVICES(ConditionKinds);

TEST_P(ConditionKinds, InitialisationsTakeTheirOwnArgumentOrders) {
    const POINT center = pt(512, 384);  // 0, 0 on DirectInput
    const LONG cx = directInput() ? 0 : 512, cy = directInput() ? 0 : 384;
    const struct {
        const char* name;
        GUID kind;
        std::function<BOOL(CTactraDevice*)> init;
        Created created;
    } rows[] = {
        {"spring", GUID_Tactra_Spring, [&](CTactraDevice* d) {
             CTactraSpring s;
             return s.Initialize(d, -5000, 8000, 100, 3, center, 0, 0, 0); },
         {CART, {0, 4}, {1, 1},
          words({cond(cx, -5000, -5000, 8000, 8000, 100), cond(cy, -5000, -5000, 8000, 8000, 100)})}},
        {"spring, polar", GUID_Tactra_Spring, [&](CTactraDevice* d) {
             CTactraSpring s;
             return s.InitializePolar(d, 5000, 8000, 100, pt(-1, -1), 0, 0); },
         {POLAR, {0, 4}, {0, 0}, words({cond(0, 5000, 5000, 8000, 8000, 100)})}},
        {"damper", GUID_Tactra_Damper, [](CTactraDevice* d) {
             CTactraDamper e;
             return e.Initialize(d, 3000, 10000, 0, 3, 0, 0); },
         {CART, {0, 4}, {1, 1},
          words({cond(0, 3000, 3000, 10000, 10000, 0), cond(0, 3000, 3000, 10000, 10000, 0)})}},
        {"damper, polar", GUID_Tactra_Damper, [](CTactraDevice* d) {
             CTactraDamper e;
             return e.InitializePolar(d, 1, 2, 3, 4500); },
         {POLAR, {0, 4}, {4500, 0}, words({cond(0, 1, 1, 2, 2, 3)})}},
        {"inertia", GUID_Tactra_Inertia, [](CTactraDevice* d) {
             CTactraInertia e;
             return e.Initialize(d, 1, 2, 3, 4, 5, 6); },
         {CART, {0, 4}, {5, 6}, words({cond(0, 1, 1, 2, 2, 3)})}},
        {"inertia, polar", GUID_Tactra_Inertia, [](CTactraDevice* d) {
             CTactraInertia e;
             return e.InitializePolar(d, 1, 2, 3, 18000); },
         {POLAR, {0, 4}, {18000, 0}, words({cond(0, 1, 1, 2, 2, 3)})}},
        {"friction", GUID_Tactra_Friction, [](CTactraDevice* d) {
             CTactraFriction e;
             return e.Initialize(d, 1, 3, 2, 5, 6); },
         {CART, {4}, {1}, words({cond(0, 1, 1, 10000, 10000, 3)})}},
        {"friction, polar", GUID_Tactra_Friction, [](CTactraDevice* d) {
             CTactraFriction e;
             return e.InitializePolar(d, 1, 3, 27000); },
         {POLAR, {0, 4}, {27000, 0}, words({cond(0, 1, 1, 10000, 10000, 3)})}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        sim().log_clear();
        ASSERT_TRUE(row.init(device())) << "code " << CTKLErrors::GetLastErrorCode();
        EXPECT_EQ(last("CreateEffect").params.guid, device_kind(row.kind));
        expect_created(row.created);
    }
}

Effect spring(CTactraDevice* d) {
    CTactraSpring* e = new CTactraSpring;
    EXPECT_TRUE(e->Initialize(d, 5000, 8000, 100, 1, pt(512, 0), 0, 0, 0));
    return Effect(e);
}
Effect damper(CTactraDevice* d) {
    CTactraDamper* e = new CTactraDamper;
    EXPECT_TRUE(e->Initialize(d, 1, 2, 3, 1, 0, 0));
    return Effect(e);
}
Effect inertia(CTactraDevice* d) {
    CTactraInertia* e = new CTactraInertia;
    EXPECT_TRUE(e->InitializePolar(d, 1, 2, 3, 0));
    return Effect(e);
}
// From a record with saturations of its own, as a project gives them.
Effect friction(CTactraDevice* d) {
    DWORD axes[1] = {TACTRA_AXIS_X};
    LONG direction[1] = {1};
    Cond block = cond(0, 1, 1, 5000, 5000, 3);
    TACTRA_EFFECT record = {};
    record.dwSize = sizeof record;
    record.dwFlags = CART;
    record.cAxes = 1;
    record.rgdwAxes = axes;
    record.rglDirection = direction;
    record.cbTypeSpecificParams = sizeof block;
    record.lpvTypeSpecificParams = &block;
    CTactraFriction* e = new CTactraFriction;
    EXPECT_TRUE(e->Initialize(d, record));
    return Effect(e);
}

TEST_P(ConditionKinds, ChangesTakeTheirOwnArgumentOrders) {
    const LONG center = directInput() ? 0 : 512;
    const bool directInput = this->directInput();
    const struct {
        const char* name;
        Make make;
        Change change;
        Sent sent;
    } rows[] = {
        {"spring, coefficient only", spring, [](CTactraCondition& c) {
             return as<CTactraSpring>(c).ChangeParameters(NO_POINT, 6000, NGD, NGD, NG, NG); },
         Sent(BLOCK).block(words({cond(center, 6000, 6000, 8000, 8000, 100)}))},
        {"spring, center first", spring, [](CTactraCondition& c) {
             return as<CTactraSpring>(c).ChangeParameters(pt(512, 0), NG, 9000, 7, NG, NG); },
         Sent(BLOCK).block(words({cond(center, 5000, 5000, 9000, 9000, 7)}))},
        {"spring, polar change of the center", spring, [](CTactraCondition& c) {
             return as<CTactraSpring>(c).ChangeParametersPolar(pt(1024, 9), NG, NGD, NGD, NG); },
         Sent(BLOCK).block(words({cond(directInput ? 10000 : 1024, 5000, 5000, 8000, 8000, 100)}))},
        {"damper, nothing given", damper, [](CTactraCondition& c) {
             return as<CTactraDamper>(c).ChangeParameters(NGD, NGD, NGD, NG, NG); },
         Sent(0)},
        {"damper, saturation", damper, [](CTactraCondition& c) {
             return as<CTactraDamper>(c).ChangeParameters(NGD, 7, NGD, NG, NG); },
         Sent(BLOCK).block(words({cond(0, 1, 1, 7, 7, 3)}))},
        {"inertia, angle", inertia, [](CTactraCondition& c) {
             return as<CTactraInertia>(c).ChangeParametersPolar(NGD, NGD, NGD, 9000); },
         Sent(DIR).direction(POLAR, 9000, 0)},
        {"inertia, coefficient and x", inertia, [](CTactraCondition& c) {
             return as<CTactraInertia>(c).ChangeParameters(8, NGD, NGD, 3, NG); },
         Sent(DIR | BLOCK).direction(CART, 3, 0).block(words({cond(0, 8, 8, 2, 2, 3)}))},
        {"friction, nothing given still resets the saturations", friction,
         [](CTactraCondition& c) {
             return as<CTactraFriction>(c).ChangeParameters(NGD, NGD, NG, NG); },
         Sent(BLOCK).block(words({cond(0, 1, 1, 10000, 10000, 3)}))},
        {"friction, polar dead band", friction, [](CTactraCondition& c) {
             return as<CTactraFriction>(c).ChangeParametersPolar(NGD, 9, NG); },
         Sent(BLOCK).block(words({cond(0, 1, 1, 10000, 10000, 9)}))},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Effect effect = row.make(device());
        sim().log_clear();
        EXPECT_TRUE(row.change(*effect)) << "code " << CTKLErrors::GetLastErrorCode();
        expect_sent(row.sent);
    }
}

TEST_P(ConditionKinds, GridRecordsAreOneSided) {
    if (directInput()) {
        CTactraGrid grid;
        EXPECT_FALSE(grid.Initialize(device(), 50, 0, 4000, 0, 10, 0, 9000, 0));
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), DIERR_DEVICENOTREG);
        EXPECT_EQ(last("CreateEffect").guid, GUID_Tactra_Grid) << "passed on unchanged";
        return;
    }
    const Cond gx = cond(10, 4000, 0, 9000, 0, 50), gy = cond(20, 5000, 0, 8000, 0, 60);
    const struct {
        const char* name;
        DWORD values[8];
        Created created;
    } rows[] = {
        {"X only", {50, 0, 4000, 0, 10, 0, 9000, 0}, {CART, {0}, {1}, words({gx})}},
        {"Y only", {0, 60, 4000, 5000, 10, 20, 9000, 8000}, {CART, {4}, {1}, words({gy})}},
        {"both", {50, 60, 4000, 5000, 10, 20, 9000, 8000}, {CART, {0, 4}, {1, 1}, words({gx, gy})}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CTactraGrid grid;
        const DWORD* v = row.values;
        ASSERT_TRUE(grid.Initialize(device(), v[0], v[1], LONG(v[2]), LONG(v[3]), v[4], v[5],
                                    v[6], v[7]));
        EXPECT_EQ(last("CreateEffect").params.guid, GUID_Tactra_Grid);
        expect_created(row.created);
    }
    CTactraGrid none;
    EXPECT_FALSE(none.Initialize(device(), 50, 0, 0, 0, 10, 0, 9000, 0));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_NULL_PARAMETER);

    CTactraGrid both, xOnly;
    ASSERT_TRUE(both.Initialize(device(), 50, 60, 4000, 5000, 10, 20, 9000, 8000));
    ASSERT_TRUE(xOnly.Initialize(device(), 50, 0, 4000, 0, 10, 0, 9000, 0));
    sim().log_clear();
    // Within an axis that changes, 0x80000000 keeps and 0 stores 0.
    ASSERT_TRUE(both.ChangeParameters(NGD, 0, NG, 7000, NGD, NGD, NGD, NGD));
    expect_sent(Sent(BLOCK).block(words({gx, cond(20, 7000, 0, 8000, 0, 0)})));
    // The offset alone changes its axis.
    sim().log_clear();
    ASSERT_TRUE(xOnly.ChangeParameters(NGD, NGD, NG, NG, 33, NGD, NGD, NGD))
        << "code " << CTKLErrors::GetLastErrorCode();
    expect_sent(Sent(BLOCK).block(words({cond(33, 4000, 0, 9000, 0, 50)})));
    const std::function<BOOL()> refused[] = {
        [&] { return xOnly.ChangeParameters(NGD, NGD, NG, 7000, NGD, NGD, NGD, NGD); },
        [&] { return both.ChangeParameters(0, NGD, 0, NG, NGD, 0, NGD, 0); },
    };
    for (const auto& change : refused) {
        EXPECT_FALSE(change());
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_INVALID_PARAMETER);
    }
}

TEST(ConditionKindsWithoutDevice, EachClassAcceptsItsKindsOnly) {
    CTactraCondition condition(GUID_Tactra_DeviceSpring);
    CTactraSpring spring;
    CTactraDamper damper;
    CTactraInertia inertia;
    CTactraFriction friction;
    CTactraGrid grid;
    CTactraTexture texture;
    const GUID* conditionKinds[] = {&GUID_Tactra_Spring, &GUID_Tactra_DeviceSpring,
                                    &GUID_Tactra_Damper, &GUID_Tactra_Inertia,
                                    &GUID_Tactra_Friction, &GUID_Tactra_Texture,
                                    &GUID_Tactra_Grid};
    const struct {
        CTactraEffect* object;
        GUID kind;
        std::vector<const GUID*> accepted;
    } rows[] = {
        {&condition, GUID_Tactra_DeviceSpring,
         std::vector<const GUID*>(std::begin(conditionKinds), std::end(conditionKinds))},
        {&spring, GUID_Tactra_Spring, {&GUID_Tactra_Spring}},
        {&damper, GUID_Tactra_Damper, {&GUID_Tactra_Damper}},
        {&inertia, GUID_Tactra_Inertia, {&GUID_Tactra_Inertia}},
        {&friction, GUID_Tactra_Friction, {&GUID_Tactra_Friction}},
        {&grid, GUID_Tactra_Grid, {&GUID_Tactra_Grid}},
        {&texture, GUID_Tactra_Texture, {&GUID_Tactra_Texture}},
    };
    unsigned count = 0;
    const tkl::EffectKind* kinds = tkl::effect_kinds(&count);
    for (const auto& row : rows) {
        EXPECT_EQ(row.object->GetGUID(), row.kind);
        for (unsigned i = 0; i < count; ++i) {
            GUID kind = *kinds[i].kind;
            bool expected = false;
            for (const GUID* accepted : row.accepted)
                expected = expected || *accepted == kind;
            EXPECT_EQ(bool(row.object->GetIsCompatibleGUID(kind)), expected)
                << row.kind << " given " << kind;
        }
        GUID directInputSpring = GUID_Spring;
        EXPECT_FALSE(row.object->GetIsCompatibleGUID(directInputSpring));
    }
}

}  // namespace
