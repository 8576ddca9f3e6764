#include "tools/tkl-play/projectcatalog.h"

#include "tkl/effects/effectkinds.h"
#include "tkl/project/tvx.h"

#include <fstream>
#include <sstream>

namespace play {
namespace {

std::string read_bytes(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw ProjectError("cannot open " + file + " (no such file, or not readable)");
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

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
    const std::string bytes = read_bytes(file);
    TVXLoadError error = {};
    LoadedProject project = {
        TVXLoadProjectPointerEx(bytes.data(), DWORD(bytes.size()), nullptr, &error)};
    if (!project.handle) {
        std::string where = error.lObject < 0 ? "header" : "object " + std::to_string(error.lObject);
        if (error.szObject[0])
            where += std::string(" \"") + error.szObject + "\"";
        throw ProjectError(file + ": not a valid project: " + where + " at byte " +
                           std::to_string(error.dwOffset) + ": " + error.szReason);
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
