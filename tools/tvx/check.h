#pragma once
// `tvx check`: loads a project file with the library and prints what it holds.

#include <ostream>
#include <string>

namespace tvx {

// Prints each object, its type, identifier, contained objects and effect records field by
// field; for a file the library rejects, one line with its reason instead (the object and
// byte offset at fault, or why the file can't be read). Returns the exit status: 0 when the
// file loads.
int check_file(const std::string& path, std::ostream& out, std::ostream& err);

}  // namespace tvx
