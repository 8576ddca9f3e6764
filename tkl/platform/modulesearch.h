#pragma once
// Where LoadLibraryA looks for a module, in words: for the line that says a module the
// library needs was not found.

#include <cstddef>

// Writes, NUL-terminated and cut to fit, the files and folders tried for `name` ("tactra.dll").
void tkl_describe_module_search(const char* name, char* text, size_t size);
