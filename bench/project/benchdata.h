#pragma once
// The data the project benchmarks share, made once per run.

#include "tkl/project/tvx.h"

#include <string>

namespace bench {

// The showcase objects repeated to `objects` objects, as project bytes.
const std::string& large_project(int objects);
// The same number of objects, each with a name and identifier of its own (repetitions of the
// showcase objects whose compounds list the members of their own repetition).
const std::string& large_project_own_ids(int objects);
// `tvx dump` of large_project: its JSON text.
const std::string& large_project_json(int objects);
// large_project written to a temporary file; its path.
const std::string& large_project_file(int objects);

}  // namespace bench
