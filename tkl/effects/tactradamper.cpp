#include "tkl/effects/tactradamper.h"

CTactraDamper::CTactraDamper() : CTactraCondition(GUID_Tactra_Damper) {}

CTactraDamper::CTactraDamper(const CTactraDamper& other) : CTactraCondition(other) {}

CTactraDamper& CTactraDamper::operator=(const CTactraDamper& other) {
    CTactraCondition::operator=(other);
    return *this;
}

CTactraDamper::~CTactraDamper() {}

BOOL CTactraDamper::GetIsCompatibleGUID(GUID& kind) {
    return tkl::class_accepts_kind(tkl::EffectClass::Damper, kind);
}

BOOL CTactraDamper::Initialize(CTactraDevice* device, DWORD coefficient, DWORD saturation,
                               DWORD deadBand, DWORD form, LONG x, LONG y) {
    return init_symmetric(device, LONG(coefficient), saturation, LONG(deadBand), form, x, y);
}

BOOL CTactraDamper::InitializePolar(CTactraDevice* device, DWORD coefficient, DWORD saturation,
                                    DWORD deadBand, LONG angle) {
    return init_symmetric_polar(device, LONG(coefficient), saturation, LONG(deadBand), angle);
}

BOOL CTactraDamper::ChangeParameters(DWORD coefficient, DWORD saturation, DWORD deadBand, LONG x,
                                     LONG y) {
    return change_symmetric(LONG(coefficient), saturation, LONG(deadBand), x, y);
}

BOOL CTactraDamper::ChangeParametersPolar(DWORD coefficient, DWORD saturation, DWORD deadBand,
                                          LONG angle) {
    return change_symmetric_polar(LONG(coefficient), saturation, LONG(deadBand), angle);
}
