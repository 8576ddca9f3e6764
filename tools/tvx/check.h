#pragma once
// `tvx check`: loads project data with the library and prints what it holds.

#include <ostream>
#include <string>

namespace tvx {

// Prints each object, its type, identifier, contained objects and effect records field by
// field; for data the library rejects, one line naming the object and byte offset instead.
// Returns the exit status: 0 when the data loads.
int check_project(const std::string& bytes, const std::string& label, std::ostream& out,
                  std::ostream& err);

}  // namespace tvx
