#pragma once
// An effect's DirectInput parameters as the module keeps them (deep copies of the caller's
// arrays and blocks), and their translation into the kernel's struct ff_effect.

#include "evdev/kinds.h"

// Force axes: the kernel's force plane has two, X and Y, on every device.
#define EVDEV_AXIS_X 0
#define EVDEV_AXIS_Y 1

#ifndef INFINITE
#define INFINITE 0xFFFFFFFFu
#endif

struct EvdevParams {
    DWORD set = 0;          // DIEP_ bits given so far
    DWORD coordinates = 0;  // DIEFF_CARTESIAN, DIEFF_POLAR or DIEFF_SPHERICAL
    DWORD duration = INFINITE;
    DWORD samplePeriod = 0;
    DWORD gain = DI_FFNOMINALMAX;
    int triggerButton = -1;  // button index, -1 for none
    DWORD triggerRepeat = 0;
    DWORD cAxes = 0;
    int axes[2] = {0, 0};  // EVDEV_AXIS_X or EVDEV_AXIS_Y
    LONG direction[2] = {0, 0};
    bool hasEnvelope = false;
    DIENVELOPE envelope = {};
    DWORD cbBlock = 0;
    LONG block[2 * sizeof(DICONDITION) / sizeof(LONG)] = {};
};

// Takes the fields `mask` names from a caller's record, checked as DirectInput checks them
// (sizes, pointers, axes and buttons the device has, block size for the kind). DI_OK or
// DIERR_INVALIDPARAM; `p` is unchanged on failure.
HRESULT evdev_take_params(EvdevParams& p, const DIEFFECT& effect, DWORD mask,
                          const EvdevKind& kind, const EvdevNode& node);
// Fills the fields `mask` names in a caller's record: DI_OK, DIERR_INVALIDPARAM, or
// DIERR_MOREDATA with the sizes needed when an array or the block is too small.
HRESULT evdev_give_params(const EvdevParams& p, DIEFFECT& effect, DWORD mask,
                          const EvdevNode& node);
// Whether the parameters hold what a download needs (axes, the block, and a direction for
// more than one axis).
bool evdev_params_complete(const EvdevParams& p, const EvdevKind& kind);
// The kernel's record for the parameters (id -1): DI_OK, DI_TRUNCATED when a value had to be
// limited to what the kernel can hold, or DIERR_INVALIDPARAM for what it cannot play (a ramp
// without end).
HRESULT evdev_translate(const EvdevParams& p, const EvdevKind& kind, const EvdevNode& node,
                        ff_effect& out);
