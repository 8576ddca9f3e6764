#pragma once
/// @file
/// The records that describe an effect to a lower layer, with their flags and masks. They are
/// the product force API's own records and the library's effect description everywhere, also
/// on DirectInput devices (the effect base translates them there).

#include "tkl/platform/win32.h"

#include <cstddef>

struct ITactraEffect;

/// @name Effect flags (dwFlags)
/// @{
#define TACTRA_FEFFECT_OBJECTOFFSETS 0x00000002u  ///< axes are identified by their offsets
#define TACTRA_FEFFECT_CARTESIAN 0x00000010u      ///< direction values are x and y components
#define TACTRA_FEFFECT_POLAR 0x00000020u          ///< first direction value is an angle, second 0
/// @}

/// @name Parameter-change mask of SetParameters
/// One bit per record field that a call changes. The values equal DirectInput's DIEP_ bits, so
/// one mask serves both kinds of device.
/// @{
#define TACTRA_EP_DURATION 0x00000001u               ///< dwDuration
#define TACTRA_EP_SAMPLEPERIOD 0x00000002u           ///< dwSamplePeriod
#define TACTRA_EP_GAIN 0x00000004u                   ///< dwGain
#define TACTRA_EP_TRIGGERBUTTON 0x00000008u          ///< dwTriggerButton
#define TACTRA_EP_TRIGGERREPEATINTERVAL 0x00000010u  ///< dwTriggerRepeatInterval
#define TACTRA_EP_AXES 0x00000020u                   ///< cAxes and rgdwAxes
#define TACTRA_EP_DIRECTION 0x00000040u              ///< rglDirection (and dwFlags' form)
#define TACTRA_EP_ENVELOPE 0x00000080u               ///< lpEnvelope
#define TACTRA_EP_TYPESPECIFICPARAMS 0x00000100u     ///< the type-specific block
#define TACTRA_EP_ALLPARAMS 0x000001FFu              ///< every field above
/// @}

/// @name Axis offsets in rgdwAxes
/// @{
#define TACTRA_AXIS_X 0u  ///< the X axis
#define TACTRA_AXIS_Y 4u  ///< the Y axis
/// @}

#define TACTRA_INFINITE 0xFFFFFFFFu    ///< dwDuration: plays until stopped
#define TACTRA_NOTRIGGER 0xFFFFFFFFu   ///< dwTriggerButton: no trigger button
#define TACTRA_NOMINAL_MAX 10000       ///< full scale of gains, coefficients and saturations

/// @name Failure results of the product force API that the library tells apart by name
/// @{
#define TACTRA_OK ((HRESULT)0)  ///< success
#define TACTRA_ERROR_DEVICENOTREG ((HRESULT)0x80040154)   ///< the device is not registered
#define TACTRA_ERROR_DEVICEFULL ((HRESULT)0x80040201)     ///< no room for another effect
#define TACTRA_ERROR_INPUTLOST ((HRESULT)0x8007001E)      ///< the device was lost
#define TACTRA_ERROR_INVALIDPARAM ((HRESULT)0x80070057)   ///< an argument or record is invalid
/// @}
/// @name Further results of the product force API (modelled on DirectInput's)
/// @{
#define TACTRA_ERROR_NOTACQUIRED ((HRESULT)0x8007000C)       ///< the device is not acquired
#define TACTRA_ERROR_NOTINITIALIZED ((HRESULT)0x80070015)    ///< the object is not initialised
#define TACTRA_ERROR_OLDVERSION ((HRESULT)0x8007047E)        ///< the version asked for is newer
#define TACTRA_ERROR_BETAVERSION ((HRESULT)0x80070481)       ///< the version asked for is a beta
#define TACTRA_ERROR_NOTFOUND ((HRESULT)0x80070002)          ///< no such device or property
#define TACTRA_ERROR_UNSUPPORTED ((HRESULT)0x80004001)       ///< not supported by the device
#define TACTRA_ERROR_OUTOFMEMORY ((HRESULT)0x8007000E)       ///< out of memory
#define TACTRA_ERROR_NOAGGREGATION ((HRESULT)0x80040110)     ///< an outer object was given
#define TACTRA_ERROR_NOTDOWNLOADED ((HRESULT)0x80040203)     ///< the effect is not on the device
#define TACTRA_ERROR_INCOMPLETEEFFECT ((HRESULT)0x80040206)  ///< the effect lacks parameters
#define TACTRA_ERROR_EFFECTPLAYING ((HRESULT)0x80040208)     ///< the change needs a stopped effect
#define TACTRA_ERROR_OTHERAPPHASPRIO ((HRESULT)0x80070005)   ///< another application has the device
/// @}

/// How an effect's strength starts and ends.
struct TACTRA_ENVELOPE {
    DWORD dwSize;         ///< sizeof(TACTRA_ENVELOPE)
    DWORD dwAttackLevel;  ///< strength at the start, 0..10000
    DWORD dwAttackTime;   ///< microseconds to reach the effect's own strength
    DWORD dwFadeLevel;    ///< strength at the end, 0..10000
    DWORD dwFadeTime;     ///< microseconds of fading before the end
};

/// DirectInput's DIEFFECT with the kind GUID after the size and one more field at the end.
struct TACTRA_EFFECT {
    DWORD dwSize;                   ///< sizeof(TACTRA_EFFECT)
    GUID guid;                      ///< the effect kind
    DWORD dwFlags;                  ///< TACTRA_FEFFECT_ flags
    DWORD dwDuration;               ///< microseconds; TACTRA_INFINITE
    DWORD dwSamplePeriod;           ///< as the caller gives it
    DWORD dwGain;                   ///< 0..10000
    DWORD dwTriggerButton;          ///< button index or TACTRA_NOTRIGGER
    DWORD dwTriggerRepeatInterval;  ///< as the caller gives it
    DWORD cAxes;                    ///< number of axes, 1 or 2
    DWORD* rgdwAxes;                ///< cAxes axis offsets
    LONG* rglDirection;             ///< cAxes direction values
    TACTRA_ENVELOPE* lpEnvelope;    ///< the envelope, or null
    DWORD cbTypeSpecificParams;     ///< byte size of the type-specific block
    void* lpvTypeSpecificParams;    ///< the type-specific block
    DWORD dwReserved;               ///< 0 in every record the library builds
};

/// One per axis: a two-axis condition block holds the X record, then the Y record.
struct TACTRA_CONDITION {
    LONG lOffset;                ///< the condition's center on the axis
    LONG lPositiveCoefficient;   ///< strength on the positive side of the center
    LONG lNegativeCoefficient;   ///< strength on the negative side
    DWORD dwPositiveSaturation;  ///< largest force on the positive side
    DWORD dwNegativeSaturation;  ///< largest force on the negative side
    LONG lDeadBand;              ///< no force within this distance of the center
};

/// One per axis, like the condition.
struct TACTRA_TEXTURE {
    DWORD dwSize;               ///< sizeof(TACTRA_TEXTURE)
    LONG lOffset;               ///< where the texture starts on the axis
    LONG lPositiveValue1;       ///< positive side: first value
    DWORD dwPositiveValue2;     ///< positive side: second value
    DWORD dwPositiveRoughness;  ///< positive side: roughness ("PosRoughness" in a project)
    LONG lNegativeValue1;       ///< negative side: first value
    DWORD dwNegativeValue2;     ///< negative side: second value
    DWORD dwNegativeRoughness;  ///< negative side: roughness ("NegRoughness" in a project)
};

/// The constant force's block.
struct TACTRA_CONSTANTFORCE {
    LONG lMagnitude;  ///< -10000..10000
};

/// The ramp force's block.
struct TACTRA_RAMPFORCE {
    LONG lStart;  ///< level at the start
    LONG lEnd;    ///< level at the end
};

/// The periodic waves' block.
struct TACTRA_PERIODIC {
    DWORD dwMagnitude;  ///< 0..10000
    LONG lOffset;       ///< the level the wave swings about
    DWORD dwPhase;      ///< hundredths of a degree
    DWORD dwPeriod;     ///< microseconds
};

/// The custom force's block.
struct TACTRA_CUSTOMFORCE {
    DWORD cChannels;       ///< number of channels
    DWORD dwSamplePeriod;  ///< microseconds between samples
    DWORD cSamples;        ///< number of samples
    LONG* rglForceData;    ///< cChannels * cSamples samples
};

/// A rectangle with a wall along each side. The rectangle's right and bottom are inside it.
struct TACTRA_ENCLOSURE {
    DWORD dwSize;                        ///< sizeof(TACTRA_ENCLOSURE)
    RECT rectBoundary;                   ///< the rectangle, in pixels
    DWORD dwTopAndBottomWallThickness;   ///< pixels
    DWORD dwLeftAndRightWallThickness;   ///< pixels
    LONG lTopAndBottomWallStiffness;     ///< -10000..10000
    LONG lLeftAndRightWallStiffness;     ///< -10000..10000
    DWORD dwStyle;                       ///< first flags word: 255 in a box
    DWORD dwStyle2;                      ///< second flags word: 0 in a box
    DWORD dwTopAndBottomWallSaturation;  ///< largest force of those walls, 0..10000
    DWORD dwLeftAndRightWallSaturation;  ///< largest force of those walls, 0..10000
    ITactraEffect* piInnerEffect;        ///< not owned, or null
};

/// An ellipse inscribed in a rectangle, with one wall all around.
struct TACTRA_ELLIPSE {
    DWORD dwSize;                  ///< sizeof(TACTRA_ELLIPSE)
    RECT rectBoundary;             ///< the rectangle the ellipse is inscribed in, in pixels
    DWORD dwWallThickness;         ///< pixels
    LONG lWallStiffness;           ///< -10000..10000
    DWORD dwStyle;                 ///< first flags word
    DWORD dwStyle2;                ///< second flags word
    DWORD dwWallSaturation;        ///< largest force of the wall, 0..10000
    ITactraEffect* piInnerEffect;  ///< not owned, or null
};

/// What device enumeration reports; the library reads only guidInstance.
struct TACTRA_DEVICEINSTANCE {
    DWORD dwSize;               ///< sizeof(TACTRA_DEVICEINSTANCE)
    GUID guidInstance;          ///< this device
    GUID guidProduct;           ///< its product
    DWORD dwDevType;            ///< TACTRA_DEVTYPE_FORCEMOUSE
    CHAR tszInstanceName[260];  ///< the device's name
    CHAR tszProductName[260];   ///< the product's name
};

/// @name Device properties; the record is a header followed by the data.
/// @{
#define TACTRA_PROP_AXISMODE 2u          ///< TACTRA_PROPAXISMODE_ABS or _REL
#define TACTRA_PROP_FFGAIN 7u            ///< device gain, 0..10000
#define TACTRA_PROP_SCREENRESOLUTION 13u ///< width, height in pixels
#define TACTRA_PROP_FORCEOUTPUT 15u      ///< 1: forces are sent to the actuators
#define TACTRA_PROPAXISMODE_ABS 0u       ///< absolute axis mode
#define TACTRA_PROPAXISMODE_REL 1u       ///< relative axis mode
/// @}

/// The header of every property record.
struct TACTRA_PROPHEADER {
    DWORD dwSize;        ///< the whole record
    DWORD dwHeaderSize;  ///< sizeof(TACTRA_PROPHEADER)
    DWORD dwObj;         ///< 0: the device
    DWORD dwHow;         ///< 0: the device
};

/// A property of one value.
struct TACTRA_PROPDWORD {
    TACTRA_PROPHEADER diph;  ///< dwSize is sizeof(TACTRA_PROPDWORD)
    DWORD dwData;            ///< the value
};

/// The screen resolution property.
struct TACTRA_PROPRESOLUTION {
    TACTRA_PROPHEADER diph;  ///< dwSize is sizeof(TACTRA_PROPRESOLUTION)
    DWORD dwWidth;           ///< pixels
    DWORD dwHeight;          ///< pixels
};

/// Device capabilities (GetCapabilities).
struct TACTRA_DEVCAPS {
    DWORD dwSize;        ///< sizeof(TACTRA_DEVCAPS)
    DWORD dwFlags;       ///< capability flags
    DWORD dwDevType;     ///< TACTRA_DEVTYPE_FORCEMOUSE
    DWORD dwAxes;        ///< number of axes
    DWORD dwButtons;     ///< number of buttons
    DWORD dwMaxEffects;  ///< how many effects the device holds at once
};

/// @name Effect status bits (GetEffectStatus)
/// @{
#define TACTRA_EGES_PLAYING 0x00000001u   ///< the effect is playing
#define TACTRA_EGES_EMULATED 0x00000002u  ///< the effect is emulated, not played by the device
/// @}

/// @name Start flags
/// @{
#define TACTRA_ES_SOLO 0x00000001u        ///< stop every other effect first
#define TACTRA_ES_NODOWNLOAD 0x80000000u  ///< do not download the effect first
/// @}

/// @name Enumeration and cooperative-level flags (DirectInput's numbering)
/// @{
#define TACTRA_EDFL_ATTACHEDONLY 0x00000001u   ///< only attached devices
#define TACTRA_EDFL_FORCEFEEDBACK 0x00000100u  ///< only force-feedback devices
#define TACTRA_DEVTYPE_FORCEMOUSE 2u           ///< the device type of a force mouse
#define TACTRA_SCL_EXCLUSIVE 0x00000001u       ///< exclusive access
#define TACTRA_SCL_NONEXCLUSIVE 0x00000002u    ///< shared access
#define TACTRA_SCL_FOREGROUND 0x00000004u      ///< only while the window is in front
#define TACTRA_SCL_BACKGROUND 0x00000008u      ///< also in the background
/// @}

#if (defined(_WIN32) && !defined(_WIN64)) || defined(__wasm32__)
// The exact 32-bit layout that the product force API and stored projects rely on.
static_assert(sizeof(TACTRA_EFFECT) == 72, "TACTRA_EFFECT");
static_assert(offsetof(TACTRA_EFFECT, guid) == 4, "guid");
static_assert(offsetof(TACTRA_EFFECT, dwFlags) == 20, "dwFlags");
static_assert(offsetof(TACTRA_EFFECT, dwDuration) == 24, "dwDuration");
static_assert(offsetof(TACTRA_EFFECT, dwSamplePeriod) == 28, "dwSamplePeriod");
static_assert(offsetof(TACTRA_EFFECT, dwGain) == 32, "dwGain");
static_assert(offsetof(TACTRA_EFFECT, dwTriggerButton) == 36, "dwTriggerButton");
static_assert(offsetof(TACTRA_EFFECT, dwTriggerRepeatInterval) == 40, "dwTriggerRepeatInterval");
static_assert(offsetof(TACTRA_EFFECT, cAxes) == 44, "cAxes");
static_assert(offsetof(TACTRA_EFFECT, rgdwAxes) == 48, "rgdwAxes");
static_assert(offsetof(TACTRA_EFFECT, rglDirection) == 52, "rglDirection");
static_assert(offsetof(TACTRA_EFFECT, lpEnvelope) == 56, "lpEnvelope");
static_assert(offsetof(TACTRA_EFFECT, cbTypeSpecificParams) == 60, "cbTypeSpecificParams");
static_assert(offsetof(TACTRA_EFFECT, lpvTypeSpecificParams) == 64, "lpvTypeSpecificParams");
static_assert(offsetof(TACTRA_EFFECT, dwReserved) == 68, "dwReserved");
static_assert(sizeof(TACTRA_ENVELOPE) == 20, "TACTRA_ENVELOPE");
static_assert(sizeof(TACTRA_CONDITION) == 24, "TACTRA_CONDITION");
static_assert(sizeof(TACTRA_TEXTURE) == 32, "TACTRA_TEXTURE");
static_assert(sizeof(TACTRA_CONSTANTFORCE) == 4, "TACTRA_CONSTANTFORCE");
static_assert(sizeof(TACTRA_RAMPFORCE) == 8, "TACTRA_RAMPFORCE");
static_assert(sizeof(TACTRA_PERIODIC) == 16, "TACTRA_PERIODIC");
static_assert(sizeof(TACTRA_CUSTOMFORCE) == 16, "TACTRA_CUSTOMFORCE");
static_assert(sizeof(TACTRA_ENCLOSURE) == 56, "TACTRA_ENCLOSURE");
static_assert(offsetof(TACTRA_ENCLOSURE, dwStyle) == 36, "enclosure flags");
static_assert(offsetof(TACTRA_ENCLOSURE, piInnerEffect) == 52, "enclosure inner effect");
static_assert(sizeof(TACTRA_ELLIPSE) == 44, "TACTRA_ELLIPSE");
static_assert(offsetof(TACTRA_ELLIPSE, dwWallSaturation) == 36, "ellipse saturation");
static_assert(offsetof(TACTRA_ELLIPSE, piInnerEffect) == 40, "ellipse inner effect");
static_assert(offsetof(TACTRA_DEVICEINSTANCE, guidInstance) == 4, "guidInstance");
static_assert(sizeof(TACTRA_PROPDWORD) == 20, "TACTRA_PROPDWORD");
static_assert(sizeof(TACTRA_PROPRESOLUTION) == 24, "TACTRA_PROPRESOLUTION");
#endif
