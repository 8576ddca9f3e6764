#pragma once
// Numeric property values: decimal texts read as the standard library's atol does.

#include "tkl/project/projectreader.h"

namespace tkl {
namespace project {

// Optional white space, optional sign, decimal digits up to the first other character; no
// digits read as 0. Values beyond 32 bits saturate at LONG's limits.
LONG parse_number(const char* text);

// parse_number of a pair's value, the pair lying in `list`: a value of at most eight digits is
// read as one word of the list's bytes.
LONG read_number(const PairList& list, const Pair& pair);

// The value of the first pair with that key, or `fallback` when there is none.
LONG get_property(const PairList& pairs, const char* key, LONG fallback);

}  // namespace project
}  // namespace tkl
