#pragma once
// Runs another program and waits for it: the plotting program, and the tool itself in tests.

#include <string>
#include <vector>

namespace play {

// Runs `program` (searched on PATH) with `args` in the folder `dir` (empty: this one) and
// returns its exit status; -1 when it could not be started at all. A quiet program's output
// is thrown away.
int run_program(const std::string& program, const std::vector<std::string>& args,
                const std::string& dir = std::string(), bool quiet = false);

}  // namespace play
