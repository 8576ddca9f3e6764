#include "tkl/effects/tactrainertia.h"

CTactraInertia::CTactraInertia() : CTactraCondition(GUID_Tactra_Inertia) {}

CTactraInertia::CTactraInertia(const CTactraInertia& other) : CTactraCondition(other) {}

CTactraInertia& CTactraInertia::operator=(const CTactraInertia& other) {
    CTactraCondition::operator=(other);
    return *this;
}

CTactraInertia::~CTactraInertia() {}

BOOL CTactraInertia::GetIsCompatibleGUID(GUID& kind) {
    return tkl::class_accepts_kind(tkl::EffectClass::Inertia, kind);
}

BOOL CTactraInertia::Initialize(CTactraDevice* device, DWORD coefficient, DWORD saturation,
                                DWORD deadBand, DWORD form, LONG x, LONG y) {
    return init_symmetric(device, LONG(coefficient), saturation, LONG(deadBand), form, x, y);
}

BOOL CTactraInertia::InitializePolar(CTactraDevice* device, DWORD coefficient, DWORD saturation,
                                     DWORD deadBand, LONG angle) {
    return init_symmetric_polar(device, LONG(coefficient), saturation, LONG(deadBand), angle);
}

BOOL CTactraInertia::ChangeParameters(DWORD coefficient, DWORD saturation, DWORD deadBand, LONG x,
                                      LONG y) {
    return change_symmetric(LONG(coefficient), saturation, LONG(deadBand), x, y);
}

BOOL CTactraInertia::ChangeParametersPolar(DWORD coefficient, DWORD saturation, DWORD deadBand,
                                           LONG angle) {
    return change_symmetric_polar(LONG(coefficient), saturation, LONG(deadBand), angle);
}
