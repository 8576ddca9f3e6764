#pragma once
// gnuplot scripts that draw an object's samples and field map as PNG images.

#include "tools/tkl-play/objectrun.h"

#include <string>

namespace play {

// What the plot titles say around the object.
struct PlotContext {
    std::string object;  // its name
    std::string kinds;   // its effects, as describe_kinds gives them
    std::string device;  // "software force mouse", ...
    std::string path;    // the path's name
    double width = 1024, height = 768;  // the screen, pixels
};

// A script, run in the output folder, that draws STEM.png from STEM.csv and, when the run
// has a map, STEM-field.png from STEM-field.csv.
std::string plot_script(const std::string& stem, const PlotContext& context,
                        const ObjectRun& run);

// `text` as a single-quoted gnuplot string (quotes doubled, control characters dropped).
std::string gnuplot_string(const std::string& text);

}  // namespace play
