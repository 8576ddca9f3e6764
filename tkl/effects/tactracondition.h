#pragma once
/// @file
/// CTactraCondition: the base of the condition effects, whose force the device computes from
/// the pointer's own position or motion according to one or two TACTRA_CONDITION records.

#include "tkl/effects/tactraeffect.h"

namespace tkl {
template <class Record>
struct RecordChange;
}

/// Selectors of CTactraCondition::ChangeConditionParams2. Each but TX_END is followed by its
/// value; a selector given twice takes the later value.
enum TX_ArgumentType {
    TX_END = 0,              ///< ends the list; no value
    TX_POS_COEFFICIENT = 1,  ///< positive coefficient, LONG (default 2500)
    TX_NEG_COEFFICIENT = 2,  ///< negative coefficient, LONG (default 2500)
    TX_POS_SATURATION = 3,   ///< positive saturation, DWORD (default 10000)
    TX_NEG_SATURATION = 4,   ///< negative saturation, DWORD (default 10000)
    TX_DEAD_BAND = 5,        ///< dead band, LONG (default 100)
    TX_IGNORED = 6,          ///< one 32-bit value, ignored
    TX_CENTER = 7,           ///< center, a POINT by value (default: the cursor marker)
    TX_DIRECTION_X = 8,      ///< one LONG, ignored
    TX_DIRECTION_Y = 9,      ///< one LONG, ignored
    TX_ANGLE = 10,           ///< polar angle, LONG (default 0)
    TX_CONDITION = 11,       ///< a const TACTRA_CONDITION*
    TX_CONDITION2 = 12       ///< a second const TACTRA_CONDITION*
};

/// A condition effect of one of the condition kinds: spring, device-unit spring, damper,
/// inertia, friction or grid.
///
/// Forms: 1 one record on the X axis, 2 one record on the Y axis, 3 an X and a Y record, 4 one
/// record along a direction (Cartesian x, y in screen orientation, or a polar angle in
/// hundredths of a degree, 0 up and 9000 right).
///
/// Markers: TKL_NOT_GIVEN in a number or in a field of a given record keeps the stored value;
/// an offset of -1 in a given record is kept too; a center with a coordinate of -1
/// (TKL_NO_POINT) is no center and no line point, so both offsets are kept; the center
/// (TKL_CURSOR_POINT, TKL_CURSOR_POINT) follows the cursor, taken now and at every Start, until
/// a call gives a real center (a call with no center keeps following, as the walls do); a
/// record pointer TKL_RECORD_NOT_GIVEN(TACTRA_CONDITION) in a change keeps that record.
///
/// Springs (the spring kind) take screen pixels: in the directional form the center, or a
/// record's offset as a point at y = 0, is a point on the spring's line, whose distance from the
/// origin along the direction becomes the offset; on a DirectInput device pixels become the
/// device's -10000..10000 across the screen. The device-unit spring takes device units.
///
/// A change that gives no direction keeps the stored direction and coordinate kind. Records
/// are the caller's, read during the call only. Every change rebuilds the record and sends it
/// with a mask naming what changed.
///
/// | value | unit | range the devices take |
/// |---|---|---|
/// | coefficients | strength per unit of distance (spring), speed (damper, friction) or acceleration (inertia), 10000 is full; negative pushes away | -10000..10000 |
/// | saturations | the largest force, 10000 is full | 0..10000 |
/// | dead band | pixels around the center without force (device units for the device-unit spring) | 0..screen size |
/// | center, offsets | screen pixels (device units for the device-unit spring) | the screen |
/// | `angle`, `x`, `y` | as in CTactraEffect | |
///
/// Codes: those of CTactraEffect, and 4 for an initialisation or change given no record at
/// all; 3 for a form other than 1 to 4, or a change whose records do not match the effect's
/// form (an X record for form 1, a Y record for form 2, both for form 3); 5
/// (TKL_ERR_WRONG_FORM) for a change by axis records of a directional effect.
class TKL_API CTactraCondition : public CTactraEffect {
public:
    /// An effect of the given condition kind; form 0, records zero, not initialised.
    explicit CTactraCondition(const GUID& kind);
    /// The kind, records, form and flags of `other`; not initialised.
    CTactraCondition(const CTactraCondition& other);
    /// Releases this object's device-side effect, then copies as the copy constructor does.
    CTactraCondition& operator=(const CTactraCondition& other);
    /// Unloads and releases the device-side effect.
    virtual ~CTactraCondition();

    /// Accepts the six condition kinds and the texture kind.
    virtual BOOL GetIsCompatibleGUID(GUID& kind);
    /// Loads a project's effect record: its axes, block size and direction choose the form;
    /// its block gives the records; every other field gets the fixed values. The object keeps
    /// its own kind. 0 with a debugger line for a record it cannot read.
    virtual BOOL Initialize(CTactraDevice* device, const TACTRA_EFFECT& effect);
    /// Re-centers on the cursor first when the center follows it, then starts.
    virtual BOOL Start(DWORD iterations, DWORD flags);

    /// Creates the effect from an X and a Y record (either may be null: form 3, 2 or 1).
    /// deviceUnits on a DirectInput device makes the effect a device-unit spring for good.
    BOOL InitCondition(CTactraDevice* device, const TACTRA_CONDITION* x,
                       const TACTRA_CONDITION* y, int deviceUnits);
    /// Creates a directional effect from one record and a Cartesian direction.
    BOOL InitCondition(CTactraDevice* device, const TACTRA_CONDITION* record, LONG x, LONG y,
                       int deviceUnits);
    /// Creates a directional effect from one record and a polar angle.
    BOOL InitConditionPolar(CTactraDevice* device, const TACTRA_CONDITION* record, LONG angle,
                            int deviceUnits);
    /// Creates the effect from values in the given form; the center's x and y are the X and Y
    /// offsets (forms 1 to 3) or a point on the line (form 4).
    BOOL InitCondition(CTactraDevice* device, LONG positiveCoefficient,
                       LONG negativeCoefficient, DWORD positiveSaturation,
                       DWORD negativeSaturation, LONG deadBand, DWORD form, POINT center,
                       LONG x, LONG y, int deviceUnits);
    /// Creates a directional effect from values and a polar angle.
    BOOL InitConditionPolar(CTactraDevice* device, LONG positiveCoefficient,
                            LONG negativeCoefficient, DWORD positiveSaturation,
                            DWORD negativeSaturation, LONG deadBand, POINT center, LONG angle,
                            int deviceUnits);

    /// Changes the records of forms 1 to 3 (TKL_ERR_WRONG_FORM on a directional effect).
    BOOL ChangeConditionParams(const TACTRA_CONDITION* x, const TACTRA_CONDITION* y);
    /// Changes a directional effect's record and Cartesian direction.
    BOOL ChangeConditionParams(const TACTRA_CONDITION* record, LONG x, LONG y);
    /// Changes a directional effect's record and polar angle.
    BOOL ChangeConditionParamsPolar(const TACTRA_CONDITION* record, LONG angle);
    /// Changes the values, center and Cartesian direction that are given.
    BOOL ChangeConditionParams(LONG positiveCoefficient, LONG negativeCoefficient,
                               DWORD positiveSaturation, DWORD negativeSaturation,
                               LONG deadBand, POINT center, LONG x, LONG y);
    /// Changes the values, center and polar angle that are given.
    BOOL ChangeConditionParamsPolar(LONG positiveCoefficient, LONG negativeCoefficient,
                                    DWORD positiveSaturation, DWORD negativeSaturation,
                                    LONG deadBand, POINT center, LONG angle);
    /// Moves the center only (sent only when neither coordinate is -1).
    BOOL SetCenter(POINT center);
    /// A polar change from a TX_END-terminated list of selectors and values; what the list
    /// leaves out gets its default (see TX_ArgumentType). 0, with a debugger line and no
    /// change, for an unknown selector.
    BOOL ChangeConditionParams2(TX_ArgumentType type, ...);

protected:
    /// Rebuilds the whole record from records A and B in a form (TKL_NOT_GIVEN: the stored
    /// one), with a coordinate flag and two direction entries, and applies the spring
    /// conversions. Sets the code on failure.
    BOOL set_parameters(DWORD form, DWORD coordinates, LONG first, LONG second,
                        const TACTRA_CONDITION* a, const TACTRA_CONDITION* b);
    /// The same from values: record A takes the center's x, record B its y.
    BOOL set_parameters(DWORD form, DWORD coordinates, LONG first, LONG second,
                        LONG positiveCoefficient, LONG negativeCoefficient,
                        DWORD positiveSaturation, DWORD negativeSaturation, LONG deadBand,
                        POINT center);
    /// Sets the directional record's offset to the distance of the line through the point,
    /// along the stored direction (folding a polar angle first).
    void convert_line_point_to_offset(POINT point);

    /// @name For the kinds with one coefficient and one saturation on both sides and no center
    /// of their own: created at center (0, 0) without device units, changed keeping the offsets.
    /// @{
    /// Initialises in the given form with a Cartesian direction.
    BOOL init_symmetric(CTactraDevice* device, LONG coefficient, DWORD saturation,
                        LONG deadBand, DWORD form, LONG x, LONG y);
    /// Initialises in the directional form with a polar direction.
    BOOL init_symmetric_polar(CTactraDevice* device, LONG coefficient, DWORD saturation,
                              LONG deadBand, LONG angle);
    /// Changes the values, and a Cartesian direction if given.
    BOOL change_symmetric(LONG coefficient, DWORD saturation, LONG deadBand, LONG x, LONG y);
    /// Changes the values, and a polar direction if given.
    BOOL change_symmetric_polar(LONG coefficient, DWORD saturation, LONG deadBand, LONG angle);
    /// @}

    TACTRA_CONDITION m_Conditions[2];  ///< [0]: X, or the only record; [1]: Y in form 3
    DWORD m_dwForm;                    ///< 1 to 4; 0 before the first initialisation
    int m_bCenterAtCursor;             ///< every Start first moves the center to the cursor
    int m_bDeviceUnits;                ///< initialised in device units on a DirectInput device

private:
    void take_device(CTactraDevice* device, int deviceUnits);
    BOOL begin_condition_change(LONG check);
    BOOL change_records(const tkl::RecordChange<TACTRA_CONDITION>& change);
    BOOL change_values(DWORD coordinates, LONG first, LONG second, LONG positiveCoefficient,
                       LONG negativeCoefficient, DWORD positiveSaturation,
                       DWORD negativeSaturation, LONG deadBand, POINT center);
    void convert_to_device_units(const bool offsetTaken[2]);
    bool is_spring() const;
    void copy_condition(const CTactraCondition& other);

    // The direction as last given, before any conversion: a change without a direction
    // rebuilds along it.
    DWORD m_dwGivenCoordinates;
    LONG m_laGivenDirection[2];
};
