// The loaded project's objects: lookup, compound filling, list copies and release.
#include "tkl/project/tvxproject.h"

#include "tkl/project/effectcopy.h"
#include "tkl/project/objectindex.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace tkl {
namespace project {
namespace {

const char kCompoundType[] = "Compound";

// The list stays in the arena until the project goes.
void drop_effects(TVXObject& object) {
    object.paEffects = nullptr;
    object.cEffects = 0;
}

bool is_compound_with_members(const TVXObject& object) {
    return object.cContainedObjects > 0 && object.lpszType[0] == kCompoundType[0] &&
           std::strcmp(object.lpszType, kCompoundType) == 0;
}

}  // namespace

TVXObject* find_object_by_name(TVXProject* project, const char* name) {
    for (LONG i = 0; i < project->cObjects; ++i)
        if (std::strcmp(project->paObjects[i].lpszName, name) == 0)
            return &project->paObjects[i];
    return nullptr;
}

TVXObject* find_object_by_id(TVXProject* project, const GUID& id) {
    for (LONG i = 0; i < project->cObjects; ++i)
        if (std::memcmp(&project->paObjects[i].guidID, &id, sizeof(GUID)) == 0)
            return &project->paObjects[i];
    return nullptr;
}

TVXEffect** copy_effect_list(TVXEffect* const* effects, LONG count) {
    TVXEffect** list = static_cast<TVXEffect**>(std::calloc(size_t(count) + 1, sizeof(TVXEffect*)));
    if (!list)
        return nullptr;
    for (LONG i = 0; i < count; ++i) {
        list[i] = copy_effect(effects[i]);
        if (!list[i]) {
            free_effect_list(list);
            return nullptr;
        }
    }
    return list;
}

// A compound sees only the effects its members have when it is filled, so a member compound
// counts only when it stands earlier in the table; a compound listing itself adds nothing.
// A project's effects never change once loaded (TVXCreateEffects only writes each record's
// kind, the same for every holder), and every list handed out is a copy: so a compound's list
// points at its members' effects instead of holding copies of its own.
bool link_compounds(TVXProject* project, const char** reason) {
    *reason = "out of memory";
    // Compounds without members, like every other object, have no effects from a builder.
    LONG c = 0;
    while (c < project->cObjects && !is_compound_with_members(project->paObjects[c]))
        ++c;
    if (c == project->cObjects)
        return true;
    const ObjectIdIndex index(*project);
    for (; c < project->cObjects; ++c) {
        TVXObject& compound = project->paObjects[c];
        if (!is_compound_with_members(compound))
            continue;
        int64_t sum = 0;
        for (LONG i = 0; i < compound.cContainedObjects; ++i) {
            const TVXObject* member = index.find(compound.paContainedObjects[i]);
            if (member && member != &compound)
                sum += member->cEffects;
        }
        drop_effects(compound);
        if (sum == 0)
            continue;
        if (sum > kMaxCompoundEffects) {
            *reason = "a compound holds more than 65536 effects";
            return false;
        }
        compound.paEffects = static_cast<TVXEffect**>(
            project->storage.allocate((size_t(sum) + 1) * sizeof(TVXEffect*)));
        if (!compound.paEffects)
            return false;
        compound.cEffects = LONG(sum);
        LONG next = 0;
        for (LONG i = 0; i < compound.cContainedObjects; ++i) {
            const TVXObject* member = index.find(compound.paContainedObjects[i]);
            if (!member || member == &compound)
                continue;
            for (LONG e = 0; e < member->cEffects; ++e)
                compound.paEffects[next++] = member->paEffects[e];
        }
    }
    return true;
}

bool release_project(TVXProject* project) {
    if (!project)
        return false;
    project->storage.release();
    std::free(project->paObjects);
    std::free(project);
    return true;
}

}  // namespace project
}  // namespace tkl
