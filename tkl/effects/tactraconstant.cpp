#include "tkl/effects/tactraconstant.h"

#include "tkl/core/tklerrors.h"
#include "tkl/effects/forcerecord.h"

using tkl::given;

CTactraConstant::CTactraConstant() : CTactraEffect(GUID_Tactra_ConstantForce), m_Constant() {}

CTactraConstant::CTactraConstant(const CTactraConstant& other)
    : CTactraEffect(other), m_Constant(other.m_Constant) {
    adopt_block(other, &other.m_Constant, &m_Constant);
}

CTactraConstant& CTactraConstant::operator=(const CTactraConstant& other) {
    if (this != &other) {
        CTactraEffect::operator=(other);
        m_Constant = other.m_Constant;
        adopt_block(other, &other.m_Constant, &m_Constant);
    }
    return *this;
}

CTactraConstant::~CTactraConstant() {}

BOOL CTactraConstant::GetIsCompatibleGUID(GUID& kind) {
    return tkl::class_accepts_kind(tkl::EffectClass::Constant, kind);
}

BOOL CTactraConstant::Initialize(CTactraDevice* device, const TACTRA_EFFECT& effect) {
    tkl::keep_record_block(effect, m_Constant);
    return CTactraEffect::Initialize(device, effect);
}

BOOL CTactraConstant::Initialize(CTactraDevice* device, LONG x, LONG y, DWORD duration,
                                 LONG magnitude, TACTRA_ENVELOPE* envelope) {
    CTKLErrors::SetErrorCode(TKL_ERR_NONE);
    set_parameters(TACTRA_FEFFECT_CARTESIAN, x, y, duration, magnitude, envelope);
    return initialize(device);
}

BOOL CTactraConstant::InitializePolar(CTactraDevice* device, LONG direction, DWORD duration,
                                      LONG magnitude, TACTRA_ENVELOPE* envelope) {
    CTKLErrors::SetErrorCode(TKL_ERR_NONE);
    set_parameters(TACTRA_FEFFECT_POLAR, direction, 0, duration, magnitude, envelope);
    return initialize(device);
}

BOOL CTactraConstant::ChangeParameters(LONG x, LONG y, DWORD duration, LONG magnitude,
                                       TACTRA_ENVELOPE* envelope) {
    if (!begin_change())
        return FALSE;
    set_parameters(TACTRA_FEFFECT_CARTESIAN, x, y, duration, magnitude, envelope);
    return finish_change(tkl::force_change_mask(TACTRA_FEFFECT_CARTESIAN, x, y, duration,
                                                envelope, given(magnitude)));
}

BOOL CTactraConstant::ChangeParametersPolar(LONG direction, DWORD duration, LONG magnitude,
                                            TACTRA_ENVELOPE* envelope) {
    if (!begin_change())
        return FALSE;
    set_parameters(TACTRA_FEFFECT_POLAR, direction, 0, duration, magnitude, envelope);
    return finish_change(tkl::force_change_mask(TACTRA_FEFFECT_POLAR, direction, 0, duration,
                                                envelope, given(magnitude)));
}

BOOL CTactraConstant::set_parameters(DWORD form, LONG x, LONG y, DWORD duration,
                                     LONG magnitude, TACTRA_ENVELOPE* envelope) {
    reset_effect_struct();
    if (given(magnitude))
        m_Constant.lMagnitude = magnitude;
    tkl::fill_force_record(m_Effect, form, x, y, duration, envelope, &m_Constant,
                           sizeof m_Constant);
    return TRUE;
}
