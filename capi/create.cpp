// Making effects: one class per kind, initialised with the caller's values in the class's
// Cartesian or polar form.
#include "capi/convert.h"

#include <new>

using namespace tkl_c;

namespace {

// The common frame of every creation: checks the device and the out pointer, makes the
// object, lets `init` initialise it, and hands out the handle (or deletes the object).
template <class T, class Init>
tkl_status create(tkl_device device, tkl_kind kind, const void* params, tkl_effect* out,
                  T* object, Init init) {
    if (!out || !params) {
        delete object;
        return fail(TKL_ERR_NULL_PARAMETER);
    }
    *out = nullptr;
    Entry* dev = nullptr;
    tkl_status status = find(device, Sort::Device, &dev);
    if (status != TKL_OK) {
        delete object;
        return status;
    }
    if (!object) return fail(TKL_ERR_ALLOCATION_FAILED);
    status = init(*object, static_cast<CTactraDevice*>(dev->object));
    if (status != TKL_OK) {
        delete object;
        return status;
    }
    Entry* made = nullptr;
    status = hand_out(Sort::Effect, object, reinterpret_cast<void**>(out), &made);
    if (status == TKL_OK) {
        made->device = slot_of(dev);
        made->kind = kind;
    }
    return status;
}

bool polar(const tkl_direction* d) { return d && d->form == TKL_FORM_POLAR; }

// A creation's direction: required; the Cartesian call takes its form and components.
struct Direction {
    DWORD form;
    LONG x, y;
};
Direction cartesian(const tkl_direction* d) {
    return d ? Direction{d->form, d->x, d->y} : Direction{0, 0, 0};
}

tkl_status init_condition(CTactraEffect& e, tkl_kind kind, CTactraDevice* device,
                          const tkl_condition_params& p, const tkl_direction* d) {
    const Direction c = cartesian(d);
    const LONG angle = c.x;
    switch (kind) {
    case TKL_KIND_SPRING: {
        CTactraSpring& s = static_cast<CTactraSpring&>(e);
        return result(polar(d) ? s.InitializePolar(device, p.coefficient, p.saturation,
                                                   p.dead_band, point(p.center), angle,
                                                   p.device_units)
                               : s.Initialize(device, p.coefficient, p.saturation, p.dead_band,
                                              c.form, point(p.center), c.x, c.y,
                                              p.device_units));
    }
    case TKL_KIND_DAMPER: {
        CTactraDamper& s = static_cast<CTactraDamper&>(e);
        return result(polar(d) ? s.InitializePolar(device, p.coefficient, p.saturation,
                                                   p.dead_band, angle)
                               : s.Initialize(device, p.coefficient, p.saturation, p.dead_band,
                                              c.form, c.x, c.y));
    }
    case TKL_KIND_INERTIA: {
        CTactraInertia& s = static_cast<CTactraInertia&>(e);
        return result(polar(d) ? s.InitializePolar(device, p.coefficient, p.saturation,
                                                   p.dead_band, angle)
                               : s.Initialize(device, p.coefficient, p.saturation, p.dead_band,
                                              c.form, c.x, c.y));
    }
    default: {
        CTactraFriction& s = static_cast<CTactraFriction&>(e);
        return result(polar(d) ? s.InitializePolar(device, p.coefficient, p.dead_band, angle)
                               : s.Initialize(device, p.coefficient, p.dead_band, c.form, c.x,
                                              c.y));
    }
    }
}

CTactraEffect* new_condition(tkl_kind kind) {
    switch (kind) {
    case TKL_KIND_SPRING: return new (std::nothrow) CTactraSpring;
    case TKL_KIND_DAMPER: return new (std::nothrow) CTactraDamper;
    case TKL_KIND_INERTIA: return new (std::nothrow) CTactraInertia;
    default: return new (std::nothrow) CTactraFriction;
    }
}

// A force's direction at creation: Cartesian or polar only.
tkl_status force_direction(const tkl_direction* d) {
    if (!d) return fail(TKL_ERR_NULL_PARAMETER);
    if (d->form != TKL_FORM_CARTESIAN && d->form != TKL_FORM_POLAR)
        return fail(TKL_ERR_INVALID_PARAMETER);
    return TKL_OK;
}

tkl_status init_force(CTactraEffect& e, tkl_kind kind, CTactraDevice* device,
                      const tkl_force_params& p, const tkl_direction& d,
                      const tkl_envelope* envelope) {
    Envelope env(envelope);
    const bool isPolar = d.form == TKL_FORM_POLAR;
    if (kind == TKL_KIND_CONSTANT) {
        CTactraConstant& f = static_cast<CTactraConstant&>(e);
        return result(isPolar ? f.InitializePolar(device, d.x, p.duration, p.magnitude, env.get())
                              : f.Initialize(device, d.x, d.y, p.duration, p.magnitude,
                                             env.get()));
    }
    if (kind == TKL_KIND_RAMP) {
        CTactraRamp& f = static_cast<CTactraRamp&>(e);
        return result(isPolar ? f.InitializePolar(device, d.x, p.duration, p.start, p.end,
                                                  env.get())
                              : f.Initialize(device, d.x, d.y, p.duration, p.start, p.end,
                                             env.get()));
    }
    CTactraPeriodic& f = static_cast<CTactraPeriodic&>(e);
    return result(isPolar ? f.InitializePolar(device, DWORD(p.magnitude), p.period, p.duration,
                                              d.x, p.offset, p.phase, env.get())
                          : f.Initialize(device, DWORD(p.magnitude), p.period, p.duration, d.x,
                                         d.y, p.offset, p.phase, env.get()));
}

CTactraEffect* new_force(tkl_kind kind) {
    if (kind == TKL_KIND_CONSTANT) return new (std::nothrow) CTactraConstant;
    if (kind == TKL_KIND_RAMP) return new (std::nothrow) CTactraRamp;
    return new (std::nothrow) CTactraPeriodic(*kind_guid(kind));
}

CTactraEffect* new_wall(tkl_kind kind) {
    if (kind == TKL_KIND_ENCLOSURE) return new (std::nothrow) CTactraEnclosure;
    if (kind == TKL_KIND_BOX) return new (std::nothrow) CTactraBox;
    return new (std::nothrow) CTactraEllipse;
}

}  // namespace

namespace tkl_c {

// The inner effect of a wall's values (see walls.cpp).
tkl_status inner_effect(const tkl_wall_params& p, std::uint32_t deviceSlot, const Entry* wall,
                        CTactraEffect*& inner, std::uint32_t& innerSlot);
tkl_status init_wall(CTactraEffect& e, tkl_kind kind, CTactraDevice* device,
                     const tkl_wall_params& p, CTactraEffect* inner);

}  // namespace tkl_c

extern "C" {

tkl_status TKL_CALL tkl_condition_create(tkl_device device, tkl_kind kind,
                                         const tkl_condition_params* params,
                                         const tkl_direction* direction, tkl_effect* out) {
    if (!is_condition(kind)) {
        if (out) *out = nullptr;
        return fail(TKL_ERR_INVALID_PARAMETER);
    }
    return create(device, kind, params, out, new_condition(kind),
                  [&](CTactraEffect& e, CTactraDevice* d) {
                      return init_condition(e, kind, d, *params, direction);
                  });
}

tkl_status TKL_CALL tkl_grid_create(tkl_device device, const tkl_grid_params* params,
                                    tkl_effect* out) {
    return create(device, TKL_KIND_GRID, params, out, new (std::nothrow) CTactraGrid,
                  [&](CTactraGrid& g, CTactraDevice* d) {
                      const tkl_grid_params& p = *params;
                      return result(g.Initialize(d, p.dead_band[0], p.dead_band[1],
                                                 p.coefficient[0], p.coefficient[1], p.offset[0],
                                                 p.offset[1], p.saturation[0], p.saturation[1]));
                  });
}

tkl_status TKL_CALL tkl_texture_create(tkl_device device, const tkl_texture_params* params,
                                       const tkl_direction* direction, tkl_effect* out) {
    return create(device, TKL_KIND_TEXTURE, params, out, new (std::nothrow) CTactraTexture,
                  [&](CTactraTexture& t, CTactraDevice* d) {
                      const tkl_texture_params& p = *params;
                      const Direction c = cartesian(direction);
                      return result(
                          polar(direction)
                              ? t.InitTexturePolar(d, p.positive_value1, p.positive_value2,
                                                   p.positive_roughness, p.negative_value1,
                                                   p.negative_value2, p.negative_roughness,
                                                   point(p.offset), c.x)
                              : t.InitTexture(d, p.positive_value1, p.positive_value2,
                                              p.positive_roughness, p.negative_value1,
                                              p.negative_value2, p.negative_roughness, c.form,
                                              point(p.offset), c.x, c.y));
                  });
}

tkl_status TKL_CALL tkl_force_create(tkl_device device, tkl_kind kind,
                                     const tkl_force_params* params,
                                     const tkl_direction* direction,
                                     const tkl_envelope* envelope, tkl_effect* out) {
    if (out) *out = nullptr;
    if (!is_force(kind)) return fail(TKL_ERR_INVALID_PARAMETER);
    const tkl_status status = force_direction(direction);
    if (status != TKL_OK) return status;
    return create(device, kind, params, out, new_force(kind),
                  [&](CTactraEffect& e, CTactraDevice* d) {
                      return init_force(e, kind, d, *params, *direction, envelope);
                  });
}

tkl_status TKL_CALL tkl_wall_create(tkl_device device, tkl_kind kind,
                                    const tkl_wall_params* params, tkl_effect* out) {
    if (out) *out = nullptr;
    if (!is_wall(kind)) return fail(TKL_ERR_INVALID_PARAMETER);
    std::uint32_t innerSlot = 0;
    const tkl_status status = create(
        device, kind, params, out, new_wall(kind), [&](CTactraEffect& e, CTactraDevice* d) {
            Entry* dev = nullptr;
            find(device, Sort::Device, &dev);
            CTactraEffect* inner = nullptr;
            const tkl_status found = inner_effect(*params, slot_of(dev), nullptr, inner, innerSlot);
            return found != TKL_OK ? found : init_wall(e, kind, d, *params, inner);
        });
    if (status == TKL_OK) {
        Entry* made = nullptr;
        find(*out, Sort::Effect, &made);
        made->inner = innerSlot;
    }
    return status;
}

}  // extern "C"
