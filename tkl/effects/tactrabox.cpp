#include "tkl/effects/tactrabox.h"

namespace {

// What a box's initialisation fixes and its changes keep.
const DWORD kSaturation = 10000;
const DWORD kStyle = 255;
const DWORD kStyle2 = 0;

}  // namespace

CTactraBox::CTactraBox() {}

CTactraBox::CTactraBox(const CTactraBox& other) : CTactraEnclosure(other) {}

CTactraBox& CTactraBox::operator=(const CTactraBox& other) {
    CTactraEnclosure::operator=(other);
    return *this;
}

CTactraBox::~CTactraBox() {}

BOOL CTactraBox::Initialize(CTactraDevice* device, DWORD width, DWORD height, LONG stiffness,
                            DWORD thickness, POINT center, CTactraEffect* inner) {
    return CTactraEnclosure::Initialize(device, width, height, stiffness, stiffness, thickness,
                                        thickness, kSaturation, kSaturation, kStyle, kStyle2,
                                        center, inner);
}

BOOL CTactraBox::Initialize(CTactraDevice* device, const RECT* rect, LONG stiffness,
                            DWORD thickness, CTactraEffect* inner) {
    return CTactraEnclosure::Initialize(device, rect, stiffness, stiffness, thickness, thickness,
                                        kSaturation, kSaturation, kStyle, kStyle2, inner);
}

BOOL CTactraBox::ChangeParameters(POINT center, LONG stiffness, DWORD width, DWORD height,
                                  DWORD thickness, CTactraEffect* inner) {
    return CTactraEnclosure::ChangeParameters(center, width, height, stiffness, stiffness,
                                              thickness, thickness, TKL_NOT_GIVEN,
                                              TKL_NOT_GIVEN, TKL_NOT_GIVEN, TKL_NOT_GIVEN, inner);
}

BOOL CTactraBox::ChangeParameters(const RECT* rect, LONG stiffness, DWORD thickness,
                                  CTactraEffect* inner) {
    return CTactraEnclosure::ChangeParameters(rect, stiffness, stiffness, thickness, thickness,
                                              TKL_NOT_GIVEN, TKL_NOT_GIVEN, TKL_NOT_GIVEN,
                                              TKL_NOT_GIVEN, inner);
}
