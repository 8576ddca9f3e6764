#pragma once
// GUIDs in the registry text form with braces, as project files hold them.

#include "tkl/platform/win32.h"

#include <cstddef>

namespace tkl {
namespace project {

// Longest GUID text (a piece of a list included) that is parsed at all.
inline constexpr size_t kMaxGuidText = 49;
// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" and its zero byte.
inline constexpr size_t kGuidTextSize = 39;

// Parses `length` characters in the braced registry form; an empty text is the all-zero GUID.
// False (and an all-zero GUID) for anything else.
bool parse_guid_text(const char* text, size_t length, GUID& guid);

// Writes the braced registry form with upper-case digits.
void format_guid_text(const GUID& guid, char (&text)[kGuidTextSize]);

}  // namespace project
}  // namespace tkl
