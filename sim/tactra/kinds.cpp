#include "sim/tactra/kinds.h"

namespace {

// {5959DFxx-2911-11D1-B049-0020AF30269A}: the kinds differ only in their first group.
const GUID kFamily = {0x5959DF00, 0x2911, 0x11D1, {0xB0, 0x49, 0x00, 0x20, 0xAF, 0x30, 0x26, 0x9A}};

struct Kind {
    DWORD first;
    SimBlock block;
};

const Kind kKinds[] = {
    {0x5959DF71, SimBlock::Constant},  {0x5959DF72, SimBlock::Ramp},
    {0x5959DF73, SimBlock::Periodic},  {0x5959DF74, SimBlock::Periodic},
    {0x5959DF75, SimBlock::Periodic},  {0x5959DF76, SimBlock::Periodic},
    {0x5959DF77, SimBlock::Periodic},  {0x5959DF78, SimBlock::Condition},
    {0x5959DF79, SimBlock::Condition}, {0x5959DF7A, SimBlock::Condition},
    {0x5959DF7B, SimBlock::Condition}, {0x5959DF7C, SimBlock::Texture},
    {0x5959DF7D, SimBlock::Condition}, {0x5959DF7E, SimBlock::Custom},
    {0x5959DF7F, SimBlock::Enclosure}, {0x5959DF82, SimBlock::Ellipse},
    {0x5959DF83, SimBlock::Condition},
};

}  // namespace

bool tactra_kind_block(const GUID& kind, SimBlock* block) {
    GUID family = kind;
    family.Data1 = kFamily.Data1;
    if (!IsEqualGUID(family, kFamily))
        return false;
    for (const Kind& k : kKinds) {
        if (k.first == kind.Data1) {
            *block = k.block;
            return true;
        }
    }
    return false;
}
