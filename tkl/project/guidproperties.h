#pragma once
// GUID-valued properties: the object's identifier ("ID") and the identifiers of the objects a
// compound contains ("ContainedObjects"), in the registry text form with braces.

#include "tkl/project/guidformat.h"
#include "tkl/project/projectarena.h"
#include "tkl/project/projectreader.h"
#include "tkl/project/tvxproject.h"

namespace tkl {
namespace project {

// Reads the identifier ("ID") and the contained-object list ("ContainedObjects") of an
// object-property block into the object, the first pair of each key counting: an identifier
// that doesn't parse is all zero; a list that doesn't (a piece that doesn't parse, or no room
// for it in the arena) leaves the object without one. The list lives in the arena.
void read_object_properties(const PairList& pairs, const PairEnds& ends, ProjectArena& arena,
                            TVXObject& object);

}  // namespace project
}  // namespace tkl
