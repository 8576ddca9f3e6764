#pragma once
/// @file
/// The effect kinds: product GUIDs {5959DFxx-2911-11D1-B049-0020AF30269A}, the effect class
/// that holds each, and the DirectInput effect GUID that stands for it on a DirectInput device.

#include "tkl/platform/win32.h"
#include "tkl/platform/export.h"

extern "C" {
TKL_API extern const GUID GUID_Tactra_ConstantForce;  ///< 5959DF71
TKL_API extern const GUID GUID_Tactra_RampForce;      ///< 5959DF72
TKL_API extern const GUID GUID_Tactra_Square;         ///< 5959DF73
TKL_API extern const GUID GUID_Tactra_Sine;           ///< 5959DF74
TKL_API extern const GUID GUID_Tactra_Triangle;       ///< 5959DF75
TKL_API extern const GUID GUID_Tactra_SawtoothUp;     ///< 5959DF76
TKL_API extern const GUID GUID_Tactra_SawtoothDown;   ///< 5959DF77
TKL_API extern const GUID GUID_Tactra_Spring;         ///< 5959DF78
TKL_API extern const GUID GUID_Tactra_Damper;         ///< 5959DF79
TKL_API extern const GUID GUID_Tactra_Inertia;        ///< 5959DF7A
TKL_API extern const GUID GUID_Tactra_Friction;       ///< 5959DF7B
TKL_API extern const GUID GUID_Tactra_Texture;        ///< 5959DF7C
TKL_API extern const GUID GUID_Tactra_Grid;           ///< 5959DF7D
TKL_API extern const GUID GUID_Tactra_CustomForce;    ///< 5959DF7E
TKL_API extern const GUID GUID_Tactra_Enclosure;      ///< 5959DF7F
TKL_API extern const GUID GUID_Tactra_Ellipse;        ///< 5959DF82
TKL_API extern const GUID GUID_Tactra_DeviceSpring;   ///< 5959DF83: offsets in device units
}

/// The library's helpers that are not classes of their own: effect kinds, markers and units.
namespace tkl {

/// The effect classes, as far as the kinds they accept are concerned.
enum class EffectClass {
    Effect,      ///< CTactraEffect: any kind
    Condition,   ///< CTactraCondition
    Spring,      ///< CTactraSpring
    Damper,      ///< CTactraDamper
    Inertia,     ///< CTactraInertia
    Friction,    ///< CTactraFriction
    Grid,        ///< CTactraGrid
    Texture,     ///< CTactraTexture
    Constant,    ///< CTactraConstant
    Ramp,        ///< CTactraRamp
    Periodic,    ///< CTactraPeriodic
    Enclosure,   ///< also CTactraBox
    Ellipse      ///< CTactraEllipse
};

/// One row of the table of effect kinds.
struct EffectKind {
    const GUID* kind;        ///< the product kind
    EffectClass holder;      ///< the class the effect factory makes for the kind
    const GUID* directInput; ///< null: passed to DirectInput unchanged
};

/// The seventeen kinds, in the order of their first groups (the device-unit spring last).
TKL_API const EffectKind* effect_kinds(unsigned* count);

/// The row for a kind (compared as 16 bytes), or null.
TKL_API const EffectKind* find_effect_kind(const GUID& kind);

/// Replaces the kind by its DirectInput counterpart; kinds without one are left unchanged.
TKL_API void translate_to_directinput(GUID& kind);

/// Whether an effect of the kind may be loaded into an object of the class.
TKL_API bool class_accepts_kind(EffectClass cls, const GUID& kind);

}  // namespace tkl
