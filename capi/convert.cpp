// Conversions from the C interface's values to the classes' arguments.
#include "capi/convert.h"

namespace tkl_c {

Envelope::Envelope(const tkl_envelope* envelope) : record_(), pointer_(nullptr) {
    if (envelope == TKL_C_ENVELOPE_KEEP) {
        pointer_ = TKL_ENVELOPE_NOT_GIVEN;
    } else if (envelope) {
        record_ = TACTRA_ENVELOPE{sizeof(TACTRA_ENVELOPE), envelope->attack_level,
                                  envelope->attack_time, envelope->fade_level,
                                  envelope->fade_time};
        pointer_ = &record_;
    }
}

bool change_direction(const tkl_direction* direction, bool& polar, LONG& x, LONG& y) {
    polar = false;
    x = y = LONG(TKL_NOT_GIVEN);
    if (!direction) return true;
    if (direction->form != TKL_FORM_CARTESIAN && direction->form != TKL_FORM_POLAR) {
        fail(TKL_ERR_INVALID_PARAMETER);
        return false;
    }
    polar = direction->form == TKL_FORM_POLAR;
    x = direction->x;
    y = direction->y;
    return true;
}

namespace {

struct KindGuid {
    tkl_kind kind;
    const GUID* guid;
};

const KindGuid kKinds[] = {
    {TKL_KIND_SPRING, &GUID_Tactra_Spring},     {TKL_KIND_DAMPER, &GUID_Tactra_Damper},
    {TKL_KIND_INERTIA, &GUID_Tactra_Inertia},   {TKL_KIND_FRICTION, &GUID_Tactra_Friction},
    {TKL_KIND_GRID, &GUID_Tactra_Grid},         {TKL_KIND_TEXTURE, &GUID_Tactra_Texture},
    {TKL_KIND_CONSTANT, &GUID_Tactra_ConstantForce},
    {TKL_KIND_RAMP, &GUID_Tactra_RampForce},    {TKL_KIND_SQUARE, &GUID_Tactra_Square},
    {TKL_KIND_SINE, &GUID_Tactra_Sine},         {TKL_KIND_TRIANGLE, &GUID_Tactra_Triangle},
    {TKL_KIND_SAWTOOTH_UP, &GUID_Tactra_SawtoothUp},
    {TKL_KIND_SAWTOOTH_DOWN, &GUID_Tactra_SawtoothDown},
    {TKL_KIND_ENCLOSURE, &GUID_Tactra_Enclosure},
    {TKL_KIND_BOX, &GUID_Tactra_Enclosure},     {TKL_KIND_ELLIPSE, &GUID_Tactra_Ellipse},
};

}  // namespace

const GUID* kind_guid(tkl_kind kind) {
    for (const KindGuid& row : kKinds) {
        if (row.kind == kind) return row.guid;
    }
    return nullptr;
}

tkl_kind kind_of(const GUID& guid) {
    // The first row of a GUID wins: a project's enclosure is an enclosure, never a box.
    for (const KindGuid& row : kKinds) {
        if (*row.guid == guid) return row.kind;
    }
    return TKL_KIND_OTHER;
}

tkl_status find_effect(tkl_effect handle, bool (*accepts)(tkl_kind), Entry** out) {
    const tkl_status status = find(handle, Sort::Effect, out);
    if (status != TKL_OK) return status;
    if (accepts && !accepts((*out)->kind)) {
        *out = nullptr;
        return fail(TKL_ERR_INVALID_PARAMETER);
    }
    return TKL_OK;
}

}  // namespace tkl_c
