#pragma once
// GUID-valued properties: the object's identifier ("ID") and the identifiers of the objects a
// compound contains ("ContainedObjects"), in the registry text form with braces.

#include "tkl/project/projectarena.h"
#include "tkl/project/projectreader.h"
#include "tkl/project/tvxproject.h"

namespace tkl {
namespace project {

// Longest GUID text (a piece of a list included) that is parsed at all.
inline constexpr size_t kMaxGuidText = 49;
// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" and its zero byte.
inline constexpr size_t kGuidTextSize = 39;

// Parses `length` characters in the braced registry form; an empty text is the all-zero GUID.
// False (and an all-zero GUID) for anything else.
TKL_API bool parse_guid_text(const char* text, size_t length, GUID& guid);

// Writes the braced registry form with upper-case digits.
TKL_API void format_guid_text(const GUID& guid, char (&text)[kGuidTextSize]);

// Reads the identifier ("ID") and the contained-object list ("ContainedObjects") of an
// object-property block into the object, the first pair of each key counting: an identifier
// that doesn't parse is all zero; a list that doesn't (a piece that doesn't parse, or no room
// for it in the arena) leaves the object without one. The list lives in the arena.
void read_object_properties(const PairList& pairs, const PairEnds& ends, ProjectArena& arena,
                            TVXObject& object);

}  // namespace project
}  // namespace tkl
