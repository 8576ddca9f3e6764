#pragma once
// The records that describe an effect to a lower layer, with their flags and masks. They are
// the product force API's own records and the library's effect description everywhere, also
// on DirectInput devices (the effect base translates them there).

#include "tkl/platform/win32.h"

#include <cstddef>

struct ITactraEffect;

// Effect flags (dwFlags).
#define TACTRA_FEFFECT_OBJECTOFFSETS 0x00000002u  // axes are identified by their offsets
#define TACTRA_FEFFECT_CARTESIAN 0x00000010u      // direction values are x and y components
#define TACTRA_FEFFECT_POLAR 0x00000020u          // first direction value is an angle, second 0

// Parameter-change mask of SetParameters: one bit per record field that a call changes.
// The values equal DirectInput's DIEP_ bits, so one mask serves both kinds of device.
#define TACTRA_EP_DURATION 0x00000001u
#define TACTRA_EP_SAMPLEPERIOD 0x00000002u
#define TACTRA_EP_GAIN 0x00000004u
#define TACTRA_EP_TRIGGERBUTTON 0x00000008u
#define TACTRA_EP_TRIGGERREPEATINTERVAL 0x00000010u
#define TACTRA_EP_AXES 0x00000020u
#define TACTRA_EP_DIRECTION 0x00000040u
#define TACTRA_EP_ENVELOPE 0x00000080u
#define TACTRA_EP_TYPESPECIFICPARAMS 0x00000100u
#define TACTRA_EP_ALLPARAMS 0x000001FFu

// Axis offsets in rgdwAxes.
#define TACTRA_AXIS_X 0u
#define TACTRA_AXIS_Y 4u

#define TACTRA_INFINITE 0xFFFFFFFFu    // dwDuration: plays until stopped
#define TACTRA_NOTRIGGER 0xFFFFFFFFu   // dwTriggerButton: no trigger button
#define TACTRA_NOMINAL_MAX 10000       // full scale of gains, coefficients and saturations

// Failure results of the product force API that the library tells apart by name.
#define TACTRA_OK ((HRESULT)0)
#define TACTRA_ERROR_DEVICENOTREG ((HRESULT)0x80040154)
#define TACTRA_ERROR_DEVICEFULL ((HRESULT)0x80040201)
#define TACTRA_ERROR_INPUTLOST ((HRESULT)0x8007001E)
#define TACTRA_ERROR_INVALIDPARAM ((HRESULT)0x80070057)
// Further results of the product force API (modelled on DirectInput's).
#define TACTRA_ERROR_NOTACQUIRED ((HRESULT)0x8007000C)
#define TACTRA_ERROR_NOTINITIALIZED ((HRESULT)0x80070015)
#define TACTRA_ERROR_OLDVERSION ((HRESULT)0x8007047E)
#define TACTRA_ERROR_BETAVERSION ((HRESULT)0x80070481)
#define TACTRA_ERROR_NOTFOUND ((HRESULT)0x80070002)
#define TACTRA_ERROR_UNSUPPORTED ((HRESULT)0x80004001)
#define TACTRA_ERROR_OUTOFMEMORY ((HRESULT)0x8007000E)
#define TACTRA_ERROR_NOAGGREGATION ((HRESULT)0x80040110)
#define TACTRA_ERROR_NOTDOWNLOADED ((HRESULT)0x80040203)
#define TACTRA_ERROR_INCOMPLETEEFFECT ((HRESULT)0x80040206)
#define TACTRA_ERROR_EFFECTPLAYING ((HRESULT)0x80040208)
#define TACTRA_ERROR_OTHERAPPHASPRIO ((HRESULT)0x80070005)

struct TACTRA_ENVELOPE {
    DWORD dwSize;  // sizeof(TACTRA_ENVELOPE)
    DWORD dwAttackLevel;
    DWORD dwAttackTime;
    DWORD dwFadeLevel;
    DWORD dwFadeTime;
};

// DirectInput's DIEFFECT with the kind GUID after the size and one more field at the end.
struct TACTRA_EFFECT {
    DWORD dwSize;  // sizeof(TACTRA_EFFECT)
    GUID guid;     // the effect kind
    DWORD dwFlags;
    DWORD dwDuration;  // microseconds; TACTRA_INFINITE
    DWORD dwSamplePeriod;
    DWORD dwGain;  // 0..10000
    DWORD dwTriggerButton;  // button index or TACTRA_NOTRIGGER
    DWORD dwTriggerRepeatInterval;
    DWORD cAxes;
    DWORD* rgdwAxes;  // cAxes axis offsets
    LONG* rglDirection;  // cAxes direction values
    TACTRA_ENVELOPE* lpEnvelope;
    DWORD cbTypeSpecificParams;
    void* lpvTypeSpecificParams;
    DWORD dwReserved;  // 0 in every record the library builds
};

// One per axis: a two-axis condition block holds the X record, then the Y record.
struct TACTRA_CONDITION {
    LONG lOffset;
    LONG lPositiveCoefficient;
    LONG lNegativeCoefficient;
    DWORD dwPositiveSaturation;
    DWORD dwNegativeSaturation;
    LONG lDeadBand;
};

// One per axis, like the condition.
struct TACTRA_TEXTURE {
    DWORD dwSize;  // sizeof(TACTRA_TEXTURE)
    LONG lOffset;
    LONG lPositiveValue1;
    DWORD dwPositiveValue2;
    DWORD dwPositiveRoughness;
    LONG lNegativeValue1;
    DWORD dwNegativeValue2;
    DWORD dwNegativeRoughness;
};

struct TACTRA_CONSTANTFORCE {
    LONG lMagnitude;
};

struct TACTRA_RAMPFORCE {
    LONG lStart;
    LONG lEnd;
};

struct TACTRA_PERIODIC {
    DWORD dwMagnitude;
    LONG lOffset;
    DWORD dwPhase;   // hundredths of a degree
    DWORD dwPeriod;  // microseconds
};

struct TACTRA_CUSTOMFORCE {
    DWORD cChannels;
    DWORD dwSamplePeriod;
    DWORD cSamples;
    LONG* rglForceData;  // cChannels * cSamples samples
};

// A rectangle with a wall along each side. The rectangle's right and bottom are inside it.
struct TACTRA_ENCLOSURE {
    DWORD dwSize;  // sizeof(TACTRA_ENCLOSURE)
    RECT rectBoundary;
    DWORD dwTopAndBottomWallThickness;
    DWORD dwLeftAndRightWallThickness;
    LONG lTopAndBottomWallStiffness;
    LONG lLeftAndRightWallStiffness;
    DWORD dwStyle;           // first flags word: 255 in a box
    DWORD dwStyle2;          // second flags word: 0 in a box
    DWORD dwTopAndBottomWallSaturation;
    DWORD dwLeftAndRightWallSaturation;
    ITactraEffect* piInnerEffect;  // not owned, or null
};

// An ellipse inscribed in a rectangle, with one wall all around.
struct TACTRA_ELLIPSE {
    DWORD dwSize;  // sizeof(TACTRA_ELLIPSE)
    RECT rectBoundary;
    DWORD dwWallThickness;
    LONG lWallStiffness;
    DWORD dwStyle;
    DWORD dwStyle2;
    DWORD dwWallSaturation;
    ITactraEffect* piInnerEffect;  // not owned, or null
};

// What device enumeration reports; the library reads only guidInstance.
struct TACTRA_DEVICEINSTANCE {
    DWORD dwSize;  // sizeof(TACTRA_DEVICEINSTANCE)
    GUID guidInstance;
    GUID guidProduct;
    DWORD dwDevType;
    CHAR tszInstanceName[260];
    CHAR tszProductName[260];
};

// Device properties; the record is a header followed by the data.
#define TACTRA_PROP_AXISMODE 2u          // TACTRA_PROPAXISMODE_ABS or _REL
#define TACTRA_PROP_FFGAIN 7u            // device gain, 0..10000
#define TACTRA_PROP_SCREENRESOLUTION 13u // width, height in pixels
#define TACTRA_PROP_FORCEOUTPUT 15u      // 1: forces are sent to the actuators
#define TACTRA_PROPAXISMODE_ABS 0u
#define TACTRA_PROPAXISMODE_REL 1u

struct TACTRA_PROPHEADER {
    DWORD dwSize;        // the whole record
    DWORD dwHeaderSize;  // sizeof(TACTRA_PROPHEADER)
    DWORD dwObj;         // 0: the device
    DWORD dwHow;         // 0: the device
};

struct TACTRA_PROPDWORD {
    TACTRA_PROPHEADER diph;
    DWORD dwData;
};

struct TACTRA_PROPRESOLUTION {
    TACTRA_PROPHEADER diph;
    DWORD dwWidth;
    DWORD dwHeight;
};

// Device capabilities (GetCapabilities).
struct TACTRA_DEVCAPS {
    DWORD dwSize;  // sizeof(TACTRA_DEVCAPS)
    DWORD dwFlags;
    DWORD dwDevType;
    DWORD dwAxes;
    DWORD dwButtons;
    DWORD dwMaxEffects;  // how many effects the device holds at once
};

// Effect status bits (GetEffectStatus).
#define TACTRA_EGES_PLAYING 0x00000001u
#define TACTRA_EGES_EMULATED 0x00000002u

// Start flags.
#define TACTRA_ES_SOLO 0x00000001u
#define TACTRA_ES_NODOWNLOAD 0x80000000u

// Enumeration and cooperative-level flags (DirectInput's numbering).
#define TACTRA_EDFL_ATTACHEDONLY 0x00000001u
#define TACTRA_EDFL_FORCEFEEDBACK 0x00000100u
#define TACTRA_DEVTYPE_FORCEMOUSE 2u
#define TACTRA_SCL_EXCLUSIVE 0x00000001u
#define TACTRA_SCL_NONEXCLUSIVE 0x00000002u
#define TACTRA_SCL_FOREGROUND 0x00000004u
#define TACTRA_SCL_BACKGROUND 0x00000008u

#if defined(_WIN32) && !defined(_WIN64)
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
