#include "tkl/project/loader.h"

#include "tkl/project/builders.h"
#include "tkl/project/guidproperties.h"

#include <cstdlib>

namespace tkl {
namespace project {
namespace {

// Copies of the known type names, made once per project and shared by its objects.
struct TypeNames {
    char* copy[kBuilderRows];
};

// The object's own copy of its type name, or the one its project shares; null without memory.
char* type_name(const ObjectRecordView& record, const BuilderRow* row, ProjectArena& arena,
                TypeNames& names) {
    if (!row)
        return arena.copy_text(record.type, record.typeLength);
    char*& shared = names.copy[builder_row_number(*row)];
    if (!shared)
        shared = arena.copy_text(record.type, record.typeLength);
    return shared;
}

// Fills a zeroed object of the project from its record; false when an allocation fails.
bool parse_object(const ObjectRecordView& record, ProjectArena& arena, TypeNames& names,
                  TVXObject& object) {
    const char* const recordEnd = record.typeProperties.data + record.typeProperties.size;
    const BuilderRow* row =
        find_builder(record.type, record.typeLength, size_t(recordEnd - record.type));
    object.lpszName = arena.copy_text(record.name, record.nameLength);
    object.lpszType = object.lpszName ? type_name(record, row, arena, names) : nullptr;
    if (!object.lpszType)
        return false;
    if (record.hasBlock)
        read_object_properties(record.objectProperties, record.objectEnds, arena, object);
    if (!row || !row->build)
        return true;
    const TypeProperties props(record.typeProperties, record.typeEnds);
    object.cEffects = 1;
    object.paEffects = row->build(*row, props, arena, object.cEffects);
    if (!object.paEffects && object.cEffects != 0)
        return false;
    if (!object.paEffects)
        object.cEffects = 0;
    return true;
}

// The project record and its object table, zeroed.
TVXProject* new_project(LONG objects, ITactraDevice* device) {
    TVXProject* project = static_cast<TVXProject*>(std::calloc(1, sizeof(TVXProject)));
    if (!project)
        return nullptr;
    project->lpDevice = device;
    if (objects > 0) {
        project->paObjects = static_cast<TVXObject*>(std::calloc(size_t(objects), sizeof(TVXObject)));
        if (!project->paObjects) {
            std::free(project);
            return nullptr;
        }
    }
    project->cObjects = objects;
    return project;
}

void out_of_memory(ReadFailure* failure, LONG object, size_t offset, const char* name) {
    if (failure)
        *failure = {object, offset, name, "out of memory"};
}

}  // namespace

TVXProject* load_project(const void* data, size_t size, ITactraDevice* device,
                         ReadFailure* failure) {
    ProjectReader reader(data, size);
    LONG count = 0;
    if (!reader.read_header(count)) {
        if (failure)
            *failure = reader.failure();
        return nullptr;
    }
    TVXProject* project = new_project(count, device);
    if (!project) {
        out_of_memory(failure, -1, 4, nullptr);
        return nullptr;
    }
    TypeNames names = {};
    for (LONG i = 0; i < count; ++i) {
        ObjectRecordView record;
        if (!reader.read_record(record)) {
            if (failure)
                *failure = reader.failure();
            release_project(project);
            return nullptr;
        }
        if (!parse_object(record, project->storage, names, project->paObjects[i])) {
            out_of_memory(failure, i, record.offset, record.name);
            release_project(project);
            return nullptr;
        }
    }
    const char* reason = nullptr;
    if (!link_compounds(project, &reason)) {
        if (failure)
            *failure = {-1, reader.position(), nullptr, reason};
        release_project(project);
        return nullptr;
    }
    return project;
}

TVXProject* load_object_record(const void* data, ITactraDevice* device) {
    if (!data)
        return nullptr;
    ProjectReader reader(data, ProjectReader::kUnknownSize);
    ObjectRecordView record;
    if (!reader.read_record(record))
        return nullptr;
    TVXProject* project = new_project(1, device);
    if (!project)
        return nullptr;
    TypeNames names = {};
    if (!parse_object(record, project->storage, names, project->paObjects[0])) {
        release_project(project);
        return nullptr;
    }
    return project;
}

}  // namespace project
}  // namespace tkl
