#include "tools/tvx/check.h"

#include "tkl/project/guidproperties.h"
#include "tkl/project/tvxproject.h"
#include "tools/tvx/effectdescription.h"

namespace tvx {
namespace {

std::string guid_text(const GUID& guid) {
    char text[tkl::project::kGuidTextSize];
    tkl::project::format_guid_text(guid, text);
    return text;
}

// The name of the first object with that identifier, as the loader finds it.
std::string object_named_by(const TVXProject& project, const GUID& id) {
    for (LONG i = 0; i < project.cObjects; ++i)
        if (IsEqualGUID(project.paObjects[i].guidID, id))
            return std::string(" \"") + project.paObjects[i].lpszName + "\"";
    return " (no such object)";
}

}  // namespace

int check_project(const std::string& bytes, const std::string& label, std::ostream& out,
                  std::ostream& err) {
    TVXLoadError error = {};
    HTVXPROJECT project = TVXLoadProjectPointerEx(bytes.data(), DWORD(bytes.size()), nullptr, &error);
    if (!project) {
        err << label << ": ";
        if (error.lObject < 0)
            err << "header";
        else
            err << "object " << error.lObject;
        if (error.szObject[0])
            err << " \"" << error.szObject << "\"";
        err << " at byte " << error.dwOffset << ": " << error.szReason << "\n";
        return 1;
    }
    out << label << ": " << project->cObjects << " objects\n";
    for (LONG i = 0; i < project->cObjects; ++i) {
        const TVXObject& object = project->paObjects[i];
        out << "object " << i << " \"" << object.lpszName << "\"\n";
        out << "  type " << object.lpszType << "\n";
        out << "  id " << guid_text(object.guidID) << "\n";
        out << "  contains " << object.cContainedObjects << "\n";
        for (LONG c = 0; c < object.cContainedObjects; ++c)
            out << "    " << guid_text(object.paContainedObjects[c])
                << object_named_by(*project, object.paContainedObjects[c]) << "\n";
        int count = 0;
        TVXEffect** effects = TVXCreateEffectStructsByIndex(project, int(i), &count);
        if (!effects) {
            err << label << ": object " << i << " \"" << object.lpszName
                << "\": its effects could not be copied\n";
            TVXReleaseProject(project);
            return 1;
        }
        out << "  effects " << count << "\n";
        for (int e = 0; e < count; ++e) {
            out << "  effect " << e << "\n";
            for (const auto& field : effect_fields(*effects[e]))
                out << "    " << field.first << " " << field.second << "\n";
        }
        TVXReleaseEffectStructs(project, effects);
    }
    TVXReleaseProject(project);
    return 0;
}

}  // namespace tvx
