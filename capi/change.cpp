// Changing effects: each kind's change operations in their Cartesian and polar forms, and the
// operations every effect shares.
#include "capi/convert.h"

using namespace tkl_c;

namespace {

bool grid_kind(tkl_kind k) { return k == TKL_KIND_GRID; }
bool texture_kind(tkl_kind k) { return k == TKL_KIND_TEXTURE; }
bool centered_kind(tkl_kind k) {
    return (k >= TKL_KIND_SPRING && k <= TKL_KIND_TEXTURE) || is_wall(k);
}

tkl_status change_condition(CTactraEffect& e, tkl_kind kind, const tkl_condition_params& p,
                            bool polar, LONG x, LONG y) {
    switch (kind) {
    case TKL_KIND_SPRING: {
        CTactraSpring& s = static_cast<CTactraSpring&>(e);
        const POINT c = point(p.center);
        return result(polar ? s.ChangeParametersPolar(c, p.coefficient, p.saturation,
                                                      p.dead_band, x)
                            : s.ChangeParameters(c, p.coefficient, p.saturation, p.dead_band, x,
                                                 y));
    }
    case TKL_KIND_DAMPER: {
        CTactraDamper& s = static_cast<CTactraDamper&>(e);
        return result(polar ? s.ChangeParametersPolar(p.coefficient, p.saturation, p.dead_band, x)
                            : s.ChangeParameters(p.coefficient, p.saturation, p.dead_band, x, y));
    }
    case TKL_KIND_INERTIA: {
        CTactraInertia& s = static_cast<CTactraInertia&>(e);
        return result(polar ? s.ChangeParametersPolar(p.coefficient, p.saturation, p.dead_band, x)
                            : s.ChangeParameters(p.coefficient, p.saturation, p.dead_band, x, y));
    }
    default: {
        CTactraFriction& s = static_cast<CTactraFriction&>(e);
        return result(polar ? s.ChangeParametersPolar(p.coefficient, p.dead_band, x)
                            : s.ChangeParameters(p.coefficient, p.dead_band, x, y));
    }
    }
}

tkl_status change_force(CTactraEffect& e, tkl_kind kind, const tkl_force_params& p, bool polar,
                        LONG x, LONG y, TACTRA_ENVELOPE* env) {
    if (kind == TKL_KIND_CONSTANT) {
        CTactraConstant& f = static_cast<CTactraConstant&>(e);
        return result(polar ? f.ChangeParametersPolar(x, p.duration, p.magnitude, env)
                            : f.ChangeParameters(x, y, p.duration, p.magnitude, env));
    }
    if (kind == TKL_KIND_RAMP) {
        CTactraRamp& f = static_cast<CTactraRamp&>(e);
        return result(polar ? f.ChangeParametersPolar(x, p.duration, p.start, p.end, env)
                            : f.ChangeParameters(x, y, p.duration, p.start, p.end, env));
    }
    CTactraPeriodic& f = static_cast<CTactraPeriodic&>(e);
    return result(polar ? f.ChangeParametersPolar(DWORD(p.magnitude), p.period, p.duration, x,
                                                  p.offset, p.phase, env)
                        : f.ChangeParameters(DWORD(p.magnitude), p.period, p.duration, x, y,
                                             p.offset, p.phase, env));
}

// The effect of a change with its values and direction checked.
tkl_status begin(tkl_effect handle, bool (*accepts)(tkl_kind), const void* params,
                 const tkl_direction* direction, Entry** entry, bool& polar, LONG& x, LONG& y) {
    const tkl_status status = find_effect(handle, accepts, entry);
    if (status != TKL_OK) return status;
    if (!params) return fail(TKL_ERR_NULL_PARAMETER);
    return change_direction(direction, polar, x, y) ? TKL_OK : TKL_ERR_INVALID_PARAMETER;
}

}  // namespace

extern "C" {

tkl_status TKL_CALL tkl_condition_change(tkl_effect effect, const tkl_condition_params* params,
                                         const tkl_direction* direction) {
    Entry* entry = nullptr;
    bool polar = false;
    LONG x = 0, y = 0;
    const tkl_status status = begin(effect, is_condition, params, direction, &entry, polar, x, y);
    if (status != TKL_OK) return status;
    return change_condition(*static_cast<CTactraEffect*>(entry->object), entry->kind, *params,
                            polar, x, y);
}

tkl_status TKL_CALL tkl_grid_change(tkl_effect effect, const tkl_grid_params* params) {
    Entry* entry = nullptr;
    const tkl_status status = find_effect(effect, grid_kind, &entry);
    if (status != TKL_OK) return status;
    if (!params) return fail(TKL_ERR_NULL_PARAMETER);
    const tkl_grid_params& p = *params;
    return result(static_cast<CTactraGrid*>(entry->object)
                      ->ChangeParameters(p.dead_band[0], p.dead_band[1], p.coefficient[0],
                                         p.coefficient[1], p.offset[0], p.offset[1],
                                         p.saturation[0], p.saturation[1]));
}

tkl_status TKL_CALL tkl_texture_change(tkl_effect effect, const tkl_texture_params* params,
                                       const tkl_direction* direction) {
    Entry* entry = nullptr;
    bool polar = false;
    LONG x = 0, y = 0;
    const tkl_status status = begin(effect, texture_kind, params, direction, &entry, polar, x, y);
    if (status != TKL_OK) return status;
    const tkl_texture_params& p = *params;
    CTactraTexture* t = static_cast<CTactraTexture*>(entry->object);
    const POINT offset = point(p.offset);
    return result(polar ? t->ChangeTextureParamsPolar(p.positive_value1, p.positive_value2,
                                                      p.positive_roughness, p.negative_value1,
                                                      p.negative_value2, p.negative_roughness,
                                                      offset, x)
                        : t->ChangeTextureParams(p.positive_value1, p.positive_value2,
                                                 p.positive_roughness, p.negative_value1,
                                                 p.negative_value2, p.negative_roughness,
                                                 offset, x, y));
}

tkl_status TKL_CALL tkl_force_change(tkl_effect effect, const tkl_force_params* params,
                                     const tkl_direction* direction,
                                     const tkl_envelope* envelope) {
    Entry* entry = nullptr;
    bool polar = false;
    LONG x = 0, y = 0;
    const tkl_status status = begin(effect, is_force, params, direction, &entry, polar, x, y);
    if (status != TKL_OK) return status;
    Envelope env(envelope);
    return change_force(*static_cast<CTactraEffect*>(entry->object), entry->kind, *params, polar,
                        x, y, env.get());
}

tkl_status TKL_CALL tkl_effect_set_center(tkl_effect effect, tkl_point center) {
    Entry* entry = nullptr;
    const tkl_status status = find_effect(effect, centered_kind, &entry);
    if (status != TKL_OK) return status;
    const POINT c = point(center);
    switch (entry->kind) {
    case TKL_KIND_TEXTURE:
        return result(static_cast<CTactraTexture*>(entry->object)->SetOffset(c));
    case TKL_KIND_ENCLOSURE:
    case TKL_KIND_BOX:
        return result(static_cast<CTactraEnclosure*>(entry->object)->SetCenter(c));
    case TKL_KIND_ELLIPSE:
        return result(static_cast<CTactraEllipse*>(entry->object)->SetCenter(c));
    default:  // the conditions and the grid
        return result(static_cast<CTactraCondition*>(entry->object)->SetCenter(c));
    }
}

tkl_status TKL_CALL tkl_effect_set_direction(tkl_effect effect, const tkl_direction* direction) {
    Entry* entry = nullptr;
    bool polar = false;
    LONG x = 0, y = 0;
    tkl_status status = find_effect(effect, nullptr, &entry);
    if (status != TKL_OK) return status;
    if (!direction) return fail(TKL_ERR_NULL_PARAMETER);
    if (!change_direction(direction, polar, x, y)) return TKL_ERR_INVALID_PARAMETER;
    CTactraEffect* e = static_cast<CTactraEffect*>(entry->object);
    return result(polar ? e->ChangeDirection(x) : e->ChangeDirection(x, y));
}

tkl_status TKL_CALL tkl_effect_set_envelope(tkl_effect effect, const tkl_envelope* envelope) {
    Entry* entry = nullptr;
    const tkl_status status = find_effect(effect, nullptr, &entry);
    if (status != TKL_OK) return status;
    if (envelope == TKL_C_ENVELOPE_KEEP) return fail(TKL_ERR_INVALID_PARAMETER);
    Envelope env(envelope);
    return result(static_cast<CTactraEffect*>(entry->object)->SetEnvelope(env.get()));
}

tkl_status TKL_CALL tkl_effect_change_base(tkl_effect effect, const tkl_base_params* params,
                                           const tkl_direction* direction,
                                           const tkl_envelope* envelope) {
    Entry* entry = nullptr;
    bool polar = false;
    LONG x = 0, y = 0;
    const tkl_status status = begin(effect, nullptr, params, direction, &entry, polar, x, y);
    if (status != TKL_OK) return status;
    const tkl_base_params& p = *params;
    Envelope env(envelope);
    CTactraEffect* e = static_cast<CTactraEffect*>(entry->object);
    return result(polar ? e->ChangeBaseParamsPolar(x, p.duration, env.get(), p.sample_period,
                                                   p.gain, p.trigger_button,
                                                   p.trigger_repeat_interval)
                        : e->ChangeBaseParams(x, y, p.duration, env.get(), p.sample_period,
                                              p.gain, p.trigger_button,
                                              p.trigger_repeat_interval));
}

}  // extern "C"
