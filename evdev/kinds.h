#pragma once
// DirectInput's effect kinds and the kernel's effect types and waveforms they become.

#include "evdev/node.h"

struct EvdevKind {
    const GUID* guid;
    unsigned short type;      // FF_*
    unsigned short waveform;  // FF_SQUARE.. for FF_PERIODIC, else 0
    DWORD diType;             // DIEFT_ type and the parameters the kernel takes
    const char* name;
};

// The kind of an effect GUID, or null (DirectInput answers DIERR_DEVICENOTREG then).
const EvdevKind* evdev_find_kind(REFGUID guid);
// Every kind, in DirectInput's order.
const EvdevKind* evdev_kinds(unsigned* count);
// Whether the node declares the kind's type (and waveform).
bool evdev_node_plays(const EvdevNode& node, const EvdevKind& kind);
