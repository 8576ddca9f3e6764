#include "tkl/effects/tactracondition.h"

#include "tkl/core/tklerrors.h"
#include "tkl/effects/conditionforms.h"
#include "tkl/effects/conditiongeometry.h"

#include <cassert>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>

using tkl::given;

namespace {

typedef TACTRA_CONDITION Condition;

const LONG kNone = LONG(TKL_NOT_GIVEN);
const POINT kOrigin = {0, 0};
const POINT kKeepCenter = {TKL_NO_POINT, TKL_NO_POINT};

void set_code(LONG code) { CTKLErrors::SetErrorCode(code); }

bool any_given(LONG positiveCoefficient, LONG negativeCoefficient, DWORD positiveSaturation,
               DWORD negativeSaturation, LONG deadBand) {
    return given(positiveCoefficient) || given(negativeCoefficient) ||
           given(positiveSaturation) || given(negativeSaturation) || given(deadBand);
}

// The entry of a caller's direction array, or no value past its axes.
LONG direction_entry(const TACTRA_EFFECT& effect, DWORD index) {
    return effect.rglDirection && index < effect.cAxes ? effect.rglDirection[index] : kNone;
}

}  // namespace

CTactraCondition::CTactraCondition(const GUID& kind)
    : CTactraEffect(kind),
      m_Conditions(),
      m_dwForm(0),
      m_bCenterAtCursor(0),
      m_bDeviceUnits(0),
      m_dwGivenCoordinates(0),
      m_laGivenDirection{0, 0} {}

CTactraCondition::CTactraCondition(const CTactraCondition& other) : CTactraEffect(other) {
    copy_condition(other);
}

CTactraCondition& CTactraCondition::operator=(const CTactraCondition& other) {
    if (this != &other) {
        CTactraEffect::operator=(other);
        copy_condition(other);
    }
    return *this;
}

CTactraCondition::~CTactraCondition() {}

void CTactraCondition::copy_condition(const CTactraCondition& other) {
    std::memcpy(m_Conditions, other.m_Conditions, sizeof m_Conditions);
    m_dwForm = other.m_dwForm;
    m_bCenterAtCursor = other.m_bCenterAtCursor;
    m_bDeviceUnits = other.m_bDeviceUnits;
    m_dwGivenCoordinates = other.m_dwGivenCoordinates;
    std::memcpy(m_laGivenDirection, other.m_laGivenDirection, sizeof m_laGivenDirection);
    adopt_block(other, other.m_Conditions, m_Conditions);
}

BOOL CTactraCondition::GetIsCompatibleGUID(GUID& kind) {
    return tkl::class_accepts_kind(tkl::EffectClass::Condition, kind);
}

bool CTactraCondition::is_spring() const {
    return std::memcmp(&m_guidEffect, &GUID_Tactra_Spring, sizeof(GUID)) == 0;
}

BOOL CTactraCondition::Initialize(CTactraDevice* device, const TACTRA_EFFECT& effect) {
    set_code(TKL_ERR_NONE);
    if (!effect.lpvTypeSpecificParams) {
        OutputDebugStringA("Effect's lpvTypeSpecificParams is NULL in CTactraCondition::Initialize!\n");
        return FALSE;
    }
    const Condition* block = static_cast<const Condition*>(effect.lpvTypeSpecificParams);
    const char* const badSize =
        "Force cbTypeSpecificParams not 1 or 2 in CTactraCondition::Initialize!\n";
    DWORD form;
    DWORD coordinates = TACTRA_FEFFECT_CARTESIAN;
    LONG first = 1, second = 1;
    const Condition* a = nullptr;
    const Condition* b = nullptr;
    if (effect.cAxes == 1) {
        // The record must hold the one condition it is read for.
        if (effect.cbTypeSpecificParams < sizeof(Condition)) {
            OutputDebugStringA(badSize);
            return FALSE;
        }
        const DWORD axis = effect.rgdwAxes ? effect.rgdwAxes[0] : ~DWORD(0);
        if (axis == TACTRA_AXIS_X) {
            form = tkl::FORM_X_AXIS;
            a = block;
        } else if (axis == TACTRA_AXIS_Y) {
            form = tkl::FORM_Y_AXIS;
            b = block;
        } else {
            OutputDebugStringA("Effect's m_dwaAxes[0] not set correctly one axis condition in "
                               "CTactraCondition::Initialize!\n");
            return FALSE;
        }
    } else {
        assert(effect.cAxes == 2);
        if (effect.cbTypeSpecificParams == sizeof(Condition)) {
            form = tkl::FORM_DIRECTIONAL;
            a = block;
            first = direction_entry(effect, 0);
            if (effect.dwFlags & TACTRA_FEFFECT_CARTESIAN) {
                second = direction_entry(effect, 1);
            } else {
                coordinates = TACTRA_FEFFECT_POLAR;
                second = 0;
            }
        } else if (effect.cbTypeSpecificParams == 2 * sizeof(Condition)) {
            form = tkl::FORM_TWO_AXES;
            a = block;
            b = block + 1;
        } else {
            OutputDebugStringA(badSize);
            return FALSE;
        }
    }
    if (device)
        m_dwDeviceType = device->GetDeviceType();
    if (!set_parameters(form, coordinates, first, second, a, b))
        return FALSE;
    return initialize(device);
}

// What every initialisation takes from the device before it builds the record.
void CTactraCondition::take_device(CTactraDevice* device, int deviceUnits) {
    if (!device)
        return;
    m_dwDeviceType = device->GetDeviceType();
    if (deviceUnits && m_dwDeviceType == TKL_DEVICE_TYPE_DIRECTINPUT) {
        // For the object's life: offsets from now on are the device's own.
        m_guidEffect = GUID_Tactra_DeviceSpring;
        m_bDeviceUnits = deviceUnits;
    }
}

BOOL CTactraCondition::InitCondition(CTactraDevice* device, const Condition* x,
                                     const Condition* y, int deviceUnits) {
    set_code(TKL_ERR_NONE);
    take_device(device, deviceUnits);
    if (!set_parameters(tkl::form_for_records(x, y), TACTRA_FEFFECT_CARTESIAN, 1, 1, x, y))
        return FALSE;
    return initialize(device);
}

BOOL CTactraCondition::InitCondition(CTactraDevice* device, const Condition* record, LONG x,
                                     LONG y, int deviceUnits) {
    set_code(TKL_ERR_NONE);
    take_device(device, deviceUnits);
    if (!set_parameters(tkl::FORM_DIRECTIONAL, TACTRA_FEFFECT_CARTESIAN, x, y, record, nullptr))
        return FALSE;
    return initialize(device);
}

BOOL CTactraCondition::InitConditionPolar(CTactraDevice* device, const Condition* record,
                                          LONG angle, int deviceUnits) {
    set_code(TKL_ERR_NONE);
    take_device(device, deviceUnits);
    if (!set_parameters(tkl::FORM_DIRECTIONAL, TACTRA_FEFFECT_POLAR, angle, 0, record, nullptr))
        return FALSE;
    return initialize(device);
}

BOOL CTactraCondition::InitCondition(CTactraDevice* device, LONG positiveCoefficient,
                                     LONG negativeCoefficient, DWORD positiveSaturation,
                                     DWORD negativeSaturation, LONG deadBand, DWORD form,
                                     POINT center, LONG x, LONG y, int deviceUnits) {
    set_code(TKL_ERR_NONE);
    take_device(device, deviceUnits);
    if (!set_parameters(form, TACTRA_FEFFECT_CARTESIAN, x, y, positiveCoefficient,
                        negativeCoefficient, positiveSaturation, negativeSaturation, deadBand,
                        center))
        return FALSE;
    return initialize(device);
}

// Unlike the other initialisations this one leaves the last code as it is until the device
// is reached (its rebuild cannot fail: the form is fixed and both records exist).
BOOL CTactraCondition::InitConditionPolar(CTactraDevice* device, LONG positiveCoefficient,
                                          LONG negativeCoefficient, DWORD positiveSaturation,
                                          DWORD negativeSaturation, LONG deadBand,
                                          POINT center, LONG angle, int deviceUnits) {
    take_device(device, deviceUnits);
    if (!set_parameters(tkl::FORM_DIRECTIONAL, TACTRA_FEFFECT_POLAR, angle, 0,
                        positiveCoefficient, negativeCoefficient, positiveSaturation,
                        negativeSaturation, deadBand, center))
        return FALSE;
    return initialize(device);
}

BOOL CTactraCondition::init_symmetric(CTactraDevice* device, LONG coefficient,
                                      DWORD saturation, LONG deadBand, DWORD form, LONG x,
                                      LONG y) {
    return InitCondition(device, coefficient, coefficient, saturation, saturation, deadBand,
                         form, kOrigin, x, y, 0);
}

BOOL CTactraCondition::init_symmetric_polar(CTactraDevice* device, LONG coefficient,
                                            DWORD saturation, LONG deadBand, LONG angle) {
    return InitConditionPolar(device, coefficient, coefficient, saturation, saturation,
                              deadBand, kOrigin, angle, 0);
}

BOOL CTactraCondition::change_symmetric(LONG coefficient, DWORD saturation, LONG deadBand,
                                        LONG x, LONG y) {
    return ChangeConditionParams(coefficient, coefficient, saturation, saturation, deadBand,
                                 kKeepCenter, x, y);
}

BOOL CTactraCondition::change_symmetric_polar(LONG coefficient, DWORD saturation,
                                              LONG deadBand, LONG angle) {
    return ChangeConditionParamsPolar(coefficient, coefficient, saturation, saturation,
                                      deadBand, kKeepCenter, angle);
}

// The common start of every change; `check` is the argument check's verdict.
BOOL CTactraCondition::begin_condition_change(LONG check) {
    if (!begin_change())
        return FALSE;
    if (m_bDeviceUnits && m_dwDeviceType == TKL_DEVICE_TYPE_DIRECTINPUT)
        m_guidEffect = GUID_Tactra_DeviceSpring;
    if (check != TKL_ERR_NONE) {
        set_code(check);
        return FALSE;
    }
    return TRUE;
}

BOOL CTactraCondition::change_records(const tkl::RecordChange<Condition>& change) {
    if (!begin_condition_change(change.check))
        return FALSE;
    if (!set_parameters(TKL_NOT_GIVEN, change.coordinates, change.first, change.second, change.a,
                        change.b))
        return FALSE;
    return finish_change(change.mask);
}

BOOL CTactraCondition::ChangeConditionParams(const Condition* x, const Condition* y) {
    return change_records(tkl::axis_records_change(m_dwForm, x, y));
}

BOOL CTactraCondition::ChangeConditionParams(const Condition* record, LONG x, LONG y) {
    return change_records(
        tkl::directional_change(m_dwForm, TACTRA_FEFFECT_CARTESIAN, x, y, record));
}

BOOL CTactraCondition::ChangeConditionParamsPolar(const Condition* record, LONG angle) {
    return change_records(
        tkl::directional_change(m_dwForm, TACTRA_FEFFECT_POLAR, angle, 0, record));
}

BOOL CTactraCondition::change_values(DWORD coordinates, LONG first, LONG second,
                                     LONG positiveCoefficient, LONG negativeCoefficient,
                                     DWORD positiveSaturation, DWORD negativeSaturation,
                                     LONG deadBand, POINT center) {
    if (!begin_condition_change(TKL_ERR_NONE))
        return FALSE;
    if (!set_parameters(TKL_NOT_GIVEN, coordinates, first, second, positiveCoefficient,
                        negativeCoefficient, positiveSaturation, negativeSaturation, deadBand,
                        center))
        return FALSE;
    return finish_change(tkl::value_change_mask(
        tkl::direction_given(coordinates, first, second), center,
        any_given(positiveCoefficient, negativeCoefficient, positiveSaturation,
                  negativeSaturation, deadBand)));
}

BOOL CTactraCondition::ChangeConditionParams(LONG positiveCoefficient,
                                             LONG negativeCoefficient,
                                             DWORD positiveSaturation,
                                             DWORD negativeSaturation, LONG deadBand,
                                             POINT center, LONG x, LONG y) {
    return change_values(TACTRA_FEFFECT_CARTESIAN, x, y, positiveCoefficient,
                         negativeCoefficient, positiveSaturation, negativeSaturation, deadBand,
                         center);
}

BOOL CTactraCondition::ChangeConditionParamsPolar(LONG positiveCoefficient,
                                                  LONG negativeCoefficient,
                                                  DWORD positiveSaturation,
                                                  DWORD negativeSaturation, LONG deadBand,
                                                  POINT center, LONG angle) {
    return change_values(TACTRA_FEFFECT_POLAR, angle, 0, positiveCoefficient,
                         negativeCoefficient, positiveSaturation, negativeSaturation, deadBand,
                         center);
}

BOOL CTactraCondition::SetCenter(POINT center) {
    return ChangeConditionParams(kNone, kNone, TKL_NOT_GIVEN, TKL_NOT_GIVEN, kNone, center,
                                 kNone, kNone);
}

BOOL CTactraCondition::ChangeConditionParams2(TX_ArgumentType type, ...) {
    set_code(TKL_ERR_NONE);
    LONG positiveCoefficient = 2500, negativeCoefficient = 2500, deadBand = 100, angle = 0;
    DWORD positiveSaturation = 10000, negativeSaturation = 10000;
    POINT center = {TKL_CURSOR_POINT, TKL_CURSOR_POINT};
    const Condition* record = nullptr;
    const Condition* record2 = nullptr;
    bool hasRecord = false, hasRecord2 = false;
    va_list args;
    va_start(args, type);
    // Selectors arrive promoted to int; LONG and DWORD values are 32 bits on every target.
    for (int selector = type; selector != TX_END; selector = va_arg(args, int)) {
        switch (selector) {
        case TX_POS_COEFFICIENT: positiveCoefficient = va_arg(args, LONG); break;
        case TX_NEG_COEFFICIENT: negativeCoefficient = va_arg(args, LONG); break;
        case TX_POS_SATURATION: positiveSaturation = va_arg(args, DWORD); break;
        case TX_NEG_SATURATION: negativeSaturation = va_arg(args, DWORD); break;
        case TX_DEAD_BAND: deadBand = va_arg(args, LONG); break;
        case TX_IGNORED: (void)va_arg(args, DWORD); break;
        case TX_CENTER: center = va_arg(args, POINT); break;
        case TX_DIRECTION_X:
        case TX_DIRECTION_Y: (void)va_arg(args, LONG); break;
        case TX_ANGLE: angle = va_arg(args, LONG); break;
        case TX_CONDITION:
            record = va_arg(args, const Condition*);
            hasRecord = true;
            break;
        case TX_CONDITION2:
            record2 = va_arg(args, const Condition*);
            hasRecord2 = true;
            break;
        default:
            va_end(args);
            OutputDebugStringA("Unknown parameter type passed to ChangeConditionParams2!\n");
            return FALSE;
        }
    }
    va_end(args);
    if (hasRecord2)
        return ChangeConditionParams(record, record2);
    if (hasRecord)
        return ChangeConditionParamsPolar(record, angle);
    return ChangeConditionParamsPolar(positiveCoefficient, negativeCoefficient,
                                      positiveSaturation, negativeSaturation, deadBand, center,
                                      angle);
}

BOOL CTactraCondition::Start(DWORD iterations, DWORD flags) {
    set_code(TKL_ERR_NONE);
    if (!m_pEffect) {
        set_code(TKL_ERR_EFFECT_NOT_INITIALIZED);
        return FALSE;
    }
    if (m_bCenterAtCursor) {
        POINT cursor = {0, 0};
        if (!GetCursorPos(&cursor))
            cursor.x = cursor.y = 0;
        SetCenter(cursor);
        m_bCenterAtCursor = 1;
    }
    return CTactraEffect::Start(iterations, flags);
}

BOOL CTactraCondition::set_parameters(DWORD form, DWORD coordinates, LONG first, LONG second,
                                      const Condition* a, const Condition* b) {
    if (!a && !b) {
        set_code(TKL_ERR_NULL_PARAMETER);
        return FALSE;
    }
    // A point on a spring's line: the offsets given for x and y. A kept record, or an offset
    // that is itself a "keep" marker, gives none.
    POINT point = {0, 0};
    bool hasPoint = !tkl::record_kept(a) && !tkl::record_kept(b);
    if (hasPoint) {
        point.x = a ? a->lOffset : 0;
        point.y = b ? b->lOffset : 0;
        hasPoint = tkl::offset_given<Condition>(point.x) && tkl::offset_given<Condition>(point.y);
    }
    // A change that names no direction rebuilds along the stored one, so that a new center
    // (the cursor-following Start included) is measured along the effect's own direction.
    if (!tkl::direction_given(coordinates, first, second) && m_dwGivenCoordinates) {
        coordinates = m_dwGivenCoordinates;
        first = m_laGivenDirection[0];
        second = m_laGivenDirection[1];
    }
    reset_effect_struct();
    bool offsetTaken[2];
    if (!tkl::fill_formed_record(m_Effect, m_Conditions, m_dwForm, form, coordinates, first,
                                 second, a, b, offsetTaken)) {
        set_code(TKL_ERR_INVALID_PARAMETER);
        return FALSE;
    }
    m_dwGivenCoordinates = coordinates;
    m_laGivenDirection[0] = m_laDirection[0];
    m_laGivenDirection[1] = m_laDirection[1];
    if (is_spring() && !m_bDeviceUnits && m_dwForm == tkl::FORM_DIRECTIONAL && hasPoint) {
        convert_line_point_to_offset(point);
        offsetTaken[0] = true;
    }
    if (m_dwDeviceType == TKL_DEVICE_TYPE_DIRECTINPUT && is_spring())
        convert_to_device_units(offsetTaken);
    return TRUE;
}

BOOL CTactraCondition::set_parameters(DWORD form, DWORD coordinates, LONG first, LONG second,
                                      LONG positiveCoefficient, LONG negativeCoefficient,
                                      DWORD positiveSaturation, DWORD negativeSaturation,
                                      LONG deadBand, POINT center) {
    const bool atCursor = tkl::is_cursor_point(center);
    const bool noCenter = !atCursor && (center.x == TKL_NO_POINT || center.y == TKL_NO_POINT);
    const int follow = tkl::follows_cursor_after(center, noCenter, m_bCenterAtCursor);
    if (atCursor) {
        // Until the next Start moves it again, the center is where the cursor is now: the
        // marker itself is no position a device could take.
        POINT cursor = {0, 0};
        if (!GetCursorPos(&cursor))
            cursor.x = cursor.y = 0;
        center = cursor;
    } else if (noCenter) {
        // No center: neither offset changes (and none is sent), whatever the other coordinate.
        center.x = center.y = TKL_NO_POINT;
    }
    const Condition a = {center.x, positiveCoefficient, negativeCoefficient,
                         positiveSaturation, negativeSaturation, deadBand};
    Condition b = a;
    b.lOffset = center.y;
    if (!set_parameters(form, coordinates, first, second, &a, &b))
        return FALSE;
    m_bCenterAtCursor = follow;
    return TRUE;
}

void CTactraCondition::convert_line_point_to_offset(POINT point) {
    double px = point.x, py = point.y;
    if (m_dwDeviceType == TKL_DEVICE_TYPE_DIRECTINPUT) {
        // DirectInput's origin is the middle of the screen.
        px = double(std::int64_t(point.x) - GetSystemMetrics(SM_CXSCREEN) / 2);
        py = double(std::int64_t(point.y) - GetSystemMetrics(SM_CYSCREEN) / 2);
    }
    const bool polar = (m_Effect.dwFlags & TACTRA_FEFFECT_POLAR) != 0;
    if (polar)
        m_laDirection[0] = tkl::fold_angle(m_laDirection[0]);
    else
        assert(m_Effect.dwFlags & TACTRA_FEFFECT_CARTESIAN);
    const tkl::LineOffset line =
        tkl::line_offset(polar, m_laDirection[0], m_laDirection[1], px, py);
    char text[256];
    std::snprintf(text, sizeof text,
                  "API: pntOnLine=(%ld,%ld), m=%f, distance=%f, pnt=(%f,%f)\n", long(point.x),
                  long(point.y), line.slope, line.distance, px, py);
    OutputDebugStringA(text);
    m_Conditions[0].lOffset = tkl::truncate_to_long(line.distance);
}

// Offsets this rebuild stored, from screen pixels to the DirectInput device's units; the
// directional form's direction entries are rebuilt every time and always converted.
void CTactraCondition::convert_to_device_units(const bool offsetTaken[2]) {
    const LONG cx = GetSystemMetrics(SM_CXSCREEN);
    const LONG cy = GetSystemMetrics(SM_CYSCREEN);
    assert(cx);
    if (cx == 0 || cy == 0)
        return;
    if (m_dwForm != tkl::FORM_DIRECTIONAL) {
        const tkl::FormLayout* layout = tkl::form_layout(m_dwForm);
        for (DWORD i = 0; layout && i < layout->records; ++i)
            if (offsetTaken[i])
                m_Conditions[i].lOffset = tkl::pixels_to_device(
                    m_Conditions[i].lOffset, m_dwaAxes[i] == TACTRA_AXIS_Y ? cy : cx);
        return;
    }
    tkl::AxisWeights weights;
    if (m_Effect.dwFlags & TACTRA_FEFFECT_POLAR)
        weights = tkl::convert_polar_direction(m_laDirection[0], cx, cy);
    else if (!tkl::convert_cartesian_direction(m_laDirection[0], m_laDirection[1], cx, cy,
                                               weights))
        OutputDebugStringA("x and y direction vectors are both zero!\n");
    if (offsetTaken[0])
        m_Conditions[0].lOffset =
            tkl::directional_to_device(m_Conditions[0].lOffset, weights, cx, cy);
}
