#include "tools/tkl-play/projectcatalog.h"

#include "tkl/effects/effectkinds.h"
#include "tkl/project/tvx.h"

namespace play {
namespace {

bool is_empty_profile(const TVXEffect& effect) {
    if (!IsEqualGUID(effect.guid, GUID_Tactra_CustomForce) || !effect.lpEffect)
        return false;
    const auto* block =
        static_cast<const TACTRA_CUSTOMFORCE*>(effect.lpEffect->lpvTypeSpecificParams);
    return !block || block->cSamples == 0 || !block->rglForceData;
}

// Releases the project on every path out.
struct LoadedProject {
    HTVXPROJECT handle;
    ~LoadedProject() { TVXReleaseProject(handle); }
};

}  // namespace

std::vector<ObjectInfo> read_catalog(const std::string& file) {
    TVXLoadError error = {};
    LoadedProject project = {TVXLoadProjectFileEx(file.c_str(), nullptr, &error)};
    if (!project.handle) {
        char reason[256];
        TVXFormatLoadError(&error, reason, sizeof reason);
        // A file that could be read but holds no valid project says so before the reason.
        throw ProjectError(file + (error.lObject < -1 ? ": " : ": not a valid project: ") +
                           reason);
    }
    std::vector<ObjectInfo> objects;
    for (int index = 0;; ++index) {
        const char* name = TVXGetObjectNameByIndex(project.handle, index);
        if (!name)
            break;
        ObjectInfo info = {index, name, {}, false};
        int count = 0;
        TVXEffect** effects = TVXCreateEffectStructsByIndex(project.handle, index, &count);
        if (!effects)
            throw ProjectError(file + ": object " + std::to_string(index) + " \"" + name +
                               "\": its effects could not be built");
        for (int i = 0; i < count; ++i) {
            info.kinds.push_back(effects[i]->guid);
            info.emptyProfile = info.emptyProfile || is_empty_profile(*effects[i]);
        }
        TVXReleaseEffectStructs(project.handle, effects);
        objects.push_back(info);
    }
    return objects;
}

std::vector<ObjectInfo> select_objects(const std::vector<ObjectInfo>& catalog,
                                       const std::vector<std::string>& names) {
    if (names.empty())
        return catalog;
    std::vector<ObjectInfo> chosen;
    for (const std::string& name : names) {
        const ObjectInfo* found = nullptr;
        for (const ObjectInfo& object : catalog)
            if (object.name == name) {
                found = &object;
                break;
            }
        if (!found) {
            std::string known;
            for (const ObjectInfo& object : catalog)
                known += (known.empty() ? "\"" : ", \"") + object.name + "\"";
            throw ProjectError("no object \"" + name + "\" in the project (it has " +
                               (known.empty() ? std::string("none") : known) + ")");
        }
        chosen.push_back(*found);
    }
    return chosen;
}

}  // namespace play
