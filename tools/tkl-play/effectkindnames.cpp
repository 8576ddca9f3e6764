#include "tools/tkl-play/effectkindnames.h"

#include "tkl/effects/effectkinds.h"

namespace play {
namespace {

struct KindName {
    const GUID* kind;
    const char* name;
    bool positional;
};

const KindName kNames[] = {
    {&GUID_Tactra_ConstantForce, "constant force", false},
    {&GUID_Tactra_RampForce, "ramp", false},
    {&GUID_Tactra_Square, "square wave", false},
    {&GUID_Tactra_Sine, "sine wave", false},
    {&GUID_Tactra_Triangle, "triangle wave", false},
    {&GUID_Tactra_SawtoothUp, "sawtooth up", false},
    {&GUID_Tactra_SawtoothDown, "sawtooth down", false},
    {&GUID_Tactra_Spring, "spring", true},
    {&GUID_Tactra_DeviceSpring, "device spring", true},
    {&GUID_Tactra_Damper, "damper", false},
    {&GUID_Tactra_Inertia, "inertia", false},
    {&GUID_Tactra_Friction, "friction", false},
    {&GUID_Tactra_Texture, "texture", true},
    {&GUID_Tactra_Grid, "grid", true},
    {&GUID_Tactra_CustomForce, "custom force", false},
    {&GUID_Tactra_Enclosure, "enclosure", true},
    {&GUID_Tactra_Ellipse, "ellipse", true},
};

const KindName* find(const GUID& kind) {
    const GUID product = product_kind(kind);
    for (const KindName& entry : kNames)
        if (IsEqualGUID(*entry.kind, product))
            return &entry;
    return nullptr;
}

}  // namespace

GUID product_kind(const GUID& kind) {
    unsigned count = 0;
    const tkl::EffectKind* rows = tkl::effect_kinds(&count);
    for (unsigned i = 0; i < count; ++i)
        if (rows[i].directInput && IsEqualGUID(*rows[i].directInput, kind))
            return *rows[i].kind;
    return kind;
}

const char* kind_name(const GUID& kind) {
    const KindName* entry = find(kind);
    return entry ? entry->name : "unknown kind";
}

bool is_position_dependent(const GUID& kind) {
    const KindName* entry = find(kind);
    return entry && entry->positional;
}

}  // namespace play
