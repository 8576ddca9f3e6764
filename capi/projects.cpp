// Projects, project lists and single effects from a project object.
#include "capi/convert.h"

#include "tkl/project/tvxproject.h"

#include <cstring>
#include <new>

using namespace tkl_c;

namespace {

// The project's protected parts the C interface reads: its loaded data and its records.
struct ProjectAccess : CTactraProject {
    static HTVXPROJECT data(CTactraProject& p) { return p.*(&ProjectAccess::m_hProject); }
    static TVXEffect** records(CTactraProject& p, const char* name, int& count) {
        return (p.*(&ProjectAccess::create_effect_structs))(name, count);
    }
    static void give_back(CTactraProject& p, TVXEffect** records) {
        (p.*(&ProjectAccess::release_effect_structs))(records);
    }
};

// Why the last open that reached the loader did not load; no reason after one that did.
TVXLoadError g_loadError = {};

void keep_load_error(const TVXLoadError& error) { g_loadError = error; }

CTactraProject* project_object(const Entry* e) { return static_cast<CTactraProject*>(e->object); }

// Opens a project with `open` on the device and hands out its handle.
template <class Open>
tkl_status open_project(tkl_device device, tkl_project* out, Open open) {
    if (!out) return fail(TKL_ERR_NULL_PARAMETER);
    *out = nullptr;
    Entry* dev = nullptr;
    tkl_status status = find(device, Sort::Device, &dev);
    if (status != TKL_OK) return status;
    CTactraProject* project = new (std::nothrow) CTactraProject;
    if (!project) return fail(TKL_ERR_ALLOCATION_FAILED);
    status = result(open(*project, static_cast<CTactraDevice*>(dev->object)));
    keep_load_error(project->GetLoadError());
    if (status != TKL_OK) {
        delete project;
        return status;
    }
    Entry* made = nullptr;
    status = hand_out(Sort::Project, project, reinterpret_cast<void**>(out), &made);
    if (status == TKL_OK) made->device = slot_of(dev);
    return status;
}

// The projects of a list, in place order.
template <class Visit>
void each_project(CTactraProjects& list, Visit visit) {
    const LONG code = CTKLErrors::GetLastErrorCode();
    for (int i = 0;; ++i) {
        CTactraProject* p = list.GetProject(i);
        if (!p) break;
        visit(*p);
    }
    CTKLErrors::SetErrorCode(code);
}

// Ends the handles of a list's projects: stale when `forget`, else left for their release.
void end_list_projects(std::uint32_t list, bool forget) {
    for (std::uint32_t i = 1; i <= capacity(); ++i) {
        Entry* e = at(i);
        if (e->sort != Sort::Project || e->owner != list) continue;
        if (forget) {
            remove(e);
        } else {
            e->object = nullptr;
        }
    }
}

}  // namespace

namespace tkl_c {

void end_projects_on(std::uint32_t device, CTactraDevice* object) {
    for (std::uint32_t i = 1; i <= capacity(); ++i) {
        Entry* e = at(i);
        if (!e->object) continue;
        if (e->sort == Sort::Project && e->owner == 0 && e->device == device) {
            delete project_object(e);
            e->object = nullptr;
        } else if (e->sort == Sort::List) {
            CTactraProjects* list = static_cast<CTactraProjects*>(e->object);
            bool uses = false;
            each_project(*list, [&](CTactraProject& p) { uses = uses || p.GetDevice() == object; });
            if (!uses) continue;
            delete list;
            e->object = nullptr;
            end_list_projects(slot_of(e), false);
        }
    }
}

}  // namespace tkl_c

extern "C" {

tkl_status TKL_CALL tkl_project_open_file(tkl_device device, const char* path,
                                          tkl_project* out) {
    return open_project(device, out, [&](CTactraProject& p, CTactraDevice* d) {
        return p.OpenFile(path, d);
    });
}

tkl_status TKL_CALL tkl_project_open_memory(tkl_device device, const void* data, uint32_t size,
                                            tkl_project* out) {
    return open_project(device, out, [&](CTactraProject& p, CTactraDevice* d) {
        return p.OpenPointer(data, size, d);
    });
}

tkl_status TKL_CALL tkl_project_open_resource(tkl_device device, void* module, const char* name,
                                              tkl_project* out) {
    return open_project(device, out, [&](CTactraProject& p, CTactraDevice* d) {
        return p.OpenResource(static_cast<HINSTANCE>(module), name, d);
    });
}

uint32_t TKL_CALL tkl_project_load_error(char* buffer, uint32_t size) {
    return TVXFormatLoadError(g_loadError.szReason[0] ? &g_loadError : nullptr, buffer,
                              buffer ? size : 0);
}

tkl_status TKL_CALL tkl_project_start(tkl_project project, const char* name, uint32_t iterations,
                                      uint32_t flags) {
    Entry* entry = nullptr;
    const tkl_status status = find(project, Sort::Project, &entry);
    return status != TKL_OK ? status
                            : result(project_object(entry)->Start(name, iterations, flags));
}

tkl_status TKL_CALL tkl_project_stop(tkl_project project, const char* name) {
    Entry* entry = nullptr;
    const tkl_status status = find(project, Sort::Project, &entry);
    return status != TKL_OK ? status : result(project_object(entry)->Stop(name));
}

tkl_status TKL_CALL tkl_project_object_count(tkl_project project, uint32_t* count) {
    Entry* entry = nullptr;
    const tkl_status status = find(project, Sort::Project, &entry);
    if (status != TKL_OK) return status;
    if (!count) return fail(TKL_ERR_NULL_PARAMETER);
    const HTVXPROJECT data = ProjectAccess::data(*project_object(entry));
    if (!data) return fail(TKL_ERR_PROJECT_NOT_OPEN);
    *count = std::uint32_t(data->cObjects);
    return TKL_OK;
}

tkl_status TKL_CALL tkl_project_object_name(tkl_project project, uint32_t index, char* buffer,
                                            uint32_t size, uint32_t* length) {
    Entry* entry = nullptr;
    const tkl_status status = find(project, Sort::Project, &entry);
    if (status != TKL_OK) return status;
    if (!length || (!buffer && size)) return fail(TKL_ERR_NULL_PARAMETER);
    const HTVXPROJECT data = ProjectAccess::data(*project_object(entry));
    if (!data) return fail(TKL_ERR_PROJECT_NOT_OPEN);
    const char* name = index <= 0x7FFFFFFFu ? TVXGetObjectNameByIndex(data, int(index)) : nullptr;
    if (!name) return fail(TKL_ERR_INVALID_PARAMETER);
    const std::size_t full = std::strlen(name);
    *length = std::uint32_t(full);
    if (size) {
        const std::size_t copied = full < size ? full : size - 1;
        std::memcpy(buffer, name, copied);
        buffer[copied] = '\0';
    }
    return TKL_OK;
}

tkl_status TKL_CALL tkl_project_close(tkl_project project) {
    Entry* entry = nullptr;
    const tkl_status status = find(project, Sort::Project, &entry, true);
    if (status != TKL_OK) return status;
    if (entry->owner == 0) delete project_object(entry);
    remove(entry);
    return TKL_OK;
}

tkl_status TKL_CALL tkl_effect_from_project(tkl_project project, const char* name,
                                            tkl_device device, tkl_effect* out) {
    if (!out) return fail(TKL_ERR_NULL_PARAMETER);
    *out = nullptr;
    Entry* proj = nullptr;
    tkl_status status = find(project, Sort::Project, &proj);
    if (status != TKL_OK) return status;
    Entry* dev = nullptr;
    if (device) {
        status = find(device, Sort::Device, &dev);
        if (status != TKL_OK) return status;
    }
    CTactraProject& p = *project_object(proj);
    // The object's one effect chooses the class; for none or several, any object lets
    // InitializeFromProject give its code.
    int count = 0;
    TVXEffect** records = name ? ProjectAccess::records(p, name, count) : nullptr;
    const GUID kind = records && count == 1 ? records[0]->guid : GUID_Tactra_Spring;
    if (records) ProjectAccess::give_back(p, records);
    CTactraEffect* effect = CTactraEffect::NewObjectFromGUID(kind);
    if (!effect) return result(0);
    CTactraDevice* target = dev ? static_cast<CTactraDevice*>(dev->object) : p.GetDevice();
    status = result(effect->InitializeFromProject(p, name, target));
    if (status != TKL_OK) {
        delete effect;
        return status;
    }
    Entry* made = nullptr;
    status = hand_out(Sort::Effect, effect, reinterpret_cast<void**>(out), &made);
    if (status == TKL_OK) {
        made->kind = kind_of(kind);
        made->device = dev ? slot_of(dev) : proj->device;
    }
    return status;
}

tkl_status TKL_CALL tkl_project_list_create(tkl_project_list* out) {
    if (!out) return fail(TKL_ERR_NULL_PARAMETER);
    *out = nullptr;
    CTactraProjects* list = new (std::nothrow) CTactraProjects;
    if (!list) return fail(TKL_ERR_ALLOCATION_FAILED);
    return hand_out(Sort::List, list, reinterpret_cast<void**>(out));
}

tkl_status TKL_CALL tkl_project_list_open_file(tkl_project_list list, tkl_device device,
                                               const char* path, int32_t* position) {
    Entry* entry = nullptr;
    tkl_status status = find(list, Sort::List, &entry);
    if (status != TKL_OK) return status;
    Entry* dev = nullptr;
    status = find(device, Sort::Device, &dev);
    if (status != TKL_OK) return status;
    if (!position) return fail(TKL_ERR_NULL_PARAMETER);
    CTactraProjects* projects = static_cast<CTactraProjects*>(entry->object);
    const LONG place = projects->OpenFile(path, static_cast<CTactraDevice*>(dev->object));
    keep_load_error(projects->GetLoadError());
    *position = place;
    return result(place >= 0);
}

tkl_status TKL_CALL tkl_project_list_get(tkl_project_list list, int32_t position,
                                         tkl_project* out) {
    if (!out) return fail(TKL_ERR_NULL_PARAMETER);
    *out = nullptr;
    Entry* entry = nullptr;
    tkl_status status = find(list, Sort::List, &entry);
    if (status != TKL_OK) return status;
    CTactraProject* project = static_cast<CTactraProjects*>(entry->object)->GetProject(position);
    if (!project) return result(0);
    Entry* made = add(Sort::Project, project);
    if (!made) return TKL_ERR_ALLOCATION_FAILED;
    made->owner = slot_of(entry);
    // The device of the project, for its effects: the device entry holding that object.
    for (std::uint32_t i = 1; i <= capacity(); ++i) {
        const Entry* d = at(i);
        if (d->sort == Sort::Device && d->object == project->GetDevice()) made->device = i;
    }
    *out = static_cast<tkl_project>(handle_of(made));
    CTKLErrors::SetErrorCode(TKL_ERR_NONE);
    return TKL_OK;
}

tkl_status TKL_CALL tkl_project_list_stop(tkl_project_list list) {
    Entry* entry = nullptr;
    const tkl_status status = find(list, Sort::List, &entry);
    return status != TKL_OK ? status : result(static_cast<CTactraProjects*>(entry->object)->Stop());
}

tkl_status TKL_CALL tkl_project_list_release(tkl_project_list list) {
    Entry* entry = nullptr;
    const tkl_status status = find(list, Sort::List, &entry, true);
    if (status != TKL_OK) return status;
    delete static_cast<CTactraProjects*>(entry->object);
    end_list_projects(slot_of(entry), true);
    remove(entry);
    return TKL_OK;
}

}  // extern "C"
