#pragma once
// The figures the table gives for each object, and the table itself.

#include "tools/tkl-play/objectrun.h"
#include "tools/tkl-play/projectcatalog.h"

#include <ostream>
#include <string>
#include <vector>

namespace play {

// Peak and RMS of the force magnitude over every sample, in force units.
struct ForceFigures {
    double peak = 0;
    double rms = 0;
};

ForceFigures force_figures(const std::vector<Sample>& samples);

// "3: 2 texture, damper": the number of effects and their kinds, repeats counted.
std::string describe_kinds(const std::vector<GUID>& kinds);

// One line per object: name, effects, peak and RMS force, start and stop (ms), then the
// effects' kinds or why it did not play.
void print_table(std::ostream& out, const std::vector<ObjectInfo>& objects,
                 const std::vector<ObjectRun>& runs);

}  // namespace play
