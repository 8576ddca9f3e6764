#include "tkl/effects/tactratexture.h"

#include "tkl/core/tklerrors.h"
#include "tkl/effects/conditionforms.h"

#include <cstring>

using tkl::given;

namespace {

typedef TACTRA_TEXTURE Texture;

const LONG kNone = LONG(TKL_NOT_GIVEN);

bool any_given(LONG positiveValue1, DWORD positiveValue2, DWORD positiveRoughness,
               LONG negativeValue1, DWORD negativeValue2, DWORD negativeRoughness) {
    return given(positiveValue1) || given(positiveValue2) || given(positiveRoughness) ||
           given(negativeValue1) || given(negativeValue2) || given(negativeRoughness);
}

}  // namespace

CTactraTexture::CTactraTexture() : CTactraEffect(GUID_Tactra_Texture), m_Textures(), m_dwForm(0) {
    m_Textures[0].dwSize = sizeof(Texture);
    m_Textures[1].dwSize = sizeof(Texture);
}

CTactraTexture::CTactraTexture(const CTactraTexture& other)
    : CTactraEffect(other), m_dwForm(other.m_dwForm) {
    std::memcpy(m_Textures, other.m_Textures, sizeof m_Textures);
    adopt_block(other, other.m_Textures, m_Textures);
}

CTactraTexture& CTactraTexture::operator=(const CTactraTexture& other) {
    if (this != &other) {
        CTactraEffect::operator=(other);
        std::memcpy(m_Textures, other.m_Textures, sizeof m_Textures);
        m_dwForm = other.m_dwForm;
        adopt_block(other, other.m_Textures, m_Textures);
    }
    return *this;
}

CTactraTexture::~CTactraTexture() {}

BOOL CTactraTexture::GetIsCompatibleGUID(GUID& kind) {
    return tkl::class_accepts_kind(tkl::EffectClass::Texture, kind);
}

BOOL CTactraTexture::InitTexture(CTactraDevice* device, const Texture* x, const Texture* y) {
    if (!set_parameters(tkl::form_for_records(x, y), TACTRA_FEFFECT_CARTESIAN, 1, 1, x, y))
        return FALSE;
    return initialize(device);
}

BOOL CTactraTexture::InitTexture(CTactraDevice* device, const Texture* record, LONG x, LONG y) {
    if (!set_parameters(tkl::FORM_DIRECTIONAL, TACTRA_FEFFECT_CARTESIAN, x, y, record, nullptr))
        return FALSE;
    return initialize(device);
}

BOOL CTactraTexture::InitTexturePolar(CTactraDevice* device, const Texture* record,
                                      LONG angle) {
    if (!set_parameters(tkl::FORM_DIRECTIONAL, TACTRA_FEFFECT_POLAR, angle, 0, record, nullptr))
        return FALSE;
    return initialize(device);
}

BOOL CTactraTexture::InitTexture(CTactraDevice* device, LONG positiveValue1,
                                 DWORD positiveValue2, DWORD positiveRoughness,
                                 LONG negativeValue1, DWORD negativeValue2,
                                 DWORD negativeRoughness, DWORD form, POINT offset, LONG x,
                                 LONG y) {
    if (!set_parameters(form, TACTRA_FEFFECT_CARTESIAN, x, y, positiveValue1, positiveValue2,
                        positiveRoughness, negativeValue1, negativeValue2, negativeRoughness,
                        offset))
        return FALSE;
    return initialize(device);
}

BOOL CTactraTexture::InitTexturePolar(CTactraDevice* device, LONG positiveValue1,
                                      DWORD positiveValue2, DWORD positiveRoughness,
                                      LONG negativeValue1, DWORD negativeValue2,
                                      DWORD negativeRoughness, POINT offset, LONG angle) {
    if (!set_parameters(tkl::FORM_DIRECTIONAL, TACTRA_FEFFECT_POLAR, angle, 0, positiveValue1,
                        positiveValue2, positiveRoughness, negativeValue1, negativeValue2,
                        negativeRoughness, offset))
        return FALSE;
    return initialize(device);
}

BOOL CTactraTexture::begin_texture_change(LONG check) {
    if (!begin_change())
        return FALSE;
    if (check != TKL_ERR_NONE) {
        CTKLErrors::SetErrorCode(check);
        return FALSE;
    }
    return TRUE;
}

BOOL CTactraTexture::change_records(const tkl::RecordChange<Texture>& change) {
    if (!begin_texture_change(change.check))
        return FALSE;
    if (!set_parameters(TKL_NOT_GIVEN, change.coordinates, change.first, change.second, change.a,
                        change.b))
        return FALSE;
    return finish_change(change.mask);
}

BOOL CTactraTexture::ChangeTextureParams(const Texture* x, const Texture* y) {
    return change_records(tkl::axis_records_change(m_dwForm, x, y));
}

BOOL CTactraTexture::ChangeTextureParams(const Texture* record, LONG x, LONG y) {
    return change_records(
        tkl::directional_change(m_dwForm, TACTRA_FEFFECT_CARTESIAN, x, y, record));
}

BOOL CTactraTexture::ChangeTextureParamsPolar(const Texture* record, LONG angle) {
    return change_records(tkl::directional_change(m_dwForm, TACTRA_FEFFECT_POLAR, angle, 0, record));
}

BOOL CTactraTexture::change_values(DWORD coordinates, LONG first, LONG second,
                                   LONG positiveValue1, DWORD positiveValue2,
                                   DWORD positiveRoughness, LONG negativeValue1,
                                   DWORD negativeValue2, DWORD negativeRoughness, POINT offset) {
    if (!begin_texture_change(TKL_ERR_NONE))
        return FALSE;
    if (!set_parameters(TKL_NOT_GIVEN, coordinates, first, second, positiveValue1,
                        positiveValue2, positiveRoughness, negativeValue1, negativeValue2,
                        negativeRoughness, offset))
        return FALSE;
    return finish_change(tkl::value_change_mask(
        tkl::direction_given(coordinates, first, second), offset,
        any_given(positiveValue1, positiveValue2, positiveRoughness, negativeValue1,
                  negativeValue2, negativeRoughness)));
}

BOOL CTactraTexture::ChangeTextureParams(LONG positiveValue1, DWORD positiveValue2,
                                         DWORD positiveRoughness, LONG negativeValue1,
                                         DWORD negativeValue2, DWORD negativeRoughness,
                                         POINT offset, LONG x, LONG y) {
    return change_values(TACTRA_FEFFECT_CARTESIAN, x, y, positiveValue1, positiveValue2,
                         positiveRoughness, negativeValue1, negativeValue2, negativeRoughness,
                         offset);
}

BOOL CTactraTexture::ChangeTextureParamsPolar(LONG positiveValue1, DWORD positiveValue2,
                                              DWORD positiveRoughness, LONG negativeValue1,
                                              DWORD negativeValue2, DWORD negativeRoughness,
                                              POINT offset, LONG angle) {
    return change_values(TACTRA_FEFFECT_POLAR, angle, 0, positiveValue1, positiveValue2,
                         positiveRoughness, negativeValue1, negativeValue2, negativeRoughness,
                         offset);
}

BOOL CTactraTexture::SetOffset(POINT offset) {
    return ChangeTextureParams(kNone, TKL_NOT_GIVEN, TKL_NOT_GIVEN, kNone, TKL_NOT_GIVEN,
                               TKL_NOT_GIVEN, offset, kNone, kNone);
}

BOOL CTactraTexture::set_parameters(DWORD form, DWORD coordinates, LONG first, LONG second,
                                    const Texture* a, const Texture* b) {
    if (!a && !b)
        return FALSE;
    reset_effect_struct();
    bool offsetTaken[2];
    return tkl::fill_formed_record(m_Effect, m_Textures, m_dwForm, form, coordinates, first,
                                   second, a, b, offsetTaken);
}

BOOL CTactraTexture::set_parameters(DWORD form, DWORD coordinates, LONG first, LONG second,
                                    LONG positiveValue1, DWORD positiveValue2,
                                    DWORD positiveRoughness, LONG negativeValue1,
                                    DWORD negativeValue2, DWORD negativeRoughness,
                                    POINT offset) {
    // The size field is never taken from a given record, so any value serves here.
    const Texture a = {sizeof(Texture), offset.x,       positiveValue1,  positiveValue2,
                       positiveRoughness, negativeValue1, negativeValue2, negativeRoughness};
    Texture b = a;
    b.lOffset = offset.y;
    return set_parameters(form, coordinates, first, second, &a, &b);
}
