#include "tkl/effects/tactraramp.h"

#include "tkl/core/tklerrors.h"
#include "tkl/effects/forcerecord.h"

using tkl::given;

CTactraRamp::CTactraRamp() : CTactraEffect(GUID_Tactra_RampForce), m_Ramp() {}

CTactraRamp::CTactraRamp(const CTactraRamp& other) : CTactraEffect(other), m_Ramp(other.m_Ramp) {
    adopt_block(other, &other.m_Ramp, &m_Ramp);
}

CTactraRamp& CTactraRamp::operator=(const CTactraRamp& other) {
    if (this != &other) {
        CTactraEffect::operator=(other);
        m_Ramp = other.m_Ramp;
        adopt_block(other, &other.m_Ramp, &m_Ramp);
    }
    return *this;
}

CTactraRamp::~CTactraRamp() {}

BOOL CTactraRamp::GetIsCompatibleGUID(GUID& kind) {
    return tkl::class_accepts_kind(tkl::EffectClass::Ramp, kind);
}

BOOL CTactraRamp::Initialize(CTactraDevice* device, const TACTRA_EFFECT& effect) {
    tkl::keep_record_block(effect, m_Ramp);
    return CTactraEffect::Initialize(device, effect);
}

BOOL CTactraRamp::Initialize(CTactraDevice* device, LONG x, LONG y, DWORD duration, LONG start,
                             LONG end, TACTRA_ENVELOPE* envelope) {
    CTKLErrors::SetErrorCode(TKL_ERR_NONE);
    set_parameters(TACTRA_FEFFECT_CARTESIAN, x, y, duration, start, end, envelope);
    return initialize(device);
}

BOOL CTactraRamp::InitializePolar(CTactraDevice* device, LONG direction, DWORD duration,
                                  LONG start, LONG end, TACTRA_ENVELOPE* envelope) {
    CTKLErrors::SetErrorCode(TKL_ERR_NONE);
    set_parameters(TACTRA_FEFFECT_POLAR, direction, 0, duration, start, end, envelope);
    return initialize(device);
}

BOOL CTactraRamp::ChangeParameters(LONG x, LONG y, DWORD duration, LONG start, LONG end,
                                   TACTRA_ENVELOPE* envelope) {
    if (!begin_change())
        return FALSE;
    set_parameters(TACTRA_FEFFECT_CARTESIAN, x, y, duration, start, end, envelope);
    return finish_change(tkl::force_change_mask(TACTRA_FEFFECT_CARTESIAN, x, y, duration,
                                                envelope, given(start) || given(end)));
}

BOOL CTactraRamp::ChangeParametersPolar(LONG direction, DWORD duration, LONG start, LONG end,
                                        TACTRA_ENVELOPE* envelope) {
    if (!begin_change())
        return FALSE;
    set_parameters(TACTRA_FEFFECT_POLAR, direction, 0, duration, start, end, envelope);
    return finish_change(tkl::force_change_mask(TACTRA_FEFFECT_POLAR, direction, 0, duration,
                                                envelope, given(start) || given(end)));
}

BOOL CTactraRamp::set_parameters(DWORD form, LONG x, LONG y, DWORD duration, LONG start,
                                 LONG end, TACTRA_ENVELOPE* envelope) {
    reset_effect_struct();
    if (given(start))
        m_Ramp.lStart = start;
    if (given(end))
        m_Ramp.lEnd = end;
    tkl::fill_force_record(m_Effect, form, x, y, duration, envelope, &m_Ramp, sizeof m_Ramp);
    return TRUE;
}
