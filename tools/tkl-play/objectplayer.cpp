#include "tools/tkl-play/objectplayer.h"

#include "tools/tkl-play/effectkindnames.h"

#include "sim/simclient.h"
#include "tkl/tkl.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>

namespace play {
namespace {

// More effects than any device holds at once.
const unsigned kMaxShares = 64;

LONG to_long(double value) { return LONG(std::lround(value)); }

SimPointer pointer_at(const PathPoint& p) {
    SimPointer pointer = {to_long(p.x), to_long(p.y), to_long(p.vx), to_long(p.vy),
                          to_long(p.ax), to_long(p.ay), DWORD(p.buttons)};
    return pointer;
}

LONG clamp_force(long value) {
    return LONG(value > TACTRA_NOMINAL_MAX ? TACTRA_NOMINAL_MAX
                                           : value < -TACTRA_NOMINAL_MAX ? -TACTRA_NOMINAL_MAX : value);
}

// Whether any effect of the compound reports playing.
bool any_playing(CTactraCompoundEffect& compound) {
    for (LONG i = 0; i < compound.GetNumberOfContainedEffects(); ++i) {
        DWORD status = 0;
        CTactraEffect* effect = compound.GetContainedEffect(i);
        if (effect && effect->GetStatus(&status) && (status & TACTRA_EGES_PLAYING))
            return true;
    }
    return false;
}

}  // namespace

bool observe_playing(ObjectRun& run, double t, bool playing) {
    if (playing && run.started < 0)
        run.started = t;
    else if (!playing && run.started >= 0 && run.stopped < 0)
        run.stopped = t;
    return run.stopped >= 0;
}

std::string describe_error(long code) {
    static const char* const kTexts[] = {
        "no error", "unknown error", "allocation failed", "invalid parameter", "null parameter",
        "wrong form", "device is null", "invalid GUID", "effect not initialized",
        "can't initialize device", "can't create effect", "can't create effect from the project",
        "no effects found", "effect is a compound effect", "project already open",
        "project not open"};
    char text[96];
    if (code >= 0 && code < long(sizeof kTexts / sizeof kTexts[0])) {
        std::snprintf(text, sizeof text, "%s (error %ld)", kTexts[code], code);
        return text;
    }
    const char* meaning = "the device refused it";
    if (HRESULT(code) == TACTRA_ERROR_INVALIDPARAM)
        meaning = "the device found its parameters invalid";
    else if (HRESULT(code) == TACTRA_ERROR_DEVICEFULL)
        meaning = "the device has no room for more effects";
    else if (HRESULT(code) == TACTRA_ERROR_INPUTLOST)
        meaning = "the device was lost";
    std::snprintf(text, sizeof text, "%s (error 0x%08lX)", meaning,
                  static_cast<unsigned long>(DWORD(code)));
    return text;
}

ObjectPlayer::ObjectPlayer(const std::string& projectFile, CTactraDevice* device,
                           SimClient* sim, unsigned mapStep)
    : projectFile_(projectFile), device_(device), sim_(sim), mapStep_(mapStep) {}

ObjectRun ObjectPlayer::play(const ObjectInfo& object, const std::vector<PathPoint>& path) {
    ObjectRun run;
    // A project of its own for each object: closing it frees the object's effects.
    CTactraProjects projects;
    const LONG position = projects.OpenFile(projectFile_.c_str(), device_);
    CTactraProject* project = position >= 0 ? projects.GetProject(position) : nullptr;
    if (!project) {
        const long code = CTKLErrors::GetLastErrorCode();
        // A failed load leaves no code of its own, but the loader's reason.
        char reason[256];
        projects.GetLoadErrorText(reason, sizeof reason);
        run.note = "not played: the project did not open: " +
                   (code ? describe_error(code) : std::string(reason));
        return run;
    }
    if (sim_) {
        SimPointer rest = pointer_at(path.front());
        rest.buttons = 0;  // a button held at the start goes down once the object is there
        sim_->set_pointer(&rest);
    }
    CTactraCompoundEffect* compound = project->CreateEffectByIndex(object.index);
    if (!compound || !compound->Start(1, 0)) {
        const long code = CTKLErrors::GetLastErrorCode();
        run.note = "not played: " + (object.emptyProfile
                                         ? std::string("the device refuses a custom force "
                                                       "without samples, and a project's force "
                                                       "profile carries none")
                                         : describe_error(code));
        projects.Close();
        return run;
    }
    run.played = true;
    if (sim_) {
        bool positional = false;
        for (const GUID& kind : object.kinds)
            positional = positional || is_position_dependent(kind);
        if (positional)
            map_field(path.front(), run);
        follow_path(path, run);
        for (const Sample& sample : run.samples)
            if (observe_playing(run, sample.t, sample.playing != 0))
                break;
    } else {
        // No forces to read: play in real time and watch the status.
        run.note = "forces not readable on this device; status only";
        const auto begin = std::chrono::steady_clock::now();
        const double end = path.back().t;
        for (double t = 0;; t = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count()) {
            if (observe_playing(run, t, any_playing(*compound)) || t >= end)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    compound->Stop();
    projects.Close();
    return run;
}

void ObjectPlayer::map_field(const PathPoint& rest, ObjectRun& run) {
    // The object's position-dependent effects, by the device's ids.
    std::vector<unsigned> mapped;
    for (unsigned i = 0; i < sim_->effect_count(); ++i) {
        SimEffectState state;
        if (!sim_->effect_get(i, &state) || !is_position_dependent(state.params.guid))
            continue;
        mapped.push_back(state.object);
        const std::string name = kind_name(state.params.guid);
        if (std::find(run.map.kinds.begin(), run.map.kinds.end(), name) == run.map.kinds.end())
            run.map.kinds.push_back(name);
    }
    if (mapped.empty())
        return;
    const LONG width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    FieldMap& map = run.map;
    map.step = mapStep_;
    map.columns = unsigned(width) / mapStep_;
    map.rows = unsigned(height) / mapStep_;
    SimEffectForce shares[kMaxShares];
    for (unsigned row = 0; row < map.rows; ++row)
        for (unsigned column = 0; column < map.columns; ++column) {
            const SimPointer at = {LONG(column * mapStep_ + mapStep_ / 2),
                                   LONG(row * mapStep_ + mapStep_ / 2), 0, 0, 0, 0, 0};
            sim_->set_pointer(&at);
            SimForce total;
            const unsigned playing = sim_->force(&total, shares, kMaxShares);
            long fx = 0, fy = 0;
            for (unsigned i = 0; i < playing && i < kMaxShares; ++i)
                for (unsigned id : mapped)
                    if (shares[i].object == id) {
                        fx += shares[i].x;
                        fy += shares[i].y;
                    }
            map.fx.push_back(clamp_force(fx));
            map.fy.push_back(clamp_force(fy));
        }
    run.hasMap = true;
    SimPointer back = pointer_at(rest);
    back.buttons = 0;
    sim_->set_pointer(&back);
}

void ObjectPlayer::follow_path(const std::vector<PathPoint>& path, ObjectRun& run) {
    run.forcesRead = true;
    run.samples.reserve(path.size());
    unsigned long long elapsed = 0;  // microseconds
    for (const PathPoint& p : path) {
        const unsigned long long due = (unsigned long long)std::llround(p.t * 1e6);
        if (due > elapsed)
            sim_->advance(DWORD(due - elapsed));
        elapsed = due;
        const SimPointer pointer = pointer_at(p);
        sim_->set_pointer(&pointer);
        SimForce total = {0, 0};
        const unsigned playing = sim_->force(&total, nullptr, 0);
        SimPointer seen = pointer;
        sim_->get_pointer(&seen);
        run.samples.push_back({p.t, long(seen.x), long(seen.y), unsigned(seen.buttons),
                               long(total.x), long(total.y), playing});
    }
}

}  // namespace play
