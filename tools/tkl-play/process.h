#pragma once
// Runs another program and waits for it: the plotting program, and the tool itself in tests.

#include <string>
#include <vector>

namespace play {

// Where the program runs and where its output goes.
struct RunOptions {
    std::string dir;     // working folder; empty: this one
    std::string output;  // file for its standard output; empty: ours
    std::string errors;  // file for its standard error; empty: ours
};

// The file that swallows whatever is written to it.
extern const char kNullDevice[];

// Runs `program` (searched on PATH) with `args` and returns its exit status; -1 when it
// could not be started at all, or an output file could not be opened.
int run_program(const std::string& program, const std::vector<std::string>& args,
                const RunOptions& options = RunOptions());

}  // namespace play
