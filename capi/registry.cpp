// The handle table (see registry.h).
#include "capi/registry.h"

#include "tkl/core/tklerrors.h"

#include <cstdlib>

namespace tkl_c {
namespace {

// At most 0xFFFF slots, so that a slot number fits the handle's low 16 bits.
const std::uint32_t kMaxSlots = 0xFFFF;

Entry* g_entries = nullptr;
std::uint32_t g_capacity = 0;

bool grow() {
    if (g_capacity >= kMaxSlots) return false;
    std::uint32_t wanted = g_capacity ? g_capacity * 2 : 64;
    if (wanted > kMaxSlots) wanted = kMaxSlots;
    void* grown = std::realloc(g_entries, wanted * sizeof(Entry));
    if (!grown) return false;
    g_entries = static_cast<Entry*>(grown);
    for (std::uint32_t i = g_capacity; i < wanted; ++i) {
        g_entries[i] = Entry{Sort::Free, 1, nullptr, 0, 0, 0, TKL_KIND_OTHER};
    }
    g_capacity = wanted;
    return true;
}

}  // namespace

tkl_status fail(std::int32_t code) {
    CTKLErrors::SetErrorCode(code);
    return code;
}

tkl_status result(int succeeded) {
    if (succeeded) return TKL_OK;
    const LONG code = CTKLErrors::GetLastErrorCode();
    return code != TKL_ERR_NONE ? code : fail(TKL_ERR_UNKNOWN);
}

Entry* add(Sort sort, void* object) {
    for (std::uint32_t pass = 0; pass < 2; ++pass) {
        for (std::uint32_t i = 0; i < g_capacity; ++i) {
            Entry& e = g_entries[i];
            if (e.sort != Sort::Free) continue;
            e.sort = sort;
            e.object = object;
            e.device = e.owner = e.inner = 0;
            e.kind = TKL_KIND_OTHER;
            return &e;
        }
        if (!grow()) break;
    }
    fail(TKL_ERR_ALLOCATION_FAILED);
    return nullptr;
}

void remove(Entry* entry) {
    entry->sort = Sort::Free;
    entry->object = nullptr;
    // Generation 0 never appears, so no handle is ever the null pointer.
    entry->generation = std::uint16_t(entry->generation + 1 ? entry->generation + 1 : 1);
}

void* handle_of(const Entry* entry) {
    const std::uintptr_t value =
        (std::uintptr_t(entry->generation) << 16) | std::uintptr_t(slot_of(entry));
    return reinterpret_cast<void*>(value);
}

std::uint32_t slot_of(const Entry* entry) { return std::uint32_t(entry - g_entries) + 1; }

Entry* at(std::uint32_t slot) {
    return slot >= 1 && slot <= g_capacity ? &g_entries[slot - 1] : nullptr;
}

std::uint32_t capacity() { return g_capacity; }

tkl_status find(const void* handle, Sort sort, Entry** out, bool orphanOk) {
    *out = nullptr;
    if (!handle) return fail(TKL_ERR_NULL_PARAMETER);
    const std::uintptr_t value = reinterpret_cast<std::uintptr_t>(handle);
    // Bits above the generation (64-bit pointers) make the comparison fail too.
    Entry* entry = at(std::uint32_t(value & 0xFFFF));
    if (!entry || entry->sort != sort || (value >> 16) != entry->generation)
        return fail(TKL_ERR_INVALID_PARAMETER);
    if (!entry->object && !orphanOk) return fail(TKL_ERR_DEVICE_IS_NULL);
    CTKLErrors::SetErrorCode(TKL_ERR_NONE);
    *out = entry;
    return TKL_OK;
}

}  // namespace tkl_c
