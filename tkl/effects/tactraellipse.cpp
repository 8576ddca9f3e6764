#include "tkl/effects/tactraellipse.h"

#include "tkl/effects/forcerecord.h"
#include "tkl/effects/wallrules.h"

using tkl::given;

CTactraEllipse::CTactraEllipse()
    : CTactraEffect(GUID_Tactra_Ellipse), m_Ellipse(), m_bCenterAtCursor(0) {
    m_Ellipse.dwSize = sizeof m_Ellipse;
}

CTactraEllipse::CTactraEllipse(const CTactraEllipse& other)
    : CTactraEffect(other), m_Ellipse(other.m_Ellipse), m_bCenterAtCursor(other.m_bCenterAtCursor) {
    adopt_block(other, &other.m_Ellipse, &m_Ellipse);
}

CTactraEllipse& CTactraEllipse::operator=(const CTactraEllipse& other) {
    if (this != &other) {
        CTactraEffect::operator=(other);
        m_Ellipse = other.m_Ellipse;
        m_bCenterAtCursor = other.m_bCenterAtCursor;
        adopt_block(other, &other.m_Ellipse, &m_Ellipse);
    }
    return *this;
}

CTactraEllipse::~CTactraEllipse() {}

BOOL CTactraEllipse::GetIsCompatibleGUID(GUID& kind) {
    return tkl::class_accepts_kind(tkl::EffectClass::Ellipse, kind);
}

BOOL CTactraEllipse::Initialize(CTactraDevice* device, const TACTRA_EFFECT& effect) {
    tkl::keep_record_block(effect, m_Ellipse);
    return CTactraEffect::Initialize(device, effect);
}

BOOL CTactraEllipse::Initialize(CTactraDevice* device, DWORD width, DWORD height,
                                LONG stiffness, DWORD thickness, DWORD saturation, DWORD style,
                                DWORD style2, POINT center, CTactraEffect* inner) {
    const RECT rect = tkl::place_wall(center, width, height, nullptr, m_bCenterAtCursor);
    return Initialize(device, &rect, stiffness, thickness, saturation, style, style2, inner);
}

BOOL CTactraEllipse::Initialize(CTactraDevice* device, const RECT* rect, LONG stiffness,
                                DWORD thickness, DWORD saturation, DWORD style, DWORD style2,
                                CTactraEffect* inner) {
    set_parameters(rect, stiffness, thickness, saturation, style, style2, inner);
    return initialize(device);
}

BOOL CTactraEllipse::ChangeParameters(POINT center, DWORD width, DWORD height, LONG stiffness,
                                      DWORD thickness, DWORD saturation, DWORD style,
                                      DWORD style2, CTactraEffect* inner) {
    return begin_change() &&
           tkl::change_wall_center(*this, m_bCenterAtCursor, m_Ellipse.rectBoundary, center,
                                   width, height, stiffness, thickness, saturation, style,
                                   style2, inner);
}

BOOL CTactraEllipse::ChangeParameters(const RECT* rect, LONG stiffness, DWORD thickness,
                                      DWORD saturation, DWORD style, DWORD style2,
                                      CTactraEffect* inner) {
    if (!begin_change())
        return FALSE;
    if (rect)
        m_bCenterAtCursor = 0;
    set_parameters(rect, stiffness, thickness, saturation, style, style2, inner);
    const bool anyGiven = rect || given(stiffness) || given(thickness) || given(saturation) ||
                          given(style) || given(style2) || given(inner);
    return finish_change(tkl::wall_change_mask(anyGiven));
}

BOOL CTactraEllipse::SetRect(const RECT* rect) {
    return ChangeParameters(rect, LONG(TKL_NOT_GIVEN), TKL_NOT_GIVEN, TKL_NOT_GIVEN,
                            TKL_NOT_GIVEN, TKL_NOT_GIVEN, TKL_INNER_EFFECT_NOT_GIVEN);
}

BOOL CTactraEllipse::SetCenter(POINT center) {
    return ChangeParameters(center, TKL_NOT_GIVEN, TKL_NOT_GIVEN, LONG(TKL_NOT_GIVEN),
                            TKL_NOT_GIVEN, TKL_NOT_GIVEN, TKL_NOT_GIVEN, TKL_NOT_GIVEN,
                            TKL_INNER_EFFECT_NOT_GIVEN);
}

BOOL CTactraEllipse::SetCenter(LONG x, LONG y) {
    POINT center = {x, y};
    return SetCenter(center);
}

BOOL CTactraEllipse::Start(DWORD iterations, DWORD flags) {
    return tkl::start_wall(*this, m_bCenterAtCursor, iterations, flags);
}

// Unlike the enclosure's, this start leaves the last error code alone when it cannot start.
BOOL CTactraEllipse::Start(DWORD flags) {
    return m_pEffect && tkl::start_wall(*this, m_bCenterAtCursor, 1, flags);
}

BOOL CTactraEllipse::set_parameters(const RECT* rect, LONG stiffness, DWORD thickness,
                                    DWORD saturation, DWORD style, DWORD style2,
                                    CTactraEffect* inner) {
    reset_effect_struct();
    TACTRA_ELLIPSE& b = m_Ellipse;
    tkl::store_given(b.lWallStiffness, stiffness);
    tkl::store_given(b.dwStyle, style);
    tkl::store_given(b.dwStyle2, style2);
    tkl::store_given(b.dwWallSaturation, saturation);
    if (rect)
        b.rectBoundary = *rect;
    const DWORD width = tkl::rect_width(b.rectBoundary), height = tkl::rect_height(b.rectBoundary);
    tkl::store_thickness(b.dwWallThickness, thickness, width < height ? width : height);
    tkl::store_inner(b.piInnerEffect, inner);
    tkl::fill_wall_record(m_Effect, TACTRA_FEFFECT_POLAR, &b, sizeof b);
    return TRUE;
}
