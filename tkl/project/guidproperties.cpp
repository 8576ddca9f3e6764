#include "tkl/project/guidproperties.h"

#include "tkl/platform/guidtext.h"

#include <cstdio>
#include <cstdint>
#include <cstring>

namespace tkl {
namespace project {
namespace {

const char kIdKey[] = "ID";
const char kContainedKey[] = "ContainedObjects";

}  // namespace

bool parse_guid_text(const char* text, size_t length, GUID& guid) {
    std::memset(&guid, 0, sizeof guid);
    if (length == 0)
        return true;
    return length == size_t(kGuidTextLength) && parse_braced_guid(text, guid);
}

void format_guid_text(const GUID& g, char (&text)[kGuidTextSize]) {
    std::snprintf(text, sizeof text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned long>(g.Data1), unsigned(g.Data2), unsigned(g.Data3),
                  g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5],
                  g.Data4[6], g.Data4[7]);
}

GUID get_guid_property(const PairList& pairs) {
    GUID id;
    std::memset(&id, 0, sizeof id);
    const char* value = find_pair(pairs, kIdKey);
    if (value) {
        const size_t length = std::strlen(value);
        // An identifier that doesn't parse leaves the object without one; it still loads.
        if (length <= kMaxGuidText)
            parse_guid_text(value, length, id);
    }
    return id;
}

GUID* get_guid_list_property(const PairList& pairs, ProjectArena& arena, LONG& count) {
    count = 0;
    const char* value = find_pair(pairs, kContainedKey);
    if (!value)
        return nullptr;
    size_t pieces = 1;
    for (const char* p = value; *p; ++p)
        pieces += *p == ';';
    if (pieces > 0x7FFFFFFF || pieces > SIZE_MAX / sizeof(GUID))
        return nullptr;
    GUID* list = static_cast<GUID*>(arena.allocate(pieces * sizeof(GUID)));
    if (!list)
        return nullptr;
    const char* piece = value;
    for (size_t i = 0; i < pieces; ++i) {
        const char* end = std::strchr(piece, ';');
        const size_t length = end ? size_t(end - piece) : std::strlen(piece);
        // A list that can't be read stays in the arena until the project goes: no list.
        if (length > kMaxGuidText || !parse_guid_text(piece, length, list[i]))
            return nullptr;
        if (!end)
            break;
        piece = end + 1;
    }
    count = LONG(pieces);
    return list;
}

}  // namespace project
}  // namespace tkl
