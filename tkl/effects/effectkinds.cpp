#include "tkl/effects/effectkinds.h"

#include "tkl/platform/dinput.h"

#include <cstring>

#define TACTRA_KIND(name, first) \
    const GUID name = {first, 0x2911, 0x11D1, {0xB0, 0x49, 0x00, 0x20, 0xAF, 0x30, 0x26, 0x9A}}

extern "C" {
TACTRA_KIND(GUID_Tactra_ConstantForce, 0x5959DF71);
TACTRA_KIND(GUID_Tactra_RampForce, 0x5959DF72);
TACTRA_KIND(GUID_Tactra_Square, 0x5959DF73);
TACTRA_KIND(GUID_Tactra_Sine, 0x5959DF74);
TACTRA_KIND(GUID_Tactra_Triangle, 0x5959DF75);
TACTRA_KIND(GUID_Tactra_SawtoothUp, 0x5959DF76);
TACTRA_KIND(GUID_Tactra_SawtoothDown, 0x5959DF77);
TACTRA_KIND(GUID_Tactra_Spring, 0x5959DF78);
TACTRA_KIND(GUID_Tactra_Damper, 0x5959DF79);
TACTRA_KIND(GUID_Tactra_Inertia, 0x5959DF7A);
TACTRA_KIND(GUID_Tactra_Friction, 0x5959DF7B);
TACTRA_KIND(GUID_Tactra_Texture, 0x5959DF7C);
TACTRA_KIND(GUID_Tactra_Grid, 0x5959DF7D);
TACTRA_KIND(GUID_Tactra_CustomForce, 0x5959DF7E);
TACTRA_KIND(GUID_Tactra_Enclosure, 0x5959DF7F);
TACTRA_KIND(GUID_Tactra_Ellipse, 0x5959DF82);
TACTRA_KIND(GUID_Tactra_DeviceSpring, 0x5959DF83);
}

namespace tkl {
namespace {

using C = EffectClass;

const EffectKind kKinds[] = {
    {&GUID_Tactra_ConstantForce, C::Constant, &GUID_ConstantForce},
    {&GUID_Tactra_RampForce, C::Ramp, &GUID_RampForce},
    {&GUID_Tactra_Square, C::Periodic, &GUID_Square},
    {&GUID_Tactra_Sine, C::Periodic, &GUID_Sine},
    {&GUID_Tactra_Triangle, C::Periodic, &GUID_Triangle},
    {&GUID_Tactra_SawtoothUp, C::Periodic, &GUID_SawtoothUp},
    {&GUID_Tactra_SawtoothDown, C::Periodic, &GUID_SawtoothDown},
    {&GUID_Tactra_Spring, C::Spring, &GUID_Spring},
    {&GUID_Tactra_Damper, C::Damper, &GUID_Damper},
    {&GUID_Tactra_Inertia, C::Inertia, &GUID_Inertia},
    {&GUID_Tactra_Friction, C::Friction, &GUID_Friction},
    {&GUID_Tactra_Texture, C::Texture, nullptr},
    {&GUID_Tactra_Grid, C::Grid, nullptr},
    {&GUID_Tactra_CustomForce, C::Effect, &GUID_CustomForce},
    {&GUID_Tactra_Enclosure, C::Enclosure, nullptr},
    {&GUID_Tactra_Ellipse, C::Ellipse, nullptr},
    {&GUID_Tactra_DeviceSpring, C::Condition, &GUID_Spring},
};

bool same(const GUID& a, const GUID& b) { return std::memcmp(&a, &b, sizeof(GUID)) == 0; }

}  // namespace

const EffectKind* effect_kinds(unsigned* count) {
    if (count)
        *count = unsigned(sizeof kKinds / sizeof kKinds[0]);
    return kKinds;
}

const EffectKind* find_effect_kind(const GUID& kind) {
    for (const EffectKind& row : kKinds)
        if (same(*row.kind, kind))
            return &row;
    return nullptr;
}

void translate_to_directinput(GUID& kind) {
    const EffectKind* row = find_effect_kind(kind);
    if (row && row->directInput)
        kind = *row->directInput;
}

bool class_accepts_kind(EffectClass cls, const GUID& kind) {
    if (cls == C::Effect)
        return true;
    const EffectKind* row = find_effect_kind(kind);
    if (!row)
        return false;
    switch (cls) {
    case C::Condition:
        // Every condition-shaped kind, the device-unit spring and the texture included.
        return row->holder == C::Spring || row->holder == C::Damper ||
               row->holder == C::Inertia || row->holder == C::Friction ||
               row->holder == C::Texture || row->holder == C::Grid ||
               row->holder == C::Condition;
    default:
        // Every other class holds exactly the kinds whose holder it is (the five waves for
        // the periodic class).
        return row->holder == cls;
    }
}

}  // namespace tkl
