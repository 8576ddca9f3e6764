#pragma once
// What the constant, ramp and periodic records share: everything but their block's values.

#include "tkl/devices/tactrarecords.h"

#include <cstring>

namespace tkl {

// Fills a record that reset_effect_struct has just rebuilt (so that its axis and direction
// pointers are the object's own two-entry arrays): form flag (TACTRA_FEFFECT_CARTESIAN or
// _POLAR) with object offsets, gain 10000, no trigger, two axes X and Y, the direction entries
// that are given, the duration if given (milliseconds), the envelope (none for the "not given"
// marker) and the block.
void fill_force_record(TACTRA_EFFECT& record, DWORD form, LONG x, LONG y, DWORD duration,
                       TACTRA_ENVELOPE* envelope, void* block, DWORD blockSize);

// The change mask for what a force change was given. Cartesian directions are sent only when
// both components are given; blockGiven: at least one value of the block is given.
DWORD force_change_mask(DWORD form, LONG x, LONG y, DWORD duration,
                        const TACTRA_ENVELOPE* envelope, bool blockGiven);

// A full record loaded into a force object: its block, when it has the object's block size,
// becomes the object's stored values, so that later partial changes keep them.
template <typename Block>
void keep_record_block(const TACTRA_EFFECT& record, Block& block) {
    if (record.lpvTypeSpecificParams && record.cbTypeSpecificParams == sizeof(Block))
        std::memcpy(&block, record.lpvTypeSpecificParams, sizeof(Block));
}

}  // namespace tkl
