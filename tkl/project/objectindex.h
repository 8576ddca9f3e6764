#pragma once
// The objects of a loaded project by identifier, for filling compounds: each member of each
// compound is found in a few probes, where a search of the table per member would grow with
// the square of the project's size.

#include "tkl/project/tvxproject.h"

#include <cstddef>

namespace tkl {
namespace project {

class ObjectIdIndex {
public:
    // Indexes the project's objects as they are now. Without memory for the index, find
    // searches the table instead.
    explicit ObjectIdIndex(TVXProject& project);
    ~ObjectIdIndex();
    ObjectIdIndex(const ObjectIdIndex&) = delete;
    ObjectIdIndex& operator=(const ObjectIdIndex&) = delete;

    // The first object in table order with that identifier, or null (as find_object_by_id).
    TVXObject* find(const GUID& id) const;

private:
    TVXProject& project_;
    LONG* slots_;   // object index + 1 by hash, 0 for an empty slot; null: no index
    size_t mask_;   // slot count - 1
};

}  // namespace project
}  // namespace tkl
