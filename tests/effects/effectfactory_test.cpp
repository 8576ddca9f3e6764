// CTactraEffect::NewObjectFromGUID: the class made for every kind, and the kinds it refuses.
#include "tkl/tkl.h"

#include <gtest/gtest.h>

#include <memory>
#include <typeindex>
#include <typeinfo>

#include "tests/effects/devicefixture.h"

namespace {

TEST(EffectFactory, EveryKindGetsItsClass) {
    const struct {
        const GUID* kind;
        std::type_index made;
    } rows[] = {
        {&GUID_Tactra_ConstantForce, typeid(CTactraConstant)},
        {&GUID_Tactra_RampForce, typeid(CTactraRamp)},
        {&GUID_Tactra_Square, typeid(CTactraPeriodic)},
        {&GUID_Tactra_Sine, typeid(CTactraPeriodic)},
        {&GUID_Tactra_Triangle, typeid(CTactraPeriodic)},
        {&GUID_Tactra_SawtoothUp, typeid(CTactraPeriodic)},
        {&GUID_Tactra_SawtoothDown, typeid(CTactraPeriodic)},
        {&GUID_Tactra_Spring, typeid(CTactraSpring)},
        {&GUID_Tactra_DeviceSpring, typeid(CTactraCondition)},
        {&GUID_Tactra_Damper, typeid(CTactraDamper)},
        {&GUID_Tactra_Inertia, typeid(CTactraInertia)},
        {&GUID_Tactra_Friction, typeid(CTactraFriction)},
        {&GUID_Tactra_Texture, typeid(CTactraTexture)},
        {&GUID_Tactra_Grid, typeid(CTactraGrid)},
        {&GUID_Tactra_CustomForce, typeid(CTactraEffect)},
        {&GUID_Tactra_Enclosure, typeid(CTactraEnclosure)},
        {&GUID_Tactra_Ellipse, typeid(CTactraEllipse)},
    };
    unsigned kinds = 0;
    tkl::effect_kinds(&kinds);
    ASSERT_EQ(sizeof rows / sizeof rows[0], kinds) << "every kind of the table";
    for (const auto& row : rows) {
        CTKLErrors::SetErrorCode(TKL_ERR_UNKNOWN);
        std::unique_ptr<CTactraEffect> effect(CTactraEffect::NewObjectFromGUID(*row.kind));
        ASSERT_NE(effect, nullptr) << *row.kind;
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_NONE) << *row.kind;
        EXPECT_EQ(std::type_index(typeid(*effect)), row.made) << *row.kind;
        EXPECT_TRUE(IsEqualGUID(effect->GetGUID(), *row.kind)) << *row.kind;
        GUID kind = *row.kind;
        EXPECT_TRUE(effect->GetIsCompatibleGUID(kind)) << *row.kind;
        // Unbound: nothing to start until it is initialised.
        EXPECT_EQ(effect->GetEffect(), nullptr);
        EXPECT_FALSE(effect->Start(1, 0));
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_EFFECT_NOT_INITIALIZED) << *row.kind;
    }
}

TEST(EffectFactory, KindsOfNoClassAreRefused) {
    const GUID between = {0x5959DF80, 0x2911, 0x11D1,
                          {0xB0, 0x49, 0x00, 0x20, 0xAF, 0x30, 0x26, 0x9A}};
    const GUID none = {};
    const GUID* rows[] = {&GUID_ConstantForce, &GUID_RampForce, &GUID_Square,  &GUID_Sine,
                          &GUID_Triangle,      &GUID_SawtoothUp, &GUID_SawtoothDown,
                          &GUID_Spring,        &GUID_Damper,    &GUID_Inertia, &GUID_Friction,
                          &GUID_CustomForce,   &between,        &none};
    for (const GUID* kind : rows) {
        CTKLErrors::SetErrorCode(TKL_ERR_NONE);
        EXPECT_EQ(CTactraEffect::NewObjectFromGUID(*kind), nullptr) << *kind;
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_INVALID_GUID) << *kind;
    }
}

}  // namespace
