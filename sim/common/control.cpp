#include "sim/common/control.h"

#include "sim/common/effectcore.h"

int sim_control_effect_get(SimModule& module, unsigned index, SimEffectState* out) {
    SimEffectCore* effect = module.effect_at(index);
    if (!effect || !out)
        return 0;
    effect->fill_state(out);
    return 1;
}

int sim_control_get_property(SimModule& module, DWORD number, DWORD* values, unsigned count) {
    const unsigned n = module.property_values(number);
    const int device = module.current_device();
    if (n == 0 || device < 0 || (count && !values))
        return 0;
    for (unsigned i = 0; i < count && i < n; ++i)
        values[i] = module.slot(device).props[number][i];
    return 1;
}
