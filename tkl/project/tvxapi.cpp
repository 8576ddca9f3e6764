// The project library's exported functions.
#include "tkl/project/tvx.h"

#include "tkl/core/textout.h"
#include "tkl/project/effectcopy.h"
#include "tkl/project/loader.h"
#include "tkl/project/tvxproject.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace tkl::project;

namespace {

const char kResourceType[] = "TACTRA";

void copy_limited(char* to, size_t size, const char* from) {
    std::snprintf(to, size, "%s", from ? from : "");
}

void report(const ReadFailure& failure, TVXLoadError* error) {
    if (!error)
        return;
    error->lObject = failure.object;
    error->dwOffset = DWORD(failure.offset);
    copy_limited(error->szObject, sizeof error->szObject, failure.name);
    copy_limited(error->szReason, sizeof error->szReason, failure.reason);
}

HTVXPROJECT load_sized(const void* data, size_t size, ITactraDevice* device,
                       TVXLoadError* error) {
    ReadFailure failure = {-1, 0, nullptr, "no data"};
    TVXProject* project = data ? load_project(data, size, device, &failure) : nullptr;
    if (!project)
        report(failure, error);
    return project;
}

// A failure before any project data was had.
ReadFailure unreadable(const char* reason) { return {-2, 0, nullptr, reason}; }

// Why the path can't be opened as a file: told apart before opening, since some C runtimes
// open a folder for reading and others refuse it as they refuse an unreadable file.
const char* unopenable(const char* path) {
    struct stat info;
    if (stat(path, &info) != 0)
        return errno == ENOENT || errno == ENOTDIR ? "cannot open: no such file"
                                                   : "cannot open the file";
    if (S_ISDIR(info.st_mode))
        return "cannot open: a folder, not a file";
    return nullptr;
}

// The whole file in a new buffer (one byte at least, so that an empty file is data too); null
// with the reason when it can't be opened, sized or read.
void* read_file(const char* path, size_t& size, ReadFailure& failure) {
    if (const char* reason = unopenable(path)) {
        failure = unreadable(reason);
        return nullptr;
    }
    std::FILE* file = std::fopen(path, "rb");
    if (!file) {
        failure = unreadable("cannot open: not readable");
        return nullptr;
    }
    void* buffer = nullptr;
    long length = -1;
    failure = unreadable("cannot read the file");
    if (std::fseek(file, 0, SEEK_END) == 0 && (length = std::ftell(file)) >= 0 &&
        std::fseek(file, 0, SEEK_SET) == 0) {
        buffer = std::malloc(length > 0 ? size_t(length) : 1);
        if (!buffer)
            failure = unreadable("out of memory");
        else if (length > 0 && std::fread(buffer, size_t(length), 1, file) != 1) {
            std::free(buffer);
            buffer = nullptr;
        }
    }
    std::fclose(file);
    size = buffer ? size_t(length) : 0;
    return buffer;
}

HTVXPROJECT load_file(const char* path, ITactraDevice* device, TVXLoadError* error) {
    if (!path) {
        report(unreadable("no path"), error);
        return nullptr;
    }
    size_t size = 0;
    ReadFailure failure = {};
    void* buffer = read_file(path, size, failure);
    if (!buffer) {
        report(failure, error);
        return nullptr;
    }
    HTVXPROJECT project = load_sized(buffer, size, device, error);
    std::free(buffer);
    return project;
}

HTVXPROJECT load_resource(HINSTANCE module, const char* name, ITactraDevice* device,
                          TVXLoadError* error) {
    HRSRC resource = name ? FindResourceA(module, name, kResourceType) : nullptr;
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) {
        report(unreadable(name ? "cannot open: no such resource" : "no resource name"), error);
        return nullptr;
    }
    return load_sized(data, SizeofResource(module, resource), device, error);
}

const char* create_failure_line(HRESULT result) {
    switch (result) {
    case TACTRA_ERROR_DEVICENOTREG: return "CreateEffect failed with TACTRA_ERROR_DEVICENOTREG.\n";
    case TACTRA_ERROR_DEVICEFULL: return "CreateEffect failed with TACTRA_ERROR_DEVICEFULL.\n";
    case TACTRA_ERROR_INPUTLOST: return "CreateEffect failed with TACTRA_ERROR_INPUTLOST.\n";
    case TACTRA_ERROR_INVALIDPARAM: return "CreateEffect failed with TACTRA_ERROR_INVALIDPARAM.\n";
    default: return "CreateEffect failed with an unknown error.\n";
    }
}

TVXEffect** copy_object_effects(const TVXObject& object, int* count) {
    TVXEffect** list = copy_effect_list(object.paEffects, object.cEffects);
    if (list && count)
        *count = object.cEffects;
    return list;
}

TVXObject* object_at(HTVXPROJECT project, int index) {
    if (!project || index < 0 || index >= project->cObjects)
        return nullptr;
    return &project->paObjects[index];
}

}  // namespace

extern "C" {

HTVXPROJECT WINAPI TVXLoadProjectFile(const char* path, ITactraDevice* device) {
    return load_file(path, device, nullptr);
}

HTVXPROJECT WINAPI TVXLoadProjectFileEx(const char* path, ITactraDevice* device,
                                        TVXLoadError* error) {
    return load_file(path, device, error);
}

HTVXPROJECT WINAPI TVXLoadProjectResource(HINSTANCE module, const char* name,
                                          ITactraDevice* device) {
    return load_resource(module, name, device, nullptr);
}

HTVXPROJECT WINAPI TVXLoadProjectResourceEx(HINSTANCE module, const char* name,
                                            ITactraDevice* device, TVXLoadError* error) {
    return load_resource(module, name, device, error);
}

HTVXPROJECT WINAPI TVXLoadProjectPointer(const void* data, ITactraDevice* device) {
    return load_sized(data, ProjectReader::kUnknownSize, device, nullptr);
}

HTVXPROJECT WINAPI TVXLoadProjectPointerSized(const void* data, DWORD size,
                                              ITactraDevice* device) {
    return load_sized(data, size, device, nullptr);
}

HTVXPROJECT WINAPI TVXLoadProjectPointerEx(const void* data, DWORD size,
                                           ITactraDevice* device, TVXLoadError* error) {
    return load_sized(data, size, device, error);
}

DWORD WINAPI TVXFormatLoadError(const TVXLoadError* error, char* buffer, DWORD size) {
    // A caller's record need not be terminated: its texts are read within their arrays.
    const int kObjectMax = int(sizeof error->szObject), kReasonMax = int(sizeof error->szReason);
    char line[sizeof error->szObject + sizeof error->szReason + 64];
    if (!error)
        line[0] = '\0';
    else if (error->lObject < -1)
        std::snprintf(line, sizeof line, "%.*s", kReasonMax, error->szReason);
    else {
        char where[sizeof error->szObject + 32];
        if (error->lObject < 0)
            std::snprintf(where, sizeof where, "header");
        else if (error->szObject[0])
            std::snprintf(where, sizeof where, "object %ld \"%.*s\"", long(error->lObject),
                          kObjectMax, error->szObject);
        else
            std::snprintf(where, sizeof where, "object %ld", long(error->lObject));
        std::snprintf(line, sizeof line, "%s at byte %lu: %.*s", where,
                      static_cast<unsigned long>(error->dwOffset), kReasonMax, error->szReason);
    }
    return tkl::write_text(line, buffer, size);
}

HTVXPROJECT WINAPI TVXLoadProjectObjectPointer(const void* data, ITactraDevice* device) {
    return load_object_record(data, device);
}

BOOL WINAPI TVXReleaseProject(HTVXPROJECT project) {
    return release_project(project) ? TRUE : FALSE;
}

const char* WINAPI TVXGetObjectNameByIndex(HTVXPROJECT project, int index) {
    const TVXObject* object = object_at(project, index);
    return object ? object->lpszName : nullptr;
}

TVXEffect** WINAPI TVXCreateEffectStructs(HTVXPROJECT project, const char* name, int* count) {
    if (!project || !name)
        return nullptr;
    const TVXObject* object = find_object_by_name(project, name);
    return object ? copy_object_effects(*object, count) : nullptr;
}

TVXEffect** WINAPI TVXCreateEffectStructsByIndex(HTVXPROJECT project, int index, int* count) {
    const TVXObject* object = object_at(project, index);
    return object ? copy_object_effects(*object, count) : nullptr;
}

BOOL WINAPI TVXReleaseEffectStructs(HTVXPROJECT project, TVXEffect** effects) {
    if (!project || !effects)
        return FALSE;
    return free_effect_list(effects) ? TRUE : FALSE;
}

ITactraEffect** WINAPI TVXCreateEffects(HTVXPROJECT project, const char* name, int* count) {
    if (!project || !name || !project->lpDevice)
        return nullptr;
    const TVXObject* object = find_object_by_name(project, name);
    if (!object)
        return nullptr;
    ITactraEffect** list = static_cast<ITactraEffect**>(
        std::calloc(size_t(object->cEffects) + 1, sizeof(ITactraEffect*)));
    if (!list)
        return nullptr;
    for (LONG i = 0; i < object->cEffects; ++i) {
        TACTRA_EFFECT* record = object->paEffects[i]->lpEffect;
        record->guid = object->paEffects[i]->guid;
        HRESULT result = project->lpDevice->CreateEffect(record, &list[i], nullptr);
        // A success without an interface would end the list early; treat it as a failure.
        if (SUCCEEDED(result) && !list[i])
            result = E_FAIL;
        if (FAILED(result)) {
            list[i] = nullptr;
            OutputDebugStringA(create_failure_line(result));
            TVXReleaseEffects(project, list);
            return nullptr;
        }
    }
    if (count)
        *count = object->cEffects;
    return list;
}

BOOL WINAPI TVXReleaseEffects(HTVXPROJECT project, ITactraEffect** effects) {
    if (!project || !effects)
        return FALSE;
    for (ITactraEffect** entry = effects; *entry; ++entry)
        (*entry)->Release();
    std::free(effects);
    return TRUE;
}

}  // extern "C"
