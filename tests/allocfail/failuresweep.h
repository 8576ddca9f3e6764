#pragma once
// Runs an operation with each of its allocations failing in turn: the 1st, the 2nd, ... until a
// run no longer reaches the armed failure. Every run must end as documented (success, or the
// failure result and code the operation documents), and leave no library block and no
// software-device object alive.

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace allocfail {

// One operation: `run` does it once, checks with test assertions that a failure is the
// documented one, undoes whatever it made (releases, deletes) and says whether it succeeded.
struct Operation {
    std::string name;
    std::function<bool()> run;
};

inline void PrintTo(const Operation& op, std::ostream* out) { *out << op.name; }

// Live objects of a software device, counted before and after every run.
typedef std::function<unsigned()> LiveCount;

// What one sweep saw.
struct Sweep {
    unsigned long allocations = 0;  // made by the run that succeeded untouched
    unsigned long failed = 0;       // runs that failed as documented
    unsigned long tolerated = 0;    // runs that succeeded although an allocation failed
};

// Sweeps the operation; test failures name the operation and N.
Sweep fail_each_allocation(const Operation& op, const std::vector<LiveCount>& devices);

}  // namespace allocfail
