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

// One line naming where and why the library refused the data; exit status 1.
int refused(const TVXLoadError& error, const std::string& label, std::ostream& err) {
    char line[256];
    TVXFormatLoadError(&error, line, sizeof line);
    err << "tvx: " << label << ": " << line << "\n";
    return 1;
}

// Prints the project and releases it.
int print_project(HTVXPROJECT project, const std::string& label, std::ostream& out,
                  std::ostream& err) {
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

}  // namespace

int check_file(const std::string& path, std::ostream& out, std::ostream& err) {
    TVXLoadError error = {};
    HTVXPROJECT project = TVXLoadProjectFileEx(path.c_str(), nullptr, &error);
    return project ? print_project(project, path, out, err) : refused(error, path, err);
}

}  // namespace tvx
