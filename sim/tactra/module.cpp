// The software force mouse's module state and its control API.
#include "sim/tactra/kinds.h"
#include "sim/tactra/objects.h"

#include <cstdio>
#include <cstring>

namespace {

void init_properties(SimAttachedDevice& d) {
    d.props[TACTRA_PROP_AXISMODE][0] = TACTRA_PROPAXISMODE_REL;  // a mouse starts relative
    d.props[TACTRA_PROP_FFGAIN][0] = TACTRA_NOMINAL_MAX;
    d.props[TACTRA_PROP_SCREENRESOLUTION][0] = 0;  // unknown until the application tells it
    d.props[TACTRA_PROP_SCREENRESOLUTION][1] = 0;
    d.props[TACTRA_PROP_FORCEOUTPUT][0] = 0;  // actuators off until enabled
}

unsigned property_values(DWORD number) {
    switch (number) {
    case TACTRA_PROP_AXISMODE:
    case TACTRA_PROP_FFGAIN:
    case TACTRA_PROP_FORCEOUTPUT:
        return 1;
    case TACTRA_PROP_SCREENRESOLUTION:
        return 2;
    default:
        return 0;
    }
}

const SimModuleConfig kConfig = {
    {0x7AC70001, 0x5349, 0x4D4D, {'T', 'A', 'C', 'T', 'R', 'A', 0, 1}},
    0x7AC71000,
    16,
    init_properties,
    property_values,
    tactra_render_kind,
    SimRenderScale::Pixels,
    TACTRA_PROP_SCREENRESOLUTION,
};

const SimDeviceLimits kLimits = {2, 3, 0, false};

const GUID kProduct = {0x7AC70000, 0x5349, 0x4D4D, {'T', 'A', 'C', 'T', 'R', 'A', 0, 0}};

}  // namespace

SimModule& sim_module() {
    static SimModule module(kConfig);
    return module;
}

const SimDeviceLimits& tactra_limits() { return kLimits; }

HRESULT tactra_check_version(DWORD version) {
    if (version > TACTRA_VERSION)
        return TACTRA_ERROR_OLDVERSION;   // the application needs a newer API than this one
    if (version < TACTRA_VERSION)
        return TACTRA_ERROR_BETAVERSION;  // written for a prerelease of the API
    return S_OK;
}

void tactra_fill_instance(TACTRA_DEVICEINSTANCE* info, const GUID& instance) {
    std::memset(reinterpret_cast<BYTE*>(info) + sizeof(DWORD), 0, sizeof *info - sizeof(DWORD));
    info->guidInstance = instance;
    info->guidProduct = kProduct;
    info->dwDevType = TACTRA_DEVTYPE_FORCEMOUSE;
    std::snprintf(info->tszInstanceName, sizeof info->tszInstanceName, "Software force mouse");
    std::snprintf(info->tszProductName, sizeof info->tszProductName, "Software force mouse");
}

SIM_DEFINE_CONTROL_API(tactrasim_)

#if defined(__EMSCRIPTEN__)
extern "C" HRESULT WINAPI TactraCreateA(HINSTANCE, DWORD, ITactra**, IUnknown*);

// Everything the module exports, for a program that links it into itself and registers it
// as "tactra.dll".
extern "C" const TklLinkedExport tactra_linked_exports[] = {
    SIM_LINKED_EXPORT(TactraCreateA), SIM_LINKED_CONTROL_EXPORTS(tactrasim_), {nullptr, nullptr}};
#endif
