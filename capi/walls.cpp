// Enclosures, boxes and ellipses: their two placements, the inner effect, and moving them.
#include "capi/convert.h"

using namespace tkl_c;

namespace tkl_c {

// The inner effect the values name: none for null (and for the keep marker at creation),
// TKL_INNER_EFFECT_NOT_GIVEN for the marker in a change, else a live effect on the same device
// that is not the wall itself.
tkl_status inner_effect(const tkl_wall_params& p, std::uint32_t deviceSlot, const Entry* wall,
                        CTactraEffect*& inner, std::uint32_t& innerSlot) {
    inner = nullptr;
    innerSlot = 0;
    if (!p.inner) return TKL_OK;
    if (p.inner == TKL_C_INNER_KEEP) {
        if (wall) {
            inner = TKL_INNER_EFFECT_NOT_GIVEN;
            innerSlot = wall->inner;
        }
        return TKL_OK;
    }
    Entry* entry = nullptr;
    const tkl_status status = find(p.inner, Sort::Effect, &entry);
    if (status != TKL_OK) return status;
    if (entry->device != deviceSlot || entry == wall) return fail(TKL_ERR_INVALID_PARAMETER);
    inner = static_cast<CTactraEffect*>(entry->object);
    innerSlot = slot_of(entry);
    return TKL_OK;
}

tkl_status init_wall(CTactraEffect& e, tkl_kind kind, CTactraDevice* d, const tkl_wall_params& p,
                     CTactraEffect* inner) {
    const bool atCenter = p.placement == TKL_WALL_AT_CENTER;
    if (!atCenter && p.placement != TKL_WALL_ON_RECT) return fail(TKL_ERR_INVALID_PARAMETER);
    const RECT r = rect(p.rect);
    const POINT c = point(p.center);
    if (kind == TKL_KIND_BOX) {
        CTactraBox& b = static_cast<CTactraBox&>(e);
        return result(atCenter ? b.Initialize(d, p.width, p.height, p.stiffness[0],
                                              p.thickness[0], c, inner)
                               : b.Initialize(d, &r, p.stiffness[0], p.thickness[0], inner));
    }
    if (kind == TKL_KIND_ENCLOSURE) {
        CTactraEnclosure& w = static_cast<CTactraEnclosure&>(e);
        return result(atCenter ? w.Initialize(d, p.width, p.height, p.stiffness[0],
                                              p.stiffness[1], p.thickness[0], p.thickness[1],
                                              p.saturation[0], p.saturation[1], p.style,
                                              p.style2, c, inner)
                               : w.Initialize(d, &r, p.stiffness[0], p.stiffness[1],
                                              p.thickness[0], p.thickness[1], p.saturation[0],
                                              p.saturation[1], p.style, p.style2, inner));
    }
    CTactraEllipse& w = static_cast<CTactraEllipse&>(e);
    return result(atCenter ? w.Initialize(d, p.width, p.height, p.stiffness[0], p.thickness[0],
                                          p.saturation[0], p.style, p.style2, c, inner)
                           : w.Initialize(d, &r, p.stiffness[0], p.thickness[0],
                                          p.saturation[0], p.style, p.style2, inner));
}

}  // namespace tkl_c

namespace {

tkl_status change_wall(CTactraEffect& e, tkl_kind kind, const tkl_wall_params& p,
                       CTactraEffect* inner) {
    const bool atCenter = p.placement == TKL_WALL_AT_CENTER;
    if (!atCenter && p.placement != TKL_WALL_ON_RECT) return fail(TKL_ERR_INVALID_PARAMETER);
    const RECT r = rect(p.rect);
    const POINT c = point(p.center);
    if (kind == TKL_KIND_BOX) {
        CTactraBox& b = static_cast<CTactraBox&>(e);
        return result(atCenter ? b.ChangeParameters(c, p.stiffness[0], p.width, p.height,
                                                    p.thickness[0], inner)
                               : b.ChangeParameters(&r, p.stiffness[0], p.thickness[0], inner));
    }
    if (kind == TKL_KIND_ENCLOSURE) {
        CTactraEnclosure& w = static_cast<CTactraEnclosure&>(e);
        return result(atCenter ? w.ChangeParameters(c, p.width, p.height, p.stiffness[0],
                                                    p.stiffness[1], p.thickness[0],
                                                    p.thickness[1], p.saturation[0],
                                                    p.saturation[1], p.style, p.style2, inner)
                               : w.ChangeParameters(&r, p.stiffness[0], p.stiffness[1],
                                                    p.thickness[0], p.thickness[1],
                                                    p.saturation[0], p.saturation[1], p.style,
                                                    p.style2, inner));
    }
    CTactraEllipse& w = static_cast<CTactraEllipse&>(e);
    return result(atCenter ? w.ChangeParameters(c, p.width, p.height, p.stiffness[0],
                                                p.thickness[0], p.saturation[0], p.style,
                                                p.style2, inner)
                           : w.ChangeParameters(&r, p.stiffness[0], p.thickness[0],
                                                p.saturation[0], p.style, p.style2, inner));
}

}  // namespace

extern "C" {

tkl_status TKL_CALL tkl_wall_change(tkl_effect effect, const tkl_wall_params* params) {
    Entry* entry = nullptr;
    tkl_status status = find_effect(effect, is_wall, &entry);
    if (status != TKL_OK) return status;
    if (!params) return fail(TKL_ERR_NULL_PARAMETER);
    CTactraEffect* inner = nullptr;
    std::uint32_t innerSlot = 0;
    status = inner_effect(*params, entry->device, entry, inner, innerSlot);
    if (status != TKL_OK) return status;
    status = change_wall(*static_cast<CTactraEffect*>(entry->object), entry->kind, *params, inner);
    if (status == TKL_OK) entry->inner = innerSlot;
    return status;
}

tkl_status TKL_CALL tkl_wall_set_rect(tkl_effect effect, const tkl_rect* r) {
    Entry* entry = nullptr;
    const tkl_status status = find_effect(effect, is_wall, &entry);
    if (status != TKL_OK) return status;
    if (!r) return fail(TKL_ERR_NULL_PARAMETER);
    const RECT given = rect(*r);
    if (entry->kind == TKL_KIND_ELLIPSE)
        return result(static_cast<CTactraEllipse*>(entry->object)->SetRect(&given));
    return result(static_cast<CTactraEnclosure*>(entry->object)->SetRect(&given));
}

}  // extern "C"
