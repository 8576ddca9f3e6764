#include "tests/projects/projectsfixture.h"

#include <cstdio>
#include <cstring>

namespace prtest {

std::string project_path(const char* stem) {
    return std::string(TKL_TEST_PROJECTS) + "/" + stem + ".tvx";
}

std::string sample_path(const char* stem) {
    return std::string(TKL_SAMPLE_PROJECTS) + "/" + stem + ".tvx";
}

std::vector<unsigned char> project_bytes(const char* stem) {
    std::vector<unsigned char> bytes;
    std::FILE* file = std::fopen(project_path(stem).c_str(), "rb");
    if (!file)
        return bytes;
    unsigned char chunk[4096];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + n);
    std::fclose(file);
    return bytes;
}

Records::Records(const char* stem, const char* object) {
    project_ = TVXLoadProjectFile(project_path(stem).c_str(), nullptr);
    if (project_)
        list_ = TVXCreateEffectStructs(project_, object, &count_);
    if (!list_)
        ADD_FAILURE() << "no records for \"" << object << "\" in " << project_path(stem);
}

Records::~Records() {
    if (list_)
        TVXReleaseEffectStructs(project_, list_);
    if (project_)
        TVXReleaseProject(project_);
}

std::vector<ProjectDevices::Created> ProjectDevices::created() {
    std::vector<Created> made;
    for (const SimCall& call : calls("CreateEffect"))
        if (SUCCEEDED(call.result))
            made.push_back({call.args[0], directInput() ? call.guid : call.params.guid});
    return made;
}

std::vector<unsigned> ProjectDevices::started() {
    std::vector<unsigned> ids;
    for (const SimCall& call : calls("Start"))
        if (SUCCEEDED(call.result))
            ids.push_back(call.object);
    return ids;
}

std::vector<unsigned> ProjectDevices::playing() {
    std::vector<unsigned> ids;
    for (unsigned i = 0; i < sim().effect_count(); ++i) {
        SimEffectState state;
        if (sim().effect_get(i, &state) && state.playing)
            ids.push_back(state.object);
    }
    return ids;
}

}  // namespace prtest
