#pragma once
// What the C interface's plain values become at the class interface.

#include "capi/registry.h"

#include "tkl/tkl.h"

namespace tkl_c {

inline POINT point(tkl_point p) { return POINT{p.x, p.y}; }
inline RECT rect(const tkl_rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// An envelope argument: the caller's values in a record of ours, null, or the keep marker.
class Envelope {
public:
    explicit Envelope(const tkl_envelope* envelope);
    TACTRA_ENVELOPE* get() { return pointer_; }

private:
    TACTRA_ENVELOPE record_;
    TACTRA_ENVELOPE* pointer_;
};

// A direction of a change: null keeps it (Cartesian, both not given); only the Cartesian and
// polar forms. False with code 3 for another form.
bool change_direction(const tkl_direction* direction, bool& polar, LONG& x, LONG& y);

// The kind's GUID, or null for TKL_KIND_OTHER and values out of range.
const GUID* kind_guid(tkl_kind kind);
// The kind a project's GUID is played as; TKL_KIND_OTHER for kinds without a class of their own.
tkl_kind kind_of(const GUID& guid);

inline bool is_condition(tkl_kind k) { return k >= TKL_KIND_SPRING && k <= TKL_KIND_FRICTION; }
inline bool is_periodic(tkl_kind k) { return k >= TKL_KIND_SQUARE && k <= TKL_KIND_SAWTOOTH_DOWN; }
inline bool is_force(tkl_kind k) {
    return k == TKL_KIND_CONSTANT || k == TKL_KIND_RAMP || is_periodic(k);
}
inline bool is_wall(tkl_kind k) { return k >= TKL_KIND_ENCLOSURE && k <= TKL_KIND_ELLIPSE; }

// The live effect entry of a handle whose kind satisfies `accepts` (null: any kind; code 3
// otherwise).
tkl_status find_effect(tkl_effect handle, bool (*accepts)(tkl_kind), Entry** out);

// A new handle for an object just made, or the object deleted with code 2.
template <class T>
tkl_status hand_out(Sort sort, T* object, void** out, Entry** made = nullptr) {
    Entry* entry = add(sort, object);
    if (!entry) {
        delete object;
        return TKL_ERR_ALLOCATION_FAILED;
    }
    *out = handle_of(entry);
    if (made) *made = entry;
    CTKLErrors::SetErrorCode(TKL_ERR_NONE);
    return TKL_OK;
}

}  // namespace tkl_c
