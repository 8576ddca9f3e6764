#include "studio/glue/studiosession.h"

#include "tools/tkl-play/objectplayer.h"
#include "tools/tkl-play/options.h"
#include "tools/tkl-play/outputfiles.h"
#include "tools/tkl-play/pointerpath.h"
#include "tools/tvx/projectbuild.h"

#include "sim/simclient.h"
#include "tkl/tkl.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace studio {
namespace {

const char kMagic[] = "tvxp";

std::string number_text(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

bool write_file(const std::string& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    return bool(out.write(bytes.data(), std::streamsize(bytes.size())).flush());
}

// The file the players open: one per session, in the temporary folder.
std::string project_file_name(const void* session) {
    const char* dir = std::getenv("TMPDIR");
    char name[64];
    std::snprintf(name, sizeof name, "/tkl-studio-%p.tvx", session);
    return std::string(dir && *dir ? dir : "/tmp") + name;
}

}  // namespace

StudioSession::StudioSession() : file_(project_file_name(this)) {
    CTKLErrors::SetErrorHandling(0);  // failures are reported by the session, in words
    sim_.reset(new SimClient(SimClient::mouse()));
    if (!sim_->ok()) {
        error_ = "the software force mouse is not linked in";
        return;
    }
    device_ = CTactraDevice::CreateDevice(GetModuleHandleA(nullptr), nullptr);
    if (!device_) {
        error_ = "the software force mouse did not open: " +
                 play::describe_error(CTKLErrors::GetLastErrorCode());
    } else if (device_->GetDeviceType() != TKL_DEVICE_TYPE_MOUSE) {
        delete device_;
        device_ = nullptr;
        error_ = "the library did not open the software force mouse";
    }
}

StudioSession::~StudioSession() {
    stop_probe();
    delete device_;  // every project is closed: the device may go
    std::remove(file_.c_str());
}

bool StudioSession::fail(const std::string& why) {
    error_ = why;
    return false;
}

namespace {

// The messages of a refused description, one per line, each with its line in the text.
std::string describe(const std::vector<tvx::Message>& messages) {
    std::string text;
    for (const tvx::Message& m : messages) {
        if (!text.empty())
            text += "\n";
        if (m.line > 0)
            text += "line " + std::to_string(m.line) + ": ";
        text += m.text;
    }
    return text.empty() ? std::string("refused") : text;
}

}  // namespace

bool StudioSession::open(const std::string& bytes, const std::string& label) {
    if (!device_)
        return false;
    std::string json, built, message;
    std::vector<tvx::Message> messages;
    if (bytes.compare(0, 4, kMagic) == 0) {
        // A project file: its readable form is what tvx dump prints, which builds back as is.
        if (!tvx::dump_project(bytes, json, message))
            return fail(label + ": " + message);
        json += "\n";
        if (!tvx::build_project(json, tvx::Checking::Structure, built, messages))
            return fail(label + ": " + describe(messages));
    } else {
        const size_t first = bytes.find_first_not_of(" \t\r\n");
        if (first == std::string::npos || bytes[first] != '{')
            return fail(label + ": neither a project file (.tvx) nor a JSON source");
        // A JSON source, opened or edited: checked against the project schema as tvx build does.
        if (!tvx::build_project(bytes, tvx::Checking::Schema, built, messages))
            return fail(label + ": " + describe(messages));
        json = bytes;
    }
    // The library has the last word: what it cannot load replaces nothing.
    const std::string candidate = file_ + ".new";
    if (!write_file(candidate, built))
        return fail(label + ": cannot store the project for playing");
    std::vector<play::ObjectInfo> catalog;
    try {
        catalog = play::read_catalog(candidate);
    } catch (const std::exception& e) {
        std::remove(candidate.c_str());
        std::string why = e.what();
        if (why.compare(0, candidate.size(), candidate) == 0)
            why = why.substr(candidate.size() + 2);  // the file is ours; name the user's
        return fail(label + ": " + why);
    }
    stop_probe();
    if (std::rename(candidate.c_str(), file_.c_str()) != 0) {
        std::remove(candidate.c_str());
        return fail(label + ": cannot store the project for playing");
    }
    json_ = std::move(json);
    bytes_ = std::move(built);
    catalog_ = std::move(catalog);
    error_.clear();
    return true;
}

const play::ObjectInfo* StudioSession::find(const std::string& object) {
    for (const play::ObjectInfo& info : catalog_)
        if (info.name == object)
            return &info;
    error_ = bytes_.empty() ? "no project is open" : "no object \"" + object + "\" in the project";
    return nullptr;
}

bool StudioSession::run(const std::string& object, const std::vector<std::string>& options,
                        play::ObjectRun& out) {
    if (!device_)
        return false;
    const play::ObjectInfo* info = find(object);
    if (!info)
        return false;
    // tkl-play's own command line checks the options and fills in its defaults.
    std::vector<std::string> args = {file_};
    args.insert(args.end(), options.begin(), options.end());
    const play::Command command = play::parse_command_line(args);
    if (command.kind != play::Command::Play)
        return fail(command.error.empty() ? "options refused" : command.error);
    const play::Options& o = command.options;
    if (o.path != "still" && o.path != "line" && o.path != "circle" && o.path != "sweep")
        return fail("--path: expected still, line, circle or sweep: " + o.path);
    play::PathPlan plan;
    plan.width = GetSystemMetrics(SM_CXSCREEN);
    plan.height = GetSystemMetrics(SM_CYSCREEN);
    plan.rate = o.rate;
    plan.duration = o.duration;
    plan.shape = o.path;
    stop_probe();  // the device holds the played object alone, as under tkl-play
    try {
        play::ObjectPlayer player(file_, device_, sim_.get(), o.mapStep);
        out = player.play(*info, play::make_path(plan));
    } catch (const std::exception& e) {
        return fail(std::string("playing failed: ") + e.what());
    }
    note_ = out.forcesRead ? std::string() : out.note;
    return true;
}

bool StudioSession::play_csv(const std::string& object, const PathRequest& path,
                             std::string& csv) {
    play::ObjectRun done;
    if (!run(object, {"--path", path.shape, "--duration", number_text(path.duration), "--rate",
                      number_text(path.rate)}, done))
        return false;
    csv = done.forcesRead ? play::samples_csv(done) : std::string();
    return true;
}

bool StudioSession::field_csv(const std::string& object, unsigned step, std::string& csv) {
    play::ObjectRun done;
    if (!run(object, {"--map-step", std::to_string(step)}, done))
        return false;
    csv = done.forcesRead && done.hasMap ? play::field_csv(done.map) : std::string();
    return true;
}

void StudioSession::stop_probe() {
    if (probeProjects_)
        probeProjects_->Close();
    probeProjects_.reset();
    probeObject_.clear();
}

bool StudioSession::probe(const std::string& object, long x, long y, long vx, long vy,
                          Probe& out) {
    if (!device_)
        return false;
    const play::ObjectInfo* info = find(object);
    if (!info)
        return false;
    if (!probeProjects_ || probeObject_ != object) {
        stop_probe();
        std::unique_ptr<CTactraProjects> projects(new (std::nothrow) CTactraProjects);
        if (!projects)
            return fail("out of memory");
        const SimPointer rest = {LONG(x), LONG(y), 0, 0, 0, 0, 0};
        sim_->set_pointer(&rest);
        const LONG position = projects->OpenFile(file_.c_str(), device_);
        CTactraProject* project = position >= 0 ? projects->GetProject(position) : nullptr;
        CTactraCompoundEffect* compound =
            project ? project->CreateEffectByIndex(info->index) : nullptr;
        if (!compound || !compound->Start(1, 0)) {
            const std::string why = play::describe_error(CTKLErrors::GetLastErrorCode());
            projects->Close();
            return fail("\"" + object + "\" does not play: " + why);
        }
        probeProjects_ = std::move(projects);
        probeObject_ = object;
    }
    const SimPointer at = {LONG(x), LONG(y), LONG(vx), LONG(vy), 0, 0, 0};
    sim_->set_pointer(&at);
    SimForce total = {0, 0};
    out.playing = sim_->force(&total, nullptr, 0);
    out.fx = total.x;
    out.fy = total.y;
    return true;
}

}  // namespace studio
