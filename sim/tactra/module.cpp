// The software force mouse's module state and its control API.
#include "sim/tactra/objects.h"

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
};

const SimDeviceLimits kLimits = {2, 3, 0, false};

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

SIM_DEFINE_CONTROL_API(tactrasim_)
