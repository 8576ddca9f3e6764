#include "sim/dinput/kinds.h"

#include <cstdio>
#include <cstring>

namespace {

const DWORD kForce = DIEFT_FFATTACK | DIEFT_FFFADE;
const DWORD kCondition =
    DIEFT_SATURATION | DIEFT_POSNEGCOEFFICIENTS | DIEFT_POSNEGSATURATION | DIEFT_DEADBAND;

const DIKind kKinds[] = {
    {&GUID_ConstantForce, SimBlock::Constant, SimRenderKind::Constant,
     DIEFT_CONSTANTFORCE | kForce, "Constant Force"},
    {&GUID_RampForce, SimBlock::Ramp, SimRenderKind::Ramp,
     DIEFT_RAMPFORCE | kForce, "Ramp Force"},
    {&GUID_Square, SimBlock::Periodic, SimRenderKind::Square,
     DIEFT_PERIODIC | kForce, "Square"},
    {&GUID_Sine, SimBlock::Periodic, SimRenderKind::Sine,
     DIEFT_PERIODIC | kForce, "Sine"},
    {&GUID_Triangle, SimBlock::Periodic, SimRenderKind::Triangle,
     DIEFT_PERIODIC | kForce, "Triangle"},
    {&GUID_SawtoothUp, SimBlock::Periodic, SimRenderKind::SawtoothUp,
     DIEFT_PERIODIC | kForce, "Sawtooth Up"},
    {&GUID_SawtoothDown, SimBlock::Periodic, SimRenderKind::SawtoothDown,
     DIEFT_PERIODIC | kForce, "Sawtooth Down"},
    {&GUID_Spring, SimBlock::Condition, SimRenderKind::Spring,
     DIEFT_CONDITION | kCondition, "Spring"},
    {&GUID_Damper, SimBlock::Condition, SimRenderKind::Damper,
     DIEFT_CONDITION | kCondition, "Damper"},
    {&GUID_Inertia, SimBlock::Condition, SimRenderKind::Inertia,
     DIEFT_CONDITION | kCondition, "Inertia"},
    {&GUID_Friction, SimBlock::Condition, SimRenderKind::Friction,
     DIEFT_CONDITION | kCondition, "Friction"},
    {&GUID_CustomForce, SimBlock::Custom, SimRenderKind::Custom,
     DIEFT_CUSTOMFORCE | kForce, "Custom Force"},
};

}  // namespace

const DIKind* di_kinds(unsigned* count) {
    *count = unsigned(sizeof kKinds / sizeof kKinds[0]);
    return kKinds;
}

const DIKind* di_find_kind(REFGUID guid) {
    for (const DIKind& k : kKinds)
        if (IsEqualGUID(*k.guid, guid))
            return &k;
    return nullptr;
}

SimRenderKind di_render_kind(const GUID& guid) {
    const DIKind* kind = di_find_kind(guid);
    return kind ? kind->law : SimRenderKind::None;
}

void di_fill_effect_info(const DIKind& kind, DIEFFECTINFOA* info) {
    std::memset(reinterpret_cast<BYTE*>(info) + sizeof(DWORD), 0, sizeof *info - sizeof(DWORD));
    info->guid = *kind.guid;
    info->dwEffType = kind.type;
    info->dwStaticParams = DIEP_ALLPARAMS;
    info->dwDynamicParams = DIEP_ALLPARAMS;
    std::snprintf(info->tszName, sizeof info->tszName, "%s", kind.name);
}
