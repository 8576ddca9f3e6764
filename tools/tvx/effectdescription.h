#pragma once
// Effect records as text, field by field: what `tvx check` prints and what tests compare.
// 32-bit fields print as signed values, so "no trigger" reads -1.

#include "tkl/effects/effectkinds.h"
#include "tkl/project/tvx.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace tvx {

// The short name of an effect kind; "none" for the all-zero GUID, the GUID text otherwise.
inline std::string kind_name(const GUID& kind) {
    static const std::pair<const GUID*, const char*> kNames[] = {
        {&GUID_Tactra_ConstantForce, "constant"}, {&GUID_Tactra_RampForce, "ramp"},
        {&GUID_Tactra_Square, "square"},          {&GUID_Tactra_Sine, "sine"},
        {&GUID_Tactra_Triangle, "triangle"},      {&GUID_Tactra_SawtoothUp, "sawtoothup"},
        {&GUID_Tactra_SawtoothDown, "sawtoothdown"}, {&GUID_Tactra_Spring, "spring"},
        {&GUID_Tactra_Damper, "damper"},          {&GUID_Tactra_Inertia, "inertia"},
        {&GUID_Tactra_Friction, "friction"},      {&GUID_Tactra_Texture, "texture"},
        {&GUID_Tactra_Grid, "grid"},              {&GUID_Tactra_CustomForce, "customforce"},
        {&GUID_Tactra_Enclosure, "enclosure"},    {&GUID_Tactra_Ellipse, "ellipse"},
        {&GUID_Tactra_DeviceSpring, "devicespring"}};
    for (const auto& row : kNames)
        if (std::memcmp(row.first, &kind, sizeof(GUID)) == 0)
            return row.second;
    static const GUID zero = {};
    if (std::memcmp(&zero, &kind, sizeof(GUID)) == 0)
        return "none";
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-...}", unsigned(kind.Data1),
                  unsigned(kind.Data2), unsigned(kind.Data3));
    return text;
}

inline std::string join_words(const void* data, size_t words) {
    std::string out;
    for (size_t i = 0; i < words; ++i) {
        int32_t v;
        std::memcpy(&v, static_cast<const char*>(data) + 4 * i, 4);
        out += (i ? "," : "") + std::to_string(v);
    }
    return out;
}

inline std::string hex(uint32_t v) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", unsigned(v));
    return text;
}

// The fields of one effect in record order, as (name, value) texts.
inline std::vector<std::pair<std::string, std::string>> effect_fields(const TVXEffect& effect) {
    std::vector<std::pair<std::string, std::string>> f;
    f.push_back({"kind", kind_name(effect.guid)});
    const TACTRA_EFFECT* e = effect.lpEffect;
    if (!e) {
        f.push_back({"record", "none"});
        return f;
    }
    auto s32 = [](DWORD v) { return std::to_string(int32_t(v)); };
    if (e->dwSize != sizeof(TACTRA_EFFECT))
        f.push_back({"size", std::to_string(e->dwSize)});
    f.push_back({"flags", hex(e->dwFlags)});
    f.push_back({"duration", s32(e->dwDuration)});
    if (e->dwSamplePeriod)
        f.push_back({"sampleperiod", s32(e->dwSamplePeriod)});
    f.push_back({"gain", s32(e->dwGain)});
    f.push_back({"trigger", s32(e->dwTriggerButton)});
    f.push_back({"repeat", s32(e->dwTriggerRepeatInterval)});
    f.push_back({"axes", e->rgdwAxes ? join_words(e->rgdwAxes, e->cAxes) : "none"});
    f.push_back({"direction", e->rglDirection ? join_words(e->rglDirection, e->cAxes) : "none"});
    f.push_back({"envelope", e->lpEnvelope ? join_words(e->lpEnvelope, 5) : "none"});
    std::string block;
    if (!e->lpvTypeSpecificParams) {
        block = "none(" + std::to_string(e->cbTypeSpecificParams) + ")";
    } else if (std::memcmp(&effect.guid, &GUID_Tactra_CustomForce, sizeof(GUID)) == 0 &&
               e->cbTypeSpecificParams == sizeof(TACTRA_CUSTOMFORCE)) {
        const auto* force = static_cast<const TACTRA_CUSTOMFORCE*>(e->lpvTypeSpecificParams);
        block = join_words(force, 3) + (force->rglForceData ? ",samples" : ",null");
    } else {
        block = join_words(e->lpvTypeSpecificParams, e->cbTypeSpecificParams / 4);
    }
    f.push_back({"block", block});
    static const GUID zero = {};
    if (e->dwReserved || std::memcmp(&e->guid, &zero, sizeof(GUID)) != 0)
        f.push_back({"recordguid", kind_name(e->guid)});
    return f;
}

// All fields on one line: "kind=spring flags=0x12 ...".
inline std::string describe_effect(const TVXEffect& effect) {
    std::string out;
    for (const auto& field : effect_fields(effect))
        out += (out.empty() ? "" : " ") + field.first + "=" + field.second;
    return out;
}

}  // namespace tvx
