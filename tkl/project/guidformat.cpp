#include "tkl/project/guidformat.h"

#include "tkl/platform/guidtext.h"

#include <cstdio>
#include <cstring>

namespace tkl {
namespace project {

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

}  // namespace project
}  // namespace tkl
