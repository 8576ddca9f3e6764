#include "tkl/effects/tactrafriction.h"

namespace {

// Friction always saturates at full scale.
const DWORD kFullSaturation = 10000;

}  // namespace

CTactraFriction::CTactraFriction() : CTactraCondition(GUID_Tactra_Friction) {}

CTactraFriction::CTactraFriction(const CTactraFriction& other) : CTactraCondition(other) {}

CTactraFriction& CTactraFriction::operator=(const CTactraFriction& other) {
    CTactraCondition::operator=(other);
    return *this;
}

CTactraFriction::~CTactraFriction() {}

BOOL CTactraFriction::GetIsCompatibleGUID(GUID& kind) {
    return tkl::class_accepts_kind(tkl::EffectClass::Friction, kind);
}

BOOL CTactraFriction::Initialize(CTactraDevice* device, DWORD coefficient, DWORD deadBand,
                                 DWORD form, LONG x, LONG y) {
    return init_symmetric(device, LONG(coefficient), kFullSaturation, LONG(deadBand), form, x, y);
}

BOOL CTactraFriction::InitializePolar(CTactraDevice* device, DWORD coefficient, DWORD deadBand,
                                      LONG angle) {
    return init_symmetric_polar(device, LONG(coefficient), kFullSaturation, LONG(deadBand), angle);
}

BOOL CTactraFriction::ChangeParameters(DWORD coefficient, DWORD deadBand, LONG x, LONG y) {
    return change_symmetric(LONG(coefficient), kFullSaturation, LONG(deadBand), x, y);
}

BOOL CTactraFriction::ChangeParametersPolar(DWORD coefficient, DWORD deadBand, LONG angle) {
    return change_symmetric_polar(LONG(coefficient), kFullSaturation, LONG(deadBand), angle);
}
