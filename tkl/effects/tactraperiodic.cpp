#include "tkl/effects/tactraperiodic.h"

#include "tkl/core/tklerrors.h"
#include "tkl/effects/forcerecord.h"

using tkl::given;

namespace {

bool block_given(DWORD magnitude, DWORD period, LONG offset, DWORD phase) {
    return given(magnitude) || given(period) || given(offset) || given(phase);
}

}  // namespace

CTactraPeriodic::CTactraPeriodic() : CTactraEffect(GUID_Tactra_Sine), m_Periodic() {}

CTactraPeriodic::CTactraPeriodic(const GUID& kind) : CTactraEffect(kind), m_Periodic() {}

CTactraPeriodic::CTactraPeriodic(const CTactraPeriodic& other)
    : CTactraEffect(other), m_Periodic(other.m_Periodic) {
    adopt_block(other, &other.m_Periodic, &m_Periodic);
}

CTactraPeriodic& CTactraPeriodic::operator=(const CTactraPeriodic& other) {
    if (this != &other) {
        CTactraEffect::operator=(other);
        m_Periodic = other.m_Periodic;
        adopt_block(other, &other.m_Periodic, &m_Periodic);
    }
    return *this;
}

CTactraPeriodic::~CTactraPeriodic() {}

BOOL CTactraPeriodic::GetIsCompatibleGUID(GUID& kind) {
    return tkl::class_accepts_kind(tkl::EffectClass::Periodic, kind);
}

BOOL CTactraPeriodic::Initialize(CTactraDevice* device, const TACTRA_EFFECT& effect) {
    tkl::keep_record_block(effect, m_Periodic);
    return CTactraEffect::Initialize(device, effect);
}

BOOL CTactraPeriodic::Initialize(CTactraDevice* device, DWORD magnitude, DWORD period,
                                 DWORD duration, LONG x, LONG y, LONG offset, DWORD phase,
                                 TACTRA_ENVELOPE* envelope) {
    CTKLErrors::SetErrorCode(TKL_ERR_NONE);
    set_parameters(TACTRA_FEFFECT_CARTESIAN, x, y, duration, magnitude, period, offset, phase,
                   envelope);
    return initialize(device);
}

BOOL CTactraPeriodic::InitializePolar(CTactraDevice* device, DWORD magnitude, DWORD period,
                                      DWORD duration, LONG direction, LONG offset, DWORD phase,
                                      TACTRA_ENVELOPE* envelope) {
    CTKLErrors::SetErrorCode(TKL_ERR_NONE);
    set_parameters(TACTRA_FEFFECT_POLAR, direction, 0, duration, magnitude, period, offset,
                   phase, envelope);
    return initialize(device);
}

BOOL CTactraPeriodic::ChangeParameters(DWORD magnitude, DWORD period, DWORD duration, LONG x,
                                       LONG y, LONG offset, DWORD phase,
                                       TACTRA_ENVELOPE* envelope) {
    if (!begin_change())
        return FALSE;
    set_parameters(TACTRA_FEFFECT_CARTESIAN, x, y, duration, magnitude, period, offset, phase,
                   envelope);
    return finish_change(tkl::force_change_mask(TACTRA_FEFFECT_CARTESIAN, x, y, duration,
                                                envelope,
                                                block_given(magnitude, period, offset, phase)));
}

BOOL CTactraPeriodic::ChangeParametersPolar(DWORD magnitude, DWORD period, DWORD duration,
                                            LONG direction, LONG offset, DWORD phase,
                                            TACTRA_ENVELOPE* envelope) {
    if (!begin_change())
        return FALSE;
    set_parameters(TACTRA_FEFFECT_POLAR, direction, 0, duration, magnitude, period, offset,
                   phase, envelope);
    return finish_change(tkl::force_change_mask(TACTRA_FEFFECT_POLAR, direction, 0, duration,
                                                envelope,
                                                block_given(magnitude, period, offset, phase)));
}

BOOL CTactraPeriodic::set_parameters(DWORD form, LONG x, LONG y, DWORD duration,
                                     DWORD magnitude, DWORD period, LONG offset, DWORD phase,
                                     TACTRA_ENVELOPE* envelope) {
    reset_effect_struct();
    if (given(magnitude))
        m_Periodic.dwMagnitude = magnitude;
    if (given(period))
        m_Periodic.dwPeriod = tkl::scale_ms(period);
    if (given(phase))
        m_Periodic.dwPhase = tkl::degrees_to_hundredths(phase);
    if (given(offset))
        m_Periodic.lOffset = offset;
    tkl::fill_force_record(m_Effect, form, x, y, duration, envelope, &m_Periodic,
                           sizeof m_Periodic);
    return TRUE;
}
