#pragma once
// The scripted pointer path: where the hand moves the pointer, sample by sample.

#include <stdexcept>
#include <string>
#include <vector>

namespace play {

// The pointer at one sample: position in pixels, velocity in pixels per second,
// acceleration in pixels per second squared, and the buttons held (bit n: button n).
struct PathPoint {
    double t;  // seconds since the start
    double x, y;
    double vx, vy;
    double ax, ay;
    unsigned buttons;
};

// A point of a path file.
struct Waypoint {
    double t, x, y;
    unsigned buttons;
};

// A path file that cannot be read or followed.
class PathError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// How the path is drawn.
struct PathPlan {
    std::string shape;                // still, line, circle, sweep or file
    std::vector<Waypoint> waypoints;  // the file's points
    double width = 1024, height = 768;  // the screen, pixels
    double duration = 2;              // seconds
    double rate = 1000;               // samples per second
    double pressFrom = -1, pressTo = -1;  // seconds; see Options
    unsigned button = 0;
};

// Reads a path file's waypoints (time_s,x,y[,buttons] per line, times strictly increasing);
// throws PathError naming the line at fault.
std::vector<Waypoint> parse_path_text(const std::string& text);
std::vector<Waypoint> read_path_file(const std::string& file);

// The samples at 0, 1/rate, ... up to the duration (included when it falls on a sample).
// Velocities and accelerations are the path's own, taken by central differences over one
// sample interval so that every shape, the file's straight segments too, is treated alike.
std::vector<PathPoint> make_path(const PathPlan& plan);

}  // namespace play
