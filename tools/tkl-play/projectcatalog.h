#pragma once
// The objects of a project file: their names and the kinds of their effects, read with the
// project library before anything plays.

#include "tkl/platform/win32.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace play {

struct ObjectInfo {
    int index;                // position in the project
    std::string name;
    std::vector<GUID> kinds;  // one per effect, in the compound's slot order
    bool emptyProfile;        // holds a custom force without samples, which devices refuse
};

// A project file that cannot be read or is malformed.
class ProjectError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Every object of the project file in project order; throws ProjectError saying what is
// wrong (a missing file, or where the data is malformed).
std::vector<ObjectInfo> read_catalog(const std::string& file);

// The objects named, in the order given (a name may repeat), or every object when none is
// named; throws ProjectError for a name the project does not have.
std::vector<ObjectInfo> select_objects(const std::vector<ObjectInfo>& catalog,
                                       const std::vector<std::string>& names);

}  // namespace play
