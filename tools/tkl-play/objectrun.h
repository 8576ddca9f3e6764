#pragma once
// What playing one object along the path gave: its samples, its field map and how it went.

#include <string>
#include <vector>

namespace play {

// One sample: the pointer as set and the total force on it.
struct Sample {
    double t;           // seconds since the start
    long x, y;          // pointer, pixels
    unsigned buttons;
    long fx, fy;        // force units: x to the right, y down
    unsigned playing;   // effects of the object playing
};

// The force of the object's position-dependent effects over the screen, the pointer at rest,
// sampled at the centres of step × step cells, row by row from the top.
struct FieldMap {
    unsigned step = 0;
    unsigned columns = 0, rows = 0;
    std::vector<long> fx, fy;  // columns × rows each
    std::vector<std::string> kinds;  // the effects mapped, by kind name
};

struct ObjectRun {
    bool played = false;      // started on the device
    std::string note;         // why it did not play, or what could not be read
    bool forcesRead = false;  // samples hold forces (a software device)
    std::vector<Sample> samples;
    bool hasMap = false;
    FieldMap map;
    double started = -1;  // seconds: when it was first seen playing; -1: never
    double stopped = -1;  // seconds: when it was first seen stopped after that; -1: not
};

// The one rule for start and stop, whether the status is read from samples or watched in real
// time: started when first seen playing, stopped when first seen not playing after that. True
// once stopped.
bool observe_playing(ObjectRun& run, double t, bool playing);

}  // namespace play
