#include "tkl/project/effectcopy.h"

#include "tkl/effects/effectkinds.h"
#include "tkl/project/effectallocator.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace tkl {
namespace project {
namespace {

typedef void* (*BlockCopier)(EffectAllocator& alloc, DWORD size, const void* block);
typedef bool (*BlockFreer)(DWORD size, void* block);

void* copy_plain(EffectAllocator& alloc, DWORD size, const void* block) {
    return block ? alloc.copy(block, size) : nullptr;
}

bool free_plain(DWORD, void* block) {
    std::free(block);
    return true;
}

// The record and, when the source has them, its own copy of the samples.
void* copy_custom_force(EffectAllocator& alloc, DWORD size, const void* block) {
    if (!block || size < sizeof(TACTRA_CUSTOMFORCE))
        return nullptr;
    const TACTRA_CUSTOMFORCE* source = static_cast<const TACTRA_CUSTOMFORCE*>(block);
    TACTRA_CUSTOMFORCE* copy =
        static_cast<TACTRA_CUSTOMFORCE*>(alloc.copy(source, sizeof *source));
    if (!copy)
        return nullptr;
    if (source->rglForceData) {
        const uint64_t samples = uint64_t(source->cChannels) * source->cSamples;
        if (samples == 0) {
            copy->rglForceData = nullptr;
            return copy;
        }
        LONG* data = samples <= SIZE_MAX / sizeof(LONG)
                         ? static_cast<LONG*>(alloc.copy(source->rglForceData,
                                                         size_t(samples) * sizeof(LONG)))
                         : nullptr;
        if (!data) {
            alloc.release(copy);
            return nullptr;
        }
        copy->rglForceData = data;
    }
    return copy;
}

bool free_custom_force(DWORD, void* block) {
    TACTRA_CUSTOMFORCE* force = static_cast<TACTRA_CUSTOMFORCE*>(block);
    if (force)
        std::free(force->rglForceData);
    std::free(force);
    return true;
}

struct BlockRow {
    const GUID* kind;
    BlockCopier copy;
    BlockFreer free;
};

const BlockRow kBlockTable[] = {
    {&GUID_Tactra_ConstantForce, copy_plain, free_plain},
    {&GUID_Tactra_RampForce, copy_plain, free_plain},
    {&GUID_Tactra_Square, copy_plain, free_plain},
    {&GUID_Tactra_Sine, copy_plain, free_plain},
    {&GUID_Tactra_Triangle, copy_plain, free_plain},
    {&GUID_Tactra_SawtoothUp, copy_plain, free_plain},
    {&GUID_Tactra_SawtoothDown, copy_plain, free_plain},
    {&GUID_Tactra_Spring, copy_plain, free_plain},
    {&GUID_Tactra_Damper, copy_plain, free_plain},
    {&GUID_Tactra_Inertia, copy_plain, free_plain},
    {&GUID_Tactra_Friction, copy_plain, free_plain},
    {&GUID_Tactra_CustomForce, copy_custom_force, free_custom_force},
    {&GUID_Tactra_Texture, copy_plain, free_plain},
    {&GUID_Tactra_Grid, copy_plain, free_plain},
    {&GUID_Tactra_Enclosure, copy_plain, free_plain},
    {&GUID_Tactra_Ellipse, copy_plain, free_plain},
};

const BlockRow* find_block_row(const GUID& kind) {
    for (const BlockRow& row : kBlockTable)
        if (std::memcmp(row.kind, &kind, sizeof(GUID)) == 0)
            return &row;
    return nullptr;
}

template <typename T>
T* copy_array(EffectAllocator& alloc, const T* source, size_t count) {
    return static_cast<T*>(alloc.copy(source, count * sizeof(T)));
}

TVXEffect* copy_effect(EffectAllocator& alloc, const TVXEffect* effect) {
    if (!effect || !effect->lpEffect)
        return nullptr;
    TVXEffect* copy = static_cast<TVXEffect*>(alloc.zeroed(sizeof(TVXEffect)));
    if (!copy)
        return nullptr;
    copy->guid = effect->guid;
    TACTRA_EFFECT* record = static_cast<TACTRA_EFFECT*>(alloc.zeroed(sizeof(TACTRA_EFFECT)));
    copy->lpEffect = record;
    if (!record) {
        alloc.discard(copy);
        return nullptr;
    }
    const TACTRA_EFFECT& source = *effect->lpEffect;
    record->dwSize = sizeof(TACTRA_EFFECT);
    record->dwFlags = source.dwFlags;
    record->dwDuration = source.dwDuration;
    record->dwSamplePeriod = source.dwSamplePeriod;
    record->dwGain = source.dwGain;
    record->dwTriggerButton = source.dwTriggerButton;
    record->dwTriggerRepeatInterval = source.dwTriggerRepeatInterval;
    record->cAxes = source.cAxes;
    record->cbTypeSpecificParams = source.cbTypeSpecificParams;

    bool ok = true;
    if (source.cAxes > 0 && source.rgdwAxes)
        ok = (record->rgdwAxes = copy_array(alloc, source.rgdwAxes, source.cAxes)) != nullptr;
    if (ok && source.cAxes > 0 && source.rglDirection)
        ok = (record->rglDirection = copy_array(alloc, source.rglDirection, source.cAxes)) != nullptr;
    if (ok && source.lpEnvelope)
        ok = (record->lpEnvelope = copy_array(alloc, source.lpEnvelope, 1)) != nullptr;
    if (ok && source.lpvTypeSpecificParams) {
        const BlockRow* row = find_block_row(effect->guid);
        if (row)
            ok = (record->lpvTypeSpecificParams = row->copy(alloc, source.cbTypeSpecificParams,
                                                            source.lpvTypeSpecificParams)) != nullptr;
    }
    if (!ok) {
        alloc.discard(copy);
        return nullptr;
    }
    return copy;
}

}  // namespace

TVXEffect* copy_effect(const TVXEffect* effect) {
    HeapAllocator heap;
    return copy_effect(heap, effect);
}

bool free_effect(TVXEffect* effect) {
    if (!effect)
        return false;
    if (TACTRA_EFFECT* record = effect->lpEffect) {
        if (record->lpvTypeSpecificParams) {
            // A kind without a row (an unknown waveform, or a kind rewritten by the caller)
            // still owns a plainly allocated block: free it rather than leak it.
            const BlockRow* row = find_block_row(effect->guid);
            const BlockFreer freer = row ? row->free : free_plain;
            if (!freer(record->cbTypeSpecificParams, record->lpvTypeSpecificParams))
                return false;
        }
        std::free(record->rgdwAxes);
        std::free(record->rglDirection);
        std::free(record->lpEnvelope);
        std::free(record);
    }
    std::free(effect);
    return true;
}

bool free_effect_list(TVXEffect** list) {
    if (!list)
        return false;
    for (TVXEffect** entry = list; *entry; ++entry)
        if (!free_effect(*entry))
            return false;
    std::free(list);
    return true;
}

}  // namespace project
}  // namespace tkl
