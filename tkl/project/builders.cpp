#include "tkl/project/builders.h"

#include "tkl/effects/effectkinds.h"
#include "tkl/project/buildsteps.h"
#include "tkl/project/nametable.h"

namespace tkl {
namespace project {
namespace {

// A one-effect list whose record `fill` completes; null (count kept) when anything fails. What
// a failed build allocated stays in the arena until the project goes.
template <typename Fill>
TVXEffect** build_one(const GUID* kind, const TypeProperties& props, ProjectArena& arena,
                      LONG& count, bool withTrigger, Fill fill) {
    count = 1;
    TVXEffect** list = alloc_effects(arena, 1);
    if (!list)
        return nullptr;
    TVXEffect& effect = *list[0];
    if (kind)
        effect.guid = *kind;
    set_common_fields(*effect.lpEffect, props, withTrigger);
    return fill(*effect.lpEffect) ? list : nullptr;
}

TVXEffect** build_condition(const BuilderRow& row, const TypeProperties& props,
                            ProjectArena& arena, LONG& count) {
    return build_one(row.kind, props, arena, count, true, [&](TACTRA_EFFECT& e) {
        if (props.get(PropertyKey::Axes, 0) == 3)
            return set_angle_direction(arena, e, props) &&
                   set_condition_block(arena, e, props, 1);
        return set_axis_choice(arena, e, props) &&
               set_condition_block(arena, e, props, e.cAxes);
    });
}

TVXEffect** build_axis_wall(const BuilderRow& row, const TypeProperties& props,
                            ProjectArena& arena, LONG& count) {
    return build_one(row.kind, props, arena, count, true, [&](TACTRA_EFFECT& e) {
        return set_single_axis(arena, e, props.get(PropertyKey::Axis, 0) != 0) &&
               set_wall_block(arena, e, props);
    });
}

TVXEffect** build_angle_wall(const BuilderRow& row, const TypeProperties& props,
                             ProjectArena& arena, LONG& count) {
    return build_one(row.kind, props, arena, count, true, [&](TACTRA_EFFECT& e) {
        return set_angle_direction(arena, e, props) && set_wall_block(arena, e, props);
    });
}

TVXEffect** build_enveloped_force(const BuilderRow& row, const TypeProperties& props,
                                  ProjectArena& arena, LONG& count) {
    return build_one(row.kind, props, arena, count, true, [&](TACTRA_EFFECT& e) {
        return set_polar_direction(arena, e, props) && set_envelope(arena, e, props) &&
               set_constant_block(arena, e, props);
    });
}

TVXEffect** build_jolt(const BuilderRow& row, const TypeProperties& props,
                       ProjectArena& arena, LONG& count) {
    return build_one(row.kind, props, arena, count, true, [&](TACTRA_EFFECT& e) {
        return set_polar_direction(arena, e, props) && set_constant_block(arena, e, props);
    });
}

TVXEffect** build_ramp(const BuilderRow& row, const TypeProperties& props,
                       ProjectArena& arena, LONG& count) {
    return build_one(row.kind, props, arena, count, true, [&](TACTRA_EFFECT& e) {
        return set_polar_direction(arena, e, props) && set_envelope(arena, e, props) &&
               set_ramp_block(arena, e, props);
    });
}

TVXEffect** build_periodic(const BuilderRow&, const TypeProperties& props, ProjectArena& arena,
                          LONG& count) {
    static const GUID* const kWaveforms[5] = {&GUID_Tactra_Sine, &GUID_Tactra_Square,
                                              &GUID_Tactra_Triangle, &GUID_Tactra_SawtoothUp,
                                              &GUID_Tactra_SawtoothDown};
    const LONG waveform = props.get(PropertyKey::Waveform, 0);
    // Any other waveform is no failure: the effect keeps the all-zero kind.
    const GUID* kind = waveform >= 0 && waveform < 5 ? kWaveforms[waveform] : nullptr;
    return build_one(kind, props, arena, count, true, [&](TACTRA_EFFECT& e) {
        return set_polar_direction(arena, e, props) && set_envelope(arena, e, props) &&
               set_periodic_block(arena, e, props);
    });
}

TVXEffect** build_vibration(const BuilderRow& row, const TypeProperties& props,
                            ProjectArena& arena, LONG& count) {
    return build_one(row.kind, props, arena, count, true, [&](TACTRA_EFFECT& e) {
        if (!set_polar_direction(arena, e, props) || !set_periodic_block(arena, e, props))
            return false;
        static_cast<TACTRA_PERIODIC*>(e.lpvTypeSpecificParams)->dwPhase = 0;
        return true;
    });
}

// Buffeting plays without a trigger: its trigger fields stay 0.
TVXEffect** build_buffeting(const BuilderRow& row, const TypeProperties& props,
                            ProjectArena& arena, LONG& count) {
    return build_one(row.kind, props, arena, count, false, [&](TACTRA_EFFECT& e) {
        return set_polar_direction(arena, e, props) && set_periodic_block(arena, e, props);
    });
}

TVXEffect** build_force_profile(const BuilderRow& row, const TypeProperties& props,
                                ProjectArena& arena, LONG& count) {
    return build_one(row.kind, props, arena, count, true, [&](TACTRA_EFFECT& e) {
        return set_polar_direction(arena, e, props) && set_envelope(arena, e, props) &&
               set_custom_force_block(arena, e, props);
    });
}

// One effect per textured axis, X first; each side of an axis has its own style bit.
TVXEffect** build_texture(const BuilderRow& row, const TypeProperties& props,
                          ProjectArena& arena, LONG& count) {
    enum { XPos = 1, XNeg = 2, YPos = 4, YNeg = 8 };
    LONG style = props.get(PropertyKey::TextureStyle, 15);
    if (!(style & (XPos | XNeg | YPos | YNeg)))
        style |= XPos;
    const bool hasX = style & (XPos | XNeg);
    const bool hasY = style & (YPos | YNeg);
    count = hasX && hasY ? 2 : 1;
    TVXEffect** list = alloc_effects(arena, int(count));
    if (!list)
        return nullptr;
    for (LONG i = 0; i < count; ++i) {
        const bool isY = i == 1 || !hasX;
        TVXEffect& effect = *list[i];
        TACTRA_EFFECT& e = *effect.lpEffect;
        effect.guid = *row.kind;
        set_common_fields(e, props, true);
        const bool ok = set_single_axis(arena, e, isY) &&
                        set_texture_block(arena, e, props, style & (isY ? YPos : XPos),
                                          style & (isY ? YNeg : XNeg));
        if (!ok)
            return nullptr;
    }
    return list;
}

constexpr BuilderRow kBuilders[] = {
    {"Spring", build_condition, &GUID_Tactra_Spring},
    {"Slope", build_condition, &GUID_Tactra_Spring},
    {"Damper", build_condition, &GUID_Tactra_Damper},
    {"Inertia", build_condition, &GUID_Tactra_Inertia},
    {"Friction", build_condition, &GUID_Tactra_Friction},
    {"Axis Wall", build_axis_wall, &GUID_Tactra_Spring},
    {"Angle Wall", build_angle_wall, &GUID_Tactra_Spring},
    {"Texture", build_texture, &GUID_Tactra_Texture},
    {"Vector Force", build_enveloped_force, &GUID_Tactra_ConstantForce},
    {"Jolt", build_jolt, &GUID_Tactra_ConstantForce},
    {"Pop", build_enveloped_force, &GUID_Tactra_ConstantForce},
    {"Periodic", build_periodic, nullptr},
    {"Vibration", build_vibration, &GUID_Tactra_Square},
    {"Buffeting", build_buffeting, &GUID_Tactra_Sine},
    {"Ramp", build_ramp, &GUID_Tactra_RampForce},
    {"Force Profile", build_force_profile, &GUID_Tactra_CustomForce},
    {"Compound", nullptr, nullptr},
};
static_assert(sizeof kBuilders / sizeof kBuilders[0] == kBuilderRows, "every row counted");

constexpr NameTable<kBuilderRows> kBuilderTable(kBuilders, &BuilderRow::type);
static_assert(kBuilderTable.ready(), "a slot for every type name");

}  // namespace

const BuilderRow* find_builder(const char* type, size_t length, size_t readable) {
    const int row = kBuilderTable.find(type, length, readable);
    return row < 0 ? nullptr : &kBuilders[row];
}

size_t builder_row_number(const BuilderRow& row) { return size_t(&row - kBuilders); }

}  // namespace project
}  // namespace tkl
