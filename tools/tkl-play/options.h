#pragma once
// tkl-play's command line.

#include <string>
#include <vector>

namespace play {

struct Options {
    std::string project;               // the project file
    std::vector<std::string> objects;  // names to play; empty: every object
    std::string path = "sweep";        // still, line, circle, sweep or a CSV file
    double duration = 2.0;             // seconds
    bool durationGiven = false;        // a path file's own length counts unless given
    double rate = 1000.0;              // samples per second
    double pressFrom = -1.0;           // seconds; negative: the button is never pressed
    double pressTo = -1.0;             // seconds; negative: held to the end
    unsigned button = 0;               // the button pressed
    unsigned mapStep = 4;              // pixels between field map samples
    std::string output;                // folder; empty: the default under the current one
    bool anyDevice = false;            // --device: whichever device the library finds
    std::string gnuplot = "gnuplot";   // the plotting program
    bool plots = true;
};

// What the command line asks for.
struct Command {
    enum Kind { Play, Help, Version, Usage } kind = Usage;
    Options options;
    std::string error;  // Usage: what is wrong (empty: no arguments at all)
};

Command parse_command_line(const std::vector<std::string>& args);

// The one-line synopsis, and the whole help text.
extern const char kUsage[];
extern const char kHelp[];

}  // namespace play
