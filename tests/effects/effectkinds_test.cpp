// The table of effect kinds: DirectInput translation and which class accepts which kind.
#include "tkl/effects/effectkinds.h"

#include <gtest/gtest.h>

#include "tkl/platform/dinput.h"

namespace {

using tkl::EffectClass;

std::string text(const GUID& g) {
    char buf[40];
    snprintf(buf, sizeof buf, "{%08lX-%04X-%04X-...}", (unsigned long)g.Data1, g.Data2, g.Data3);
    return buf;
}

TEST(EffectKinds, SeventeenKindsOfTheProductForm) {
    unsigned count = 0;
    const tkl::EffectKind* kinds = tkl::effect_kinds(&count);
    ASSERT_EQ(count, 17u);
    for (unsigned i = 0; i < count; ++i) {
        const GUID& g = *kinds[i].kind;
        EXPECT_EQ(g.Data1 & 0xFFFFFF00u, 0x5959DF00u) << text(g);
        EXPECT_EQ(g.Data2, 0x2911u);
        EXPECT_EQ(g.Data3, 0x11D1u);
        EXPECT_EQ(g.Data4[0], 0xB0);
        EXPECT_EQ(g.Data4[7], 0x9A);
        EXPECT_NE(g.Data1, 0x5959DF80u);
        EXPECT_NE(g.Data1, 0x5959DF81u);
    }
    EXPECT_EQ(GUID_Tactra_Ellipse.Data1, 0x5959DF82u);
    EXPECT_EQ(GUID_Tactra_DeviceSpring.Data1, 0x5959DF83u);
}

TEST(EffectKinds, TranslationToDirectInput) {
    const struct {
        const GUID* kind;
        const GUID* expected;
    } rows[] = {
        {&GUID_Tactra_ConstantForce, &GUID_ConstantForce},
        {&GUID_Tactra_RampForce, &GUID_RampForce},
        {&GUID_Tactra_Square, &GUID_Square},
        {&GUID_Tactra_Sine, &GUID_Sine},
        {&GUID_Tactra_Triangle, &GUID_Triangle},
        {&GUID_Tactra_SawtoothUp, &GUID_SawtoothUp},
        {&GUID_Tactra_SawtoothDown, &GUID_SawtoothDown},
        {&GUID_Tactra_Spring, &GUID_Spring},
        {&GUID_Tactra_DeviceSpring, &GUID_Spring},
        {&GUID_Tactra_Damper, &GUID_Damper},
        {&GUID_Tactra_Inertia, &GUID_Inertia},
        {&GUID_Tactra_Friction, &GUID_Friction},
        {&GUID_Tactra_CustomForce, &GUID_CustomForce},
        // No counterpart: passed on unchanged.
        {&GUID_Tactra_Texture, &GUID_Tactra_Texture},
        {&GUID_Tactra_Grid, &GUID_Tactra_Grid},
        {&GUID_Tactra_Enclosure, &GUID_Tactra_Enclosure},
        {&GUID_Tactra_Ellipse, &GUID_Tactra_Ellipse},
        // Not a product kind at all.
        {&GUID_Spring, &GUID_Spring},
    };
    for (const auto& row : rows) {
        GUID g = *row.kind;
        tkl::translate_to_directinput(g);
        EXPECT_TRUE(IsEqualGUID(g, *row.expected)) << text(*row.kind) << " gave " << text(g);
    }
}

TEST(EffectKinds, CompatibilityPerClass) {
    unsigned count = 0;
    const tkl::EffectKind* kinds = tkl::effect_kinds(&count);
    const struct {
        EffectClass cls;
        std::vector<const GUID*> accepted;
    } rows[] = {
        {EffectClass::Condition,
         {&GUID_Tactra_Spring, &GUID_Tactra_DeviceSpring, &GUID_Tactra_Damper, &GUID_Tactra_Inertia,
          &GUID_Tactra_Friction, &GUID_Tactra_Texture, &GUID_Tactra_Grid}},
        {EffectClass::Spring, {&GUID_Tactra_Spring}},
        {EffectClass::Damper, {&GUID_Tactra_Damper}},
        {EffectClass::Inertia, {&GUID_Tactra_Inertia}},
        {EffectClass::Friction, {&GUID_Tactra_Friction}},
        {EffectClass::Grid, {&GUID_Tactra_Grid}},
        {EffectClass::Texture, {&GUID_Tactra_Texture}},
        {EffectClass::Constant, {&GUID_Tactra_ConstantForce}},
        {EffectClass::Ramp, {&GUID_Tactra_RampForce}},
        {EffectClass::Periodic,
         {&GUID_Tactra_Square, &GUID_Tactra_Sine, &GUID_Tactra_Triangle, &GUID_Tactra_SawtoothUp,
          &GUID_Tactra_SawtoothDown}},
        {EffectClass::Enclosure, {&GUID_Tactra_Enclosure}},
        {EffectClass::Ellipse, {&GUID_Tactra_Ellipse}},
    };
    for (const auto& row : rows) {
        for (unsigned i = 0; i < count; ++i) {
            bool expected = false;
            for (const GUID* g : row.accepted)
                expected |= IsEqualGUID(*g, *kinds[i].kind);
            EXPECT_EQ(tkl::class_accepts_kind(row.cls, *kinds[i].kind), expected)
                << "class " << int(row.cls) << " kind " << text(*kinds[i].kind);
        }
        EXPECT_FALSE(tkl::class_accepts_kind(row.cls, GUID_Spring)) << "class " << int(row.cls);
    }
    // The base class takes any kind, even one that is not a product kind.
    EXPECT_TRUE(tkl::class_accepts_kind(EffectClass::Effect, GUID_Spring));
    EXPECT_TRUE(tkl::class_accepts_kind(EffectClass::Effect, GUID_Tactra_Texture));
}

}  // namespace
