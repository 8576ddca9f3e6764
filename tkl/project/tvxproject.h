#pragma once
// The loaded project behind HTVXPROJECT and the operations the loader, the builders and the
// exported functions share. Applications treat HTVXPROJECT as opaque; the repository's own
// tools read this layout.

#include "tkl/project/projectarena.h"
#include "tkl/project/tvx.h"

// One object record of the project. Every pointer is owned by the project: it points into the
// project's arena.
struct TVXObject {
    char* lpszName;
    char* lpszType;
    GUID guidID;                // all zero when the record has no "ID"
    LONG cContainedObjects;
    GUID* paContainedObjects;   // "ContainedObjects" in list order, or null
    LONG cEffects;
    TVXEffect** paEffects;      // cEffects entries and a null, or null when cEffects is 0
};

struct TVXProject {
    ITactraDevice* lpDevice;  // not referenced: the caller keeps it alive
    LONG cObjects;
    TVXObject* paObjects;
    tkl::project::ProjectArena storage;  // every object's texts, lists and effects
};

namespace tkl {
namespace project {

// The first object in table order with exactly that name / identifier, or null.
TVXObject* find_object_by_name(TVXProject* project, const char* name);
TVXObject* find_object_by_id(TVXProject* project, const GUID& id);

// Fills every "Compound" object from the objects it lists (earlier compounds already filled).
// On failure `reason` says why: memory, or a compound beyond kMaxCompoundEffects.
bool link_compounds(TVXProject* project, const char** reason);

// Compounds of compounds can double their effects at every level; a compound beyond this many
// effects makes the project malformed (designed projects hold a handful).
inline constexpr LONG kMaxCompoundEffects = 65536;

// Frees everything the project owns and the project; false for null.
bool release_project(TVXProject* project);

// A new list of `count` copies of `effects` (count + 1 entries), or null.
TVXEffect** copy_effect_list(TVXEffect* const* effects, LONG count);

}  // namespace project
}  // namespace tkl
