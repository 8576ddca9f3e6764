#pragma once
/// @file
/// CTactraTexture: the force mouse's texture effect, described by one or two TACTRA_TEXTURE
/// records in the four forms of the condition effects.

#include "tkl/effects/tactraeffect.h"

namespace tkl {
template <class Record>
struct RecordChange;
}

/// A texture effect (GUID_Tactra_Texture), which DirectInput devices refuse.
///
/// Forms, markers and change masks are those of CTactraCondition, with texture records and six
/// values (positive value 1, value 2, roughness, then the same three for the negative side)
/// in place of the condition's five, and an offset in place of the center; unlike the
/// conditions an offset of -1 is stored like any other value, and there is no screen
/// conversion and no cursor-following: values go to the device as given. The records' size
/// fields are always sizeof(TACTRA_TEXTURE), whatever a caller's record holds.
///
/// The initialisations leave the last error code as it was when they fail before reaching
/// the device (no record, a value that is no form). A texture loaded through the inherited
/// Initialize (from a project) has no form, and its changes fail.
///
/// | value | unit | range the devices take |
/// |---|---|---|
/// | value 1 (`positiveValue1`, `negativeValue1`) | the force that side adds along the axis, 10000 is full | -10000..10000 |
/// | value 2 (`positiveValue2`, `negativeValue2`) | the spacing of the ridges in pixels; 0 means 20 | |
/// | roughness | the ridges' force in hundredths of full force; 0 is smooth | 0..100 (more counts as 100) |
/// | `offset` | screen pixels: where the two sides meet | the screen |
/// | `angle`, `x`, `y` | as in CTactraEffect | |
///
/// Codes: those of CTactraCondition.
class TKL_API CTactraTexture : public CTactraEffect {
public:
    /// A texture with both records zero but for their size, form 0, not initialised.
    CTactraTexture();
    /// The records and form of `other`; not initialised.
    CTactraTexture(const CTactraTexture& other);
    /// Releases this object's device-side effect, then copies as the copy constructor does.
    CTactraTexture& operator=(const CTactraTexture& other);
    /// Unloads and releases the device-side effect.
    virtual ~CTactraTexture();

    /// Accepts the texture kind only.
    virtual BOOL GetIsCompatibleGUID(GUID& kind);

    /// Creates the texture from an X and a Y record (either may be null: form 3, 2 or 1).
    BOOL InitTexture(CTactraDevice* device, const TACTRA_TEXTURE* x, const TACTRA_TEXTURE* y);
    /// Creates a directional texture from one record and a Cartesian direction.
    BOOL InitTexture(CTactraDevice* device, const TACTRA_TEXTURE* record, LONG x, LONG y);
    /// Creates a directional texture from one record and a polar angle.
    BOOL InitTexturePolar(CTactraDevice* device, const TACTRA_TEXTURE* record, LONG angle);
    /// Creates the texture from the six values in the given form; the offset's x goes to the
    /// X record (and to the one record of forms 1 and 4), its y to the Y record (form 2's).
    BOOL InitTexture(CTactraDevice* device, LONG positiveValue1, DWORD positiveValue2,
                     DWORD positiveRoughness, LONG negativeValue1, DWORD negativeValue2,
                     DWORD negativeRoughness, DWORD form, POINT offset, LONG x, LONG y);
    /// Creates a directional texture from the six values and a polar angle.
    BOOL InitTexturePolar(CTactraDevice* device, LONG positiveValue1, DWORD positiveValue2,
                          DWORD positiveRoughness, LONG negativeValue1, DWORD negativeValue2,
                          DWORD negativeRoughness, POINT offset, LONG angle);

    /// Changes the records of forms 1 to 3 (TKL_ERR_WRONG_FORM on a directional texture).
    BOOL ChangeTextureParams(const TACTRA_TEXTURE* x, const TACTRA_TEXTURE* y);
    /// Changes a directional texture's record and Cartesian direction.
    BOOL ChangeTextureParams(const TACTRA_TEXTURE* record, LONG x, LONG y);
    /// Changes a directional texture's record and polar angle.
    BOOL ChangeTextureParamsPolar(const TACTRA_TEXTURE* record, LONG angle);
    /// Changes the values, offset and Cartesian direction that are given.
    BOOL ChangeTextureParams(LONG positiveValue1, DWORD positiveValue2, DWORD positiveRoughness,
                             LONG negativeValue1, DWORD negativeValue2, DWORD negativeRoughness,
                             POINT offset, LONG x, LONG y);
    /// Changes the values, offset and polar angle that are given.
    BOOL ChangeTextureParamsPolar(LONG positiveValue1, DWORD positiveValue2,
                                  DWORD positiveRoughness, LONG negativeValue1,
                                  DWORD negativeValue2, DWORD negativeRoughness, POINT offset,
                                  LONG angle);
    /// Moves the offset only (sent only when neither coordinate is -1); the record becomes
    /// Cartesian whatever the texture's form.
    BOOL SetOffset(POINT offset);

protected:
    /// Rebuilds the whole record from records A and B in a form (TKL_NOT_GIVEN: the stored
    /// one); 0, without an error code, for no record or no form.
    BOOL set_parameters(DWORD form, DWORD coordinates, LONG first, LONG second,
                        const TACTRA_TEXTURE* a, const TACTRA_TEXTURE* b);
    /// The same from values: record A takes the offset's x, record B its y.
    BOOL set_parameters(DWORD form, DWORD coordinates, LONG first, LONG second,
                        LONG positiveValue1, DWORD positiveValue2, DWORD positiveRoughness,
                        LONG negativeValue1, DWORD negativeValue2, DWORD negativeRoughness,
                        POINT offset);

    TACTRA_TEXTURE m_Textures[2];  ///< [0]: X, or the only record; [1]: Y in form 3
    DWORD m_dwForm;                ///< 1 to 4; 0 before an initialisation of this class

private:
    BOOL begin_texture_change(LONG check);
    BOOL change_records(const tkl::RecordChange<TACTRA_TEXTURE>& change);
    BOOL change_values(DWORD coordinates, LONG first, LONG second, LONG positiveValue1,
                       DWORD positiveValue2, DWORD positiveRoughness, LONG negativeValue1,
                       DWORD negativeValue2, DWORD negativeRoughness, POINT offset);
};
