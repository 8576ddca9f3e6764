#pragma once
// Loading project data into a TVXProject: each object record parsed and built, then the
// compounds filled.

#include "tkl/project/projectreader.h"
#include "tkl/project/tvxproject.h"

namespace tkl {
namespace project {

// Loads `size` bytes of project data (ProjectReader::kUnknownSize: bounded by each record's
// length only). Null on any failure, with nothing left allocated; `failure`, when given, says
// where.
TVXProject* load_project(const void* data, size_t size, ITactraDevice* device,
                         ReadFailure* failure);

// Loads one object record as a project of one object, without filling compounds.
TVXProject* load_object_record(const void* data, ITactraDevice* device);

}  // namespace project
}  // namespace tkl
