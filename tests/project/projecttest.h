#pragma once
// Shared helpers of the project library's tests: composing project data and holding what the
// library hands out.

#include "tkl/project/tvx.h"
#include "tools/tvx/effectdescription.h"
#include "tools/tvx/projectwriter.h"

#include <string>
#include <vector>

namespace projecttest {

// The registry text of GUID {5959DF00+n-...}-like identifiers for test objects.
inline std::string test_id(unsigned n) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-0000-4000-8000-00000000%04X}", 0xA0000000u + n, n);
    return text;
}

inline tvx::ObjectDescription object(const std::string& name, const std::string& type,
                              const tvx::Pairs& props = {}) {
    tvx::ObjectDescription desc;
    desc.name = name;
    desc.type = type;
    desc.typeProperties = props;
    return desc;
}

inline tvx::ObjectDescription with_id(tvx::ObjectDescription desc, unsigned n) {
    desc.objectProperties.insert(desc.objectProperties.begin(), {"ID", test_id(n)});
    return desc;
}

inline tvx::ObjectDescription compound(const std::string& name, unsigned id, const std::string& list) {
    tvx::ObjectDescription desc = with_id(object(name, "Compound"), id);
    desc.objectProperties.push_back({"ContainedObjects", list});
    return desc;
}

// Owns a loaded project.
class Project {
public:
    explicit Project(HTVXPROJECT handle = nullptr) : handle_(handle) {}
    explicit Project(const std::string& bytes)
        : handle_(TVXLoadProjectPointerSized(bytes.data(), DWORD(bytes.size()), nullptr)) {}
    ~Project() { reset(); }
    Project(const Project&) = delete;
    Project& operator=(const Project&) = delete;
    void reset() {
        if (handle_)
            TVXReleaseProject(handle_);
        handle_ = nullptr;
    }
    HTVXPROJECT get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    HTVXPROJECT handle_;
};

// Owns a TVXEffect list; released against the project it came from.
class Effects {
public:
    Effects(HTVXPROJECT project, const char* name) : project_(project) {
        list_ = TVXCreateEffectStructs(project, name, &count_);
    }
    Effects(HTVXPROJECT project, int index) : project_(project) {
        list_ = TVXCreateEffectStructsByIndex(project, index, &count_);
    }
    ~Effects() {
        if (list_)
            TVXReleaseEffectStructs(project_, list_);
    }
    Effects(const Effects&) = delete;
    Effects& operator=(const Effects&) = delete;
    TVXEffect** list() const { return list_; }
    int count() const { return count_; }
    // Each effect as one line.
    std::vector<std::string> describe() const {
        std::vector<std::string> out;
        for (TVXEffect** e = list_; e && *e; ++e)
            out.push_back(tvx::describe_effect(**e));
        return out;
    }

private:
    HTVXPROJECT project_;
    TVXEffect** list_ = nullptr;
    int count_ = -1;
};

// The effects of a one-object project of that type and properties, described.
inline std::vector<std::string> build(const std::string& type, const tvx::Pairs& props) {
    Project project(tvx::write_project({object("X", type, props)}));
    if (!project)
        return {"load failed"};
    Effects effects(project.get(), "X");
    return effects.describe();
}

}  // namespace projecttest
