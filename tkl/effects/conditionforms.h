#pragma once
// The rules that the condition effects and the texture share. Both describe an effect by one or
// two per-axis records (TACTRA_CONDITION, TACTRA_TEXTURE) in one of four forms, take a caller's
// records field by field, and check a change against the stored form. The differences between
// the two record types are in RecordTraits.

#include "tkl/core/tklerrors.h"
#include "tkl/devices/tactrarecords.h"
#include "tkl/effects/markers.h"

#include <cstring>

namespace tkl {

// The forms: which axes the effect acts on and how many records it sends.
enum : DWORD {
    FORM_X_AXIS = 1,       // one record on X
    FORM_Y_AXIS = 2,       // one record on Y
    FORM_TWO_AXES = 3,     // an X record and a Y record
    FORM_DIRECTIONAL = 4,  // one record along a direction over X and Y
};

struct FormLayout {
    DWORD cAxes;
    DWORD axes[2];
    DWORD records;  // records in the type-specific block
};

// The layout of a form; null for a value that is no form (0 is "no form yet").
inline const FormLayout* form_layout(DWORD form) {
    static const FormLayout kLayouts[] = {
        {1, {TACTRA_AXIS_X, 0}, 1},
        {1, {TACTRA_AXIS_Y, 0}, 1},
        {2, {TACTRA_AXIS_X, TACTRA_AXIS_Y}, 2},
        {2, {TACTRA_AXIS_X, TACTRA_AXIS_Y}, 1},
    };
    return form >= FORM_X_AXIS && form <= FORM_DIRECTIONAL ? &kLayouts[form - 1] : nullptr;
}

// Where a record's 32-bit fields start (a size field is the object's, never the caller's),
// which one is the offset, and whether an offset of -1 means "keep" as 0x80000000 does.
template <class Record>
struct RecordTraits;

template <>
struct RecordTraits<TACTRA_CONDITION> {
    static const unsigned kFirstField = 0;
    static const unsigned kOffsetField = 0;
    static const bool kOffsetMinusOneKeeps = true;
};

template <>
struct RecordTraits<TACTRA_TEXTURE> {
    static const unsigned kFirstField = 1;
    static const unsigned kOffsetField = 1;
    static const bool kOffsetMinusOneKeeps = false;
};

template <class Record>
bool record_kept(const Record* record) {
    return record == TKL_RECORD_NOT_GIVEN(Record);
}

// A record to read: neither null nor the "keep" marker.
template <class Record>
bool record_real(const Record* record) {
    return record && !record_kept(record);
}

// Whether a record's offset field holds a value that a merge stores.
template <class Record>
bool offset_given(LONG offset) {
    return given(offset) && !(RecordTraits<Record>::kOffsetMinusOneKeeps && offset == -1);
}

// Takes each field of `from` that holds a value; returns whether the offset was taken.
template <class Record>
bool merge_record(Record& stored, const Record& from) {
    typedef RecordTraits<Record> Traits;
    const unsigned kFields = sizeof(Record) / sizeof(DWORD);
    DWORD to[kFields], in[kFields];
    std::memcpy(to, &stored, sizeof to);
    std::memcpy(in, &from, sizeof in);
    bool offset = false;
    for (unsigned i = Traits::kFirstField; i < kFields; ++i) {
        if (i == Traits::kOffsetField) {
            if (!offset_given<Record>(LONG(in[i])))
                continue;
            offset = true;
        } else if (!given(in[i])) {
            continue;
        }
        to[i] = in[i];
    }
    std::memcpy(&stored, to, sizeof to);
    return offset;
}

// The form of an initialisation from an X and a Y record: two axes, Y alone or X alone.
template <class Record>
DWORD form_for_records(const Record* x, const Record* y) {
    return x && y ? FORM_TWO_AXES : y ? FORM_Y_AXIS : FORM_X_AXIS;
}

// Fills a record that reset_effect_struct has just rebuilt: the coordinate flag with object
// offsets, infinite duration, full gain, no trigger and no envelope; the form (the stored one
// when `form` is not given) with its axes and block; each source merged into its record (form
// 1: a into [0], form 2: b into [0], form 3: a into [0] and b into [1], form 4: a into [0]);
// the direction entries that are given in the directional form, 1 and 1 in the others.
// Returns false, with the record left as the reset made it, when the form is no form (the
// value is still stored, so that later changes fail their form checks). offsetTaken[i]
// tells whether records[i] took an offset.
template <class Record>
bool fill_formed_record(TACTRA_EFFECT& effect, Record (&records)[2], DWORD& storedForm,
                        DWORD form, DWORD coordinates, LONG first, LONG second,
                        const Record* a, const Record* b, bool offsetTaken[2]) {
    offsetTaken[0] = offsetTaken[1] = false;
    if (given(form))
        storedForm = form;
    const FormLayout* layout = form_layout(storedForm);
    if (!layout)
        return false;
    effect.dwFlags = coordinates | TACTRA_FEFFECT_OBJECTOFFSETS;
    effect.dwDuration = TACTRA_INFINITE;
    effect.dwSamplePeriod = 0;
    effect.dwGain = TACTRA_NOMINAL_MAX;
    effect.dwTriggerButton = TACTRA_NOTRIGGER;
    effect.dwTriggerRepeatInterval = 0;
    effect.lpEnvelope = nullptr;
    effect.cAxes = layout->cAxes;
    effect.rgdwAxes[0] = layout->axes[0];
    effect.rgdwAxes[1] = layout->axes[1];
    effect.cbTypeSpecificParams = DWORD(layout->records * sizeof(Record));
    const Record* sources[2] = {storedForm == FORM_Y_AXIS ? b : a,
                                storedForm == FORM_TWO_AXES ? b : nullptr};
    for (int i = 0; i < 2; ++i)
        if (record_real(sources[i]))
            offsetTaken[i] = merge_record(records[i], *sources[i]);
    if (storedForm == FORM_DIRECTIONAL) {
        if (given(first))
            effect.rglDirection[0] = first;
        if (given(second))
            effect.rglDirection[1] = second;
    } else {
        effect.rglDirection[0] = 1;
        effect.rglDirection[1] = 1;
    }
    effect.lpvTypeSpecificParams = records;
    return true;
}

// The check of a change that gives an X and a Y record: TKL_ERR_NONE, or the code to report.
template <class Record>
LONG check_axis_records(DWORD form, const Record* x, const Record* y) {
    const bool xAbsent = !record_real(x), yAbsent = !record_real(y);
    switch (form) {
    case FORM_X_AXIS:
        return !xAbsent && yAbsent ? TKL_ERR_NONE : TKL_ERR_INVALID_PARAMETER;
    case FORM_Y_AXIS:
        return !yAbsent && xAbsent ? TKL_ERR_NONE : TKL_ERR_INVALID_PARAMETER;
    case FORM_TWO_AXES:
        return x && y && !(record_kept(x) && record_kept(y)) ? TKL_ERR_NONE
                                                             : TKL_ERR_INVALID_PARAMETER;
    case FORM_DIRECTIONAL:
        return TKL_ERR_WRONG_FORM;
    default:
        return TKL_ERR_INVALID_PARAMETER;
    }
}

// Whether a change gives a direction: an angle, or either Cartesian component.
inline bool direction_given(DWORD coordinates, LONG first, LONG second) {
    return coordinates == TACTRA_FEFFECT_POLAR ? given(first) : given(first) || given(second);
}

// A change that gives records: what it must pass, how the record is rebuilt (always in the
// stored form) and the mask it is sent with.
template <class Record>
struct RecordChange {
    LONG check;         // TKL_ERR_NONE, or the code the change fails with
    DWORD coordinates;  // TACTRA_FEFFECT_CARTESIAN or _POLAR
    LONG first;         // direction entries
    LONG second;
    const Record* a;
    const Record* b;
    DWORD mask;
};

// An X and a Y record, for forms 1 to 3; only the block is sent.
template <class Record>
RecordChange<Record> axis_records_change(DWORD form, const Record* x, const Record* y) {
    const RecordChange<Record> change = {check_axis_records(form, x, y), TACTRA_FEFFECT_CARTESIAN,
                                         1, 1, x, y, TACTRA_EP_TYPESPECIFICPARAMS};
    return change;
}

// One record along a direction, for the directional form: the direction goes when it is given,
// the block unless the record is kept.
template <class Record>
RecordChange<Record> directional_change(DWORD form, DWORD coordinates, LONG first, LONG second,
                                        const Record* record) {
    const bool direction = direction_given(coordinates, first, second);
    const RecordChange<Record> change = {
        form == FORM_DIRECTIONAL ? TKL_ERR_NONE : TKL_ERR_INVALID_PARAMETER,
        coordinates,
        first,
        second,
        record,
        nullptr,
        (direction ? TACTRA_EP_DIRECTION : 0u) |
            (record_kept(record) ? 0u : TACTRA_EP_TYPESPECIFICPARAMS)};
    return change;
}

// The mask of a change with plain values: the block goes when the point has no -1
// coordinate or when any value is given.
inline DWORD value_change_mask(bool directionGiven, POINT point, bool valueGiven) {
    const bool pointGiven = point.x != TKL_NO_POINT && point.y != TKL_NO_POINT;
    return (directionGiven ? TACTRA_EP_DIRECTION : 0u) |
           (pointGiven || valueGiven ? TACTRA_EP_TYPESPECIFICPARAMS : 0u);
}

}  // namespace tkl
