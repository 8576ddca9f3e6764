#pragma once
// The C interface's handles: a table of live objects. A handle carries its slot and the slot's
// generation, so a released (stale), made-up (foreign) or mistyped handle is told apart from a
// live one before anything is dereferenced.

#include "tkl/tkl_c.h"

#include <cstdint>

namespace tkl_c {

enum class Sort : std::uint8_t { Free, Device, Effect, Project, List };

struct Entry {
    Sort sort;
    std::uint16_t generation;
    void* object;        // CTactraDevice*, CTactraEffect*, CTactraProject*, CTactraProjects*;
                         // null once the device it was bound to was released
    std::uint32_t device;  // effects and projects: the device's slot + 1
    std::uint32_t owner;   // a list's project: the list's slot + 1; 0 when the handle owns
    std::uint32_t inner;   // a wall: its inner effect's slot + 1, or 0
    tkl_kind kind;         // effects
};

// A new entry for the object, or null when the table cannot grow (code 2 is set).
Entry* add(Sort sort, void* object);
// Frees the entry; its handle becomes stale.
void remove(Entry* entry);

// The live entry of that sort for a handle, with code and result set otherwise: 4 for null,
// 3 for stale, foreign or of another sort, 6 when its device was released (unless
// `orphanOk`, for the releases). Clears the last error code on success.
tkl_status find(const void* handle, Sort sort, Entry** out, bool orphanOk = false);

// The handle of an entry, and the entry of a slot number (slot + 1, 0: none).
void* handle_of(const Entry* entry);
std::uint32_t slot_of(const Entry* entry);
Entry* at(std::uint32_t slot);

// Every live entry in slot order, for the releases that end dependent handles.
std::uint32_t capacity();

// Sets the last error code and returns it.
tkl_status fail(std::int32_t code);
// The result of a class call: TKL_OK when it succeeded, else the code it left, or 1 (unknown)
// when it left none, so that no failure reads as success.
tkl_status result(int succeeded);

}  // namespace tkl_c
