#include "tkl/project/guidproperties.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tkl {
namespace project {
namespace {

const char kIdKey[] = "ID";
const char kContainedKey[] = "ContainedObjects";

bool read_hex(const char* text, int digits, uint32_t& value) {
    value = 0;
    for (int i = 0; i < digits; ++i) {
        const char c = text[i];
        uint32_t d;
        if (c >= '0' && c <= '9') d = uint32_t(c - '0');
        else if (c >= 'a' && c <= 'f') d = uint32_t(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F') d = uint32_t(c - 'A' + 10);
        else return false;
        value = value << 4 | d;
    }
    return true;
}

bool parse_registry_form(const char* t, GUID& g) {
    if (t[0] != '{' || t[9] != '-' || t[14] != '-' || t[19] != '-' || t[24] != '-' || t[37] != '}')
        return false;
    uint32_t v;
    if (!read_hex(t + 1, 8, v)) return false;
    g.Data1 = v;
    if (!read_hex(t + 10, 4, v)) return false;
    g.Data2 = uint16_t(v);
    if (!read_hex(t + 15, 4, v)) return false;
    g.Data3 = uint16_t(v);
    static const int bytes[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (int i = 0; i < 8; ++i) {
        if (!read_hex(t + bytes[i], 2, v)) return false;
        g.Data4[i] = uint8_t(v);
    }
    return true;
}

}  // namespace

bool parse_guid_text(const char* text, size_t length, GUID& guid) {
    std::memset(&guid, 0, sizeof guid);
    if (length == 0)
        return true;
    GUID parsed;
    if (length != kGuidTextSize - 1 || !parse_registry_form(text, parsed))
        return false;
    guid = parsed;
    return true;
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

GUID* get_guid_list_property(const PairList& pairs, LONG& count) {
    count = 0;
    const char* value = find_pair(pairs, kContainedKey);
    if (!value)
        return nullptr;
    size_t pieces = 1;
    for (const char* p = value; *p; ++p)
        pieces += *p == ';';
    if (pieces > 0x7FFFFFFF)
        return nullptr;
    GUID* list = static_cast<GUID*>(std::calloc(pieces, sizeof(GUID)));
    if (!list)
        return nullptr;
    const char* piece = value;
    for (size_t i = 0; i < pieces; ++i) {
        const char* end = std::strchr(piece, ';');
        const size_t length = end ? size_t(end - piece) : std::strlen(piece);
        if (length > kMaxGuidText || !parse_guid_text(piece, length, list[i])) {
            std::free(list);
            return nullptr;
        }
        if (!end)
            break;
        piece = end + 1;
    }
    count = LONG(pieces);
    return list;
}

}  // namespace project
}  // namespace tkl
