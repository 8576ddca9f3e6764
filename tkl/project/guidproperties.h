#pragma once
// GUID-valued properties: the object's identifier ("ID") and the identifiers of the objects a
// compound contains ("ContainedObjects"), in the registry text form with braces.

#include "tkl/project/projectarena.h"
#include "tkl/project/projectreader.h"

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

// The "ID" pair's GUID; all zero when absent or unparsable.
GUID get_guid_property(const PairList& pairs);

// The "ContainedObjects" list, in the arena: one GUID per ";"-separated piece, in order. Null
// with a count of 0 when the key is absent, a piece doesn't parse, or the list can't be
// allocated.
GUID* get_guid_list_property(const PairList& pairs, ProjectArena& arena, LONG& count);

}  // namespace project
}  // namespace tkl
