#pragma once
// Plays one project object at a time on a device and records what a hand would feel.

#include "tools/tkl-play/objectrun.h"
#include "tools/tkl-play/pointerpath.h"
#include "tools/tkl-play/projectcatalog.h"

#include <string>
#include <vector>

class CTactraDevice;
class SimClient;

namespace play {

class ObjectPlayer {
public:
    // `sim` is the software device's control interface, or null when the device is not one:
    // objects then play in real time and only their status is read.
    ObjectPlayer(const std::string& projectFile, CTactraDevice* device, SimClient* sim,
                 unsigned mapStep);

    // Opens the project, creates and starts the object, moves the pointer along the path
    // (mapping the field first where the object has position-dependent effects), stops it
    // and closes the project, so that the next object finds the device empty.
    ObjectRun play(const ObjectInfo& object, const std::vector<PathPoint>& path);

private:
    void map_field(const PathPoint& rest, ObjectRun& run);
    void follow_path(const std::vector<PathPoint>& path, ObjectRun& run);

    std::string projectFile_;
    CTactraDevice* device_;
    SimClient* sim_;
    unsigned mapStep_;
};

// The library's last error code in words.
std::string describe_error(long code);

}  // namespace play
