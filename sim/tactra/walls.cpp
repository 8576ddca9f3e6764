// The inner effect of the mouse's wall kinds (enclosure, ellipse): an effect interface the
// application got from this device, stored by value in the wall's block. The mouse only
// compares it with the effects it handed out, so a stray pointer is never followed.
#include "sim/tactra/objects.h"

#include <cstddef>
#include <cstring>

namespace {

// Where a wall block of this kind keeps its inner effect, or 0 for a kind without one.
std::size_t inner_offset(SimBlock block, DWORD blockSize) {
    if (block == SimBlock::Enclosure && blockSize == sizeof(TACTRA_ENCLOSURE))
        return offsetof(TACTRA_ENCLOSURE, piInnerEffect);
    if (block == SimBlock::Ellipse && blockSize == sizeof(TACTRA_ELLIPSE))
        return offsetof(TACTRA_ELLIPSE, piInnerEffect);
    return 0;
}

ITactraEffect* read_inner(const void* block, std::size_t at) {
    ITactraEffect* inner;
    std::memcpy(&inner, static_cast<const BYTE*>(block) + at, sizeof inner);
    return inner;
}

ITactraEffect* as_interface(const SimEffectCore& effect) {
    return static_cast<SimTactraEffect*>(effect.owner);
}

// The device's effect behind an interface value, or null when it is none of them.
const SimEffectCore* find_effect(SimDeviceCore& device, const ITactraEffect* inner) {
    for (const SimEffectCore* e = device.first_effect(); e; e = e->next_on_device())
        if (as_interface(*e) == inner)
            return e;
    return nullptr;
}

// The inner effect a wall's stored parameters refer to, or null.
ITactraEffect* stored_inner(const SimEffectCore& effect) {
    const std::size_t at = inner_offset(effect.block, effect.params.cbTypeSpecificParams);
    if (!at || !effect.hasParams || !effect.params.hasTypeSpecific)
        return nullptr;
    return read_inner(effect.params.typeSpecific, at);
}

}  // namespace

HRESULT tactra_check_inner(SimDeviceCore& device, SimBlock block, const SimEffectInput& in,
                           DWORD mask, const SimTactraEffect* wall) {
    if (!(mask & TACTRA_EP_TYPESPECIFICPARAMS) || !in.lpvTypeSpecificParams)
        return S_OK;
    const std::size_t at = inner_offset(block, in.cbTypeSpecificParams);
    if (!at)
        return S_OK;  // no wall, or a block the ordinary checks refuse
    const ITactraEffect* self = wall;
    unsigned effects = 0;
    for (const SimEffectCore* e = device.first_effect(); e; e = e->next_on_device())
        ++effects;
    // Follow the chain of inner effects: each must be this device's own, and none may lead
    // back to the wall itself (a wall inside itself could never be played).
    unsigned steps = 0;
    for (ITactraEffect* inner = read_inner(in.lpvTypeSpecificParams, at); inner;) {
        const SimEffectCore* effect = find_effect(device, inner);
        if (!effect || inner == self || ++steps > effects)
            return TACTRA_ERROR_INVALIDPARAM;
        inner = stored_inner(*effect);
    }
    return S_OK;
}

void tactra_drop_inner(SimDeviceCore& device, const SimTactraEffect& released) {
    const ITactraEffect* gone = &released;
    for (SimEffectCore* e = device.first_effect(); e; e = e->next_on_device()) {
        if (stored_inner(*e) != gone)
            continue;
        ITactraEffect* none = nullptr;
        const std::size_t at = inner_offset(e->block, e->params.cbTypeSpecificParams);
        std::memcpy(e->params.typeSpecific + at, &none, sizeof none);
    }
}
