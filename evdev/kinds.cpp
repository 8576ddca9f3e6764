#include "evdev/kinds.h"

namespace {

// Every kind takes an envelope in the kernel except the conditions; none takes a sample period.
const DWORD kShaped = DIEFT_FFATTACK | DIEFT_FFFADE;
const DWORD kCondition = DIEFT_CONDITION | DIEFT_SATURATION | DIEFT_POSNEGCOEFFICIENTS |
                         DIEFT_POSNEGSATURATION | DIEFT_DEADBAND;

const EvdevKind kKinds[] = {
    {&GUID_ConstantForce, FF_CONSTANT, 0, DIEFT_CONSTANTFORCE | kShaped, "Constant Force"},
    {&GUID_RampForce, FF_RAMP, 0, DIEFT_RAMPFORCE | kShaped, "Ramp Force"},
    {&GUID_Square, FF_PERIODIC, FF_SQUARE, DIEFT_PERIODIC | kShaped, "Square"},
    {&GUID_Sine, FF_PERIODIC, FF_SINE, DIEFT_PERIODIC | kShaped, "Sine"},
    {&GUID_Triangle, FF_PERIODIC, FF_TRIANGLE, DIEFT_PERIODIC | kShaped, "Triangle"},
    {&GUID_SawtoothUp, FF_PERIODIC, FF_SAW_UP, DIEFT_PERIODIC | kShaped, "Sawtooth Up"},
    {&GUID_SawtoothDown, FF_PERIODIC, FF_SAW_DOWN, DIEFT_PERIODIC | kShaped, "Sawtooth Down"},
    {&GUID_Spring, FF_SPRING, 0, kCondition, "Spring"},
    {&GUID_Damper, FF_DAMPER, 0, kCondition, "Damper"},
    {&GUID_Inertia, FF_INERTIA, 0, kCondition, "Inertia"},
    {&GUID_Friction, FF_FRICTION, 0, kCondition, "Friction"},
};

}  // namespace

const EvdevKind* evdev_kinds(unsigned* count) {
    *count = sizeof kKinds / sizeof kKinds[0];
    return kKinds;
}

const EvdevKind* evdev_find_kind(REFGUID guid) {
    for (const EvdevKind& k : kKinds)
        if (IsEqualGUID(*k.guid, guid))
            return &k;
    return nullptr;
}

bool evdev_node_plays(const EvdevNode& node, const EvdevKind& kind) {
    return node.has_ff(kind.type) && (!kind.waveform || node.has_ff(kind.waveform));
}
