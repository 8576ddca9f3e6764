#include "tkl/project/properties.h"

#include <cstdint>

namespace tkl {
namespace project {

LONG parse_number(const char* text) {
    const char* p = text;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    // Saturating like the 32-bit atol of the format's native platform, never overflowing.
    const int64_t limit = negative ? int64_t(INT32_MAX) + 1 : INT32_MAX;
    int64_t value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > limit)
            value = limit;
    }
    return LONG(negative ? -value : value);
}

LONG get_property(const PairList& pairs, const char* key, LONG fallback) {
    const char* value = find_pair(pairs, key);
    return value ? parse_number(value) : fallback;
}

}  // namespace project
}  // namespace tkl
