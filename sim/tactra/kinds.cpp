#include "sim/tactra/kinds.h"

namespace {

// {5959DFxx-2911-11D1-B049-0020AF30269A}: the kinds differ only in their first group.
const GUID kFamily = {0x5959DF00, 0x2911, 0x11D1, {0xB0, 0x49, 0x00, 0x20, 0xAF, 0x30, 0x26, 0x9A}};

struct Kind {
    DWORD first;
    SimBlock block;
    SimRenderKind law;
};

const Kind kKinds[] = {
    {0x5959DF71, SimBlock::Constant, SimRenderKind::Constant},
    {0x5959DF72, SimBlock::Ramp, SimRenderKind::Ramp},
    {0x5959DF73, SimBlock::Periodic, SimRenderKind::Square},
    {0x5959DF74, SimBlock::Periodic, SimRenderKind::Sine},
    {0x5959DF75, SimBlock::Periodic, SimRenderKind::Triangle},
    {0x5959DF76, SimBlock::Periodic, SimRenderKind::SawtoothUp},
    {0x5959DF77, SimBlock::Periodic, SimRenderKind::SawtoothDown},
    {0x5959DF78, SimBlock::Condition, SimRenderKind::Spring},
    {0x5959DF79, SimBlock::Condition, SimRenderKind::Damper},
    {0x5959DF7A, SimBlock::Condition, SimRenderKind::Inertia},
    {0x5959DF7B, SimBlock::Condition, SimRenderKind::Friction},
    {0x5959DF7C, SimBlock::Texture, SimRenderKind::Texture},
    {0x5959DF7D, SimBlock::Condition, SimRenderKind::Grid},
    {0x5959DF7E, SimBlock::Custom, SimRenderKind::Custom},
    {0x5959DF7F, SimBlock::Enclosure, SimRenderKind::Enclosure},
    {0x5959DF82, SimBlock::Ellipse, SimRenderKind::Ellipse},
    {0x5959DF83, SimBlock::Condition, SimRenderKind::DeviceSpring},
};

const Kind* find(const GUID& kind) {
    GUID family = kind;
    family.Data1 = kFamily.Data1;
    if (!IsEqualGUID(family, kFamily))
        return nullptr;
    for (const Kind& k : kKinds)
        if (k.first == kind.Data1)
            return &k;
    return nullptr;
}

}  // namespace

bool tactra_kind_block(const GUID& kind, SimBlock* block) {
    const Kind* k = find(kind);
    if (k)
        *block = k->block;
    return k != nullptr;
}

SimRenderKind tactra_render_kind(const GUID& kind) {
    const Kind* k = find(kind);
    return k ? k->law : SimRenderKind::None;
}
