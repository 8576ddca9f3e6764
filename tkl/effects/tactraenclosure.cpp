#include "tkl/effects/tactraenclosure.h"

#include "tkl/core/tklerrors.h"
#include "tkl/effects/forcerecord.h"
#include "tkl/effects/wallrules.h"

using tkl::given;

CTactraEnclosure::CTactraEnclosure()
    : CTactraEffect(GUID_Tactra_Enclosure), m_Enclosure(), m_bCenterAtCursor(0) {
    m_Enclosure.dwSize = sizeof m_Enclosure;
}

CTactraEnclosure::CTactraEnclosure(const CTactraEnclosure& other)
    : CTactraEffect(other),
      m_Enclosure(other.m_Enclosure),
      m_bCenterAtCursor(other.m_bCenterAtCursor) {
    adopt_block(other, &other.m_Enclosure, &m_Enclosure);
}

CTactraEnclosure& CTactraEnclosure::operator=(const CTactraEnclosure& other) {
    if (this != &other) {
        CTactraEffect::operator=(other);
        m_Enclosure = other.m_Enclosure;
        m_bCenterAtCursor = other.m_bCenterAtCursor;
        adopt_block(other, &other.m_Enclosure, &m_Enclosure);
    }
    return *this;
}

CTactraEnclosure::~CTactraEnclosure() {}

BOOL CTactraEnclosure::GetIsCompatibleGUID(GUID& kind) {
    return tkl::class_accepts_kind(tkl::EffectClass::Enclosure, kind);
}

BOOL CTactraEnclosure::Initialize(CTactraDevice* device, const TACTRA_EFFECT& effect) {
    tkl::keep_record_block(effect, m_Enclosure);
    return CTactraEffect::Initialize(device, effect);
}

BOOL CTactraEnclosure::Initialize(CTactraDevice* device, DWORD width, DWORD height,
                                  LONG topAndBottomStiffness, LONG leftAndRightStiffness,
                                  DWORD topAndBottomThickness, DWORD leftAndRightThickness,
                                  DWORD topAndBottomSaturation, DWORD leftAndRightSaturation,
                                  DWORD style, DWORD style2, POINT center,
                                  CTactraEffect* inner) {
    const RECT rect = tkl::place_wall(center, width, height, nullptr, m_bCenterAtCursor);
    return Initialize(device, &rect, topAndBottomStiffness, leftAndRightStiffness,
                      topAndBottomThickness, leftAndRightThickness, topAndBottomSaturation,
                      leftAndRightSaturation, style, style2, inner);
}

BOOL CTactraEnclosure::Initialize(CTactraDevice* device, const RECT* rect,
                                  LONG topAndBottomStiffness, LONG leftAndRightStiffness,
                                  DWORD topAndBottomThickness, DWORD leftAndRightThickness,
                                  DWORD topAndBottomSaturation, DWORD leftAndRightSaturation,
                                  DWORD style, DWORD style2, CTactraEffect* inner) {
    set_parameters(rect, topAndBottomStiffness, leftAndRightStiffness, topAndBottomThickness,
                   leftAndRightThickness, topAndBottomSaturation, leftAndRightSaturation, style,
                   style2, inner);
    return initialize(device);
}

BOOL CTactraEnclosure::ChangeParameters(POINT center, DWORD width, DWORD height,
                                        LONG topAndBottomStiffness, LONG leftAndRightStiffness,
                                        DWORD topAndBottomThickness,
                                        DWORD leftAndRightThickness,
                                        DWORD topAndBottomSaturation,
                                        DWORD leftAndRightSaturation, DWORD style,
                                        DWORD style2, CTactraEffect* inner) {
    return begin_change() &&
           tkl::change_wall_center(*this, m_bCenterAtCursor, m_Enclosure.rectBoundary, center,
                                   width, height, topAndBottomStiffness, leftAndRightStiffness,
                                   topAndBottomThickness, leftAndRightThickness,
                                   topAndBottomSaturation, leftAndRightSaturation, style,
                                   style2, inner);
}

BOOL CTactraEnclosure::ChangeParameters(const RECT* rect, LONG topAndBottomStiffness,
                                        LONG leftAndRightStiffness,
                                        DWORD topAndBottomThickness,
                                        DWORD leftAndRightThickness,
                                        DWORD topAndBottomSaturation,
                                        DWORD leftAndRightSaturation, DWORD style,
                                        DWORD style2, CTactraEffect* inner) {
    if (!begin_change())
        return FALSE;
    if (rect)
        m_bCenterAtCursor = 0;
    set_parameters(rect, topAndBottomStiffness, leftAndRightStiffness, topAndBottomThickness,
                   leftAndRightThickness, topAndBottomSaturation, leftAndRightSaturation, style,
                   style2, inner);
    const bool anyGiven = rect || given(topAndBottomStiffness) ||
                          given(leftAndRightStiffness) || given(topAndBottomThickness) ||
                          given(leftAndRightThickness) || given(topAndBottomSaturation) ||
                          given(leftAndRightSaturation) || given(style) || given(style2) ||
                          given(inner);
    return finish_change(tkl::wall_change_mask(anyGiven));
}

BOOL CTactraEnclosure::SetRect(const RECT* rect) {
    const LONG none = LONG(TKL_NOT_GIVEN);
    return ChangeParameters(rect, none, none, TKL_NOT_GIVEN, TKL_NOT_GIVEN, TKL_NOT_GIVEN,
                            TKL_NOT_GIVEN, TKL_NOT_GIVEN, TKL_NOT_GIVEN,
                            TKL_INNER_EFFECT_NOT_GIVEN);
}

BOOL CTactraEnclosure::SetCenter(POINT center) {
    const LONG none = LONG(TKL_NOT_GIVEN);
    return ChangeParameters(center, TKL_NOT_GIVEN, TKL_NOT_GIVEN, none, none, TKL_NOT_GIVEN,
                            TKL_NOT_GIVEN, TKL_NOT_GIVEN, TKL_NOT_GIVEN, TKL_NOT_GIVEN,
                            TKL_NOT_GIVEN, TKL_INNER_EFFECT_NOT_GIVEN);
}

BOOL CTactraEnclosure::SetCenter(LONG x, LONG y) {
    POINT center = {x, y};
    return SetCenter(center);
}

BOOL CTactraEnclosure::Start(DWORD iterations, DWORD flags) {
    return tkl::start_wall(*this, m_bCenterAtCursor, iterations, flags);
}

BOOL CTactraEnclosure::Start(DWORD flags) {
    return begin_change() && tkl::start_wall(*this, m_bCenterAtCursor, 1, flags);
}

BOOL CTactraEnclosure::set_parameters(const RECT* rect, LONG topAndBottomStiffness,
                                      LONG leftAndRightStiffness, DWORD topAndBottomThickness,
                                      DWORD leftAndRightThickness,
                                      DWORD topAndBottomSaturation,
                                      DWORD leftAndRightSaturation, DWORD style, DWORD style2,
                                      CTactraEffect* inner) {
    reset_effect_struct();
    TACTRA_ENCLOSURE& b = m_Enclosure;
    tkl::store_given(b.lTopAndBottomWallStiffness, topAndBottomStiffness);
    tkl::store_given(b.lLeftAndRightWallStiffness, leftAndRightStiffness);
    tkl::store_given(b.dwTopAndBottomWallSaturation, topAndBottomSaturation);
    tkl::store_given(b.dwLeftAndRightWallSaturation, leftAndRightSaturation);
    tkl::store_given(b.dwStyle, style);
    tkl::store_given(b.dwStyle2, style2);
    if (rect)
        b.rectBoundary = *rect;
    tkl::store_thickness(b.dwTopAndBottomWallThickness, topAndBottomThickness,
                         tkl::rect_height(b.rectBoundary));
    tkl::store_thickness(b.dwLeftAndRightWallThickness, leftAndRightThickness,
                         tkl::rect_width(b.rectBoundary));
    tkl::store_inner(b.piInnerEffect, inner);
    tkl::fill_wall_record(m_Effect, TACTRA_FEFFECT_CARTESIAN, &b, sizeof b);
    return TRUE;
}
