#pragma once
// The studio's project and device: one project at a time, kept as its readable JSON and as the
// project bytes built from it, played on the software force mouse by tkl-play's own player so
// that what the page shows is what tkl-play writes.

#include "tools/tkl-play/objectrun.h"
#include "tools/tkl-play/projectcatalog.h"

#include <memory>
#include <string>
#include <vector>

class CTactraDevice;
class CTactraProjects;
class SimClient;

namespace studio {

// A pointer path as tkl-play's --path, --duration and --rate give it.
struct PathRequest {
    std::string shape = "sweep";  // still, line, circle or sweep
    double duration = 2;          // seconds
    double rate = 1000;           // samples per second
};

// The force at one pointer position and velocity, the object just started there.
struct Probe {
    long fx = 0, fy = 0;   // force units: x to the right, y down
    unsigned playing = 0;  // effects of the object playing
};

class StudioSession {
public:
    StudioSession();
    ~StudioSession();
    StudioSession(const StudioSession&) = delete;
    StudioSession& operator=(const StudioSession&) = delete;

    // True once the software force mouse is open; otherwise error() says why.
    bool ready() const { return device_ != nullptr; }

    // Replaces the project with `bytes` (a .tvx file or JSON text) once they load with the
    // library; false (error() says why, naming `label`) keeps the project as it was.
    bool open(const std::string& bytes, const std::string& label);

    // The loaded project's objects in project order; empty before the first open.
    const std::vector<play::ObjectInfo>& objects() const { return catalog_; }
    // The project as readable JSON (tvx dump's form) and as project bytes (tvx build's).
    const std::string& json_text() const { return json_; }
    const std::string& project_bytes() const { return bytes_; }

    // tkl-play's samples CSV of the object along the path; false (error()) for an unknown
    // object or path. An object that does not play gives true and empty text, as tkl-play
    // writes no file for it.
    bool play_csv(const std::string& object, const PathRequest& path, std::string& csv);
    // tkl-play's field CSV with --map-step `step` (its default path); empty text for an
    // object without position-dependent effects.
    bool field_csv(const std::string& object, unsigned step, std::string& csv);
    // The force the object gives at (x, y) moving at (vx, vy) px/s; the object stays
    // started between probes of the same object.
    bool probe(const std::string& object, long x, long y, long vx, long vy, Probe& out);

    const std::string& error() const { return error_; }
    // Why the object's last play gave no samples ("" when it played).
    const std::string& note() const { return note_; }

private:
    // Plays the object as tkl-play would with these options; false (error()) when the
    // options or the object are refused.
    bool run(const std::string& object, const std::vector<std::string>& options,
             play::ObjectRun& out);
    const play::ObjectInfo* find(const std::string& object);
    void stop_probe();
    bool fail(const std::string& why);

    std::unique_ptr<SimClient> sim_;
    CTactraDevice* device_ = nullptr;
    std::string json_;
    std::string bytes_;
    std::string file_;  // bytes_ as a file, which the players open
    std::vector<play::ObjectInfo> catalog_;
    std::string error_, note_;
    // The probe's object, started on the device; null when none is.
    std::unique_ptr<CTactraProjects> probeProjects_;
    std::string probeObject_;
};

}  // namespace studio
