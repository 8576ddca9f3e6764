#include "tkl/effects/tactraspring.h"

CTactraSpring::CTactraSpring() : CTactraCondition(GUID_Tactra_Spring) {}

CTactraSpring::CTactraSpring(const CTactraSpring& other) : CTactraCondition(other) {}

CTactraSpring& CTactraSpring::operator=(const CTactraSpring& other) {
    CTactraCondition::operator=(other);
    return *this;
}

CTactraSpring::~CTactraSpring() {}

BOOL CTactraSpring::GetIsCompatibleGUID(GUID& kind) {
    return tkl::class_accepts_kind(tkl::EffectClass::Spring, kind);
}

BOOL CTactraSpring::Initialize(CTactraDevice* device, LONG coefficient, DWORD saturation,
                               DWORD deadBand, DWORD form, POINT center, LONG x, LONG y,
                               int deviceUnits) {
    return InitCondition(device, coefficient, coefficient, saturation, saturation,
                         LONG(deadBand), form, center, x, y, deviceUnits);
}

BOOL CTactraSpring::InitializePolar(CTactraDevice* device, LONG coefficient, DWORD saturation,
                                    DWORD deadBand, POINT center, LONG angle,
                                    int deviceUnits) {
    return InitConditionPolar(device, coefficient, coefficient, saturation, saturation,
                              LONG(deadBand), center, angle, deviceUnits);
}

BOOL CTactraSpring::ChangeParameters(POINT center, LONG coefficient, DWORD saturation,
                                     DWORD deadBand, LONG x, LONG y) {
    return ChangeConditionParams(coefficient, coefficient, saturation, saturation,
                                 LONG(deadBand), center, x, y);
}

BOOL CTactraSpring::ChangeParametersPolar(POINT center, LONG coefficient, DWORD saturation,
                                          DWORD deadBand, LONG angle) {
    return ChangeConditionParamsPolar(coefficient, coefficient, saturation, saturation,
                                      LONG(deadBand), center, angle);
}
