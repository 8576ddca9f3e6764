// tkl-play: plays project objects on the software force mouse along a scripted pointer path,
// and writes their forces as CSV samples, gnuplot plots and a summary table.
#include "tools/tkl-play/objectplayer.h"
#include "tools/tkl-play/options.h"
#include "tools/tkl-play/outputfiles.h"
#include "tools/tkl-play/plotscript.h"
#include "tools/tkl-play/process.h"
#include "tools/tkl-play/runsummary.h"

#include "sim/simclient.h"
#include "tkl/tkl.h"
#if !defined(_WIN32)
#include "tkl/platform/win32.h"
#endif

#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

namespace fs = std::filesystem;

namespace {

// A failure that ends the run with status 1.
struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct OpenDevice {
    std::unique_ptr<CTactraDevice> device;
    std::unique_ptr<SimClient> sim;  // null: forces cannot be read
    std::string name;
};

#if !defined(_WIN32)
// The first hardware device behind the DirectInput module, with its name; null when the module
// is the software stand-in (whose joystick is no hardware) or opens no device.
std::unique_ptr<CTactraDevice> open_hardware(std::string& name) {
    if (SimClient::directInput().ok())
        return nullptr;
    std::unique_ptr<CTactraDXDevice> dx(new CTactraDXDevice);
    if (!dx->Initialize(GetModuleHandleA(nullptr), nullptr, nullptr, nullptr))
        return nullptr;
    DIDEVICEINSTANCEA info;
    info.dwSize = sizeof info;
    IDirectInputDevice2A* device = reinterpret_cast<IDirectInputDevice2A*>(dx->GetDevice());
    name = "DirectInput device";
    if (device && SUCCEEDED(device->GetDeviceInfo(&info)))
        name += std::string(" \"") + info.tszInstanceName + "\"";
    return dx;
}
#endif

OpenDevice open_device(bool anyDevice) {
    OpenDevice open;
#if !defined(_WIN32)
    // Off Windows the force mouse is ours in software: real hardware, when there is one, wins.
    if (anyDevice) {
        open.device = open_hardware(open.name);
        if (open.device)
            return open;
    }
#endif
    if (!anyDevice) {
        open.sim.reset(new SimClient(SimClient::mouse()));
        if (!open.sim->ok())
            throw Failure("the software force mouse (tactra.dll) is not beside tkl-play; "
                          "--device plays on whichever device the library finds");
    }
    open.device.reset(CTactraDevice::CreateDevice(GetModuleHandleA(nullptr), nullptr));
    if (!open.device)
        throw Failure("no force-feedback device opens: " +
                      play::describe_error(CTKLErrors::GetLastErrorCode()));
    const bool mouse = open.device->GetDeviceType() == TKL_DEVICE_TYPE_MOUSE;
    if (!anyDevice && !mouse)
        throw Failure("the library did not open the software force mouse");
    if (anyDevice)
        open.sim.reset(new SimClient(mouse ? SimClient::mouse() : SimClient::directInput()));
    if (!open.sim->ok())
        open.sim.reset();
    open.name = std::string(open.sim ? "software " : "") +
                (mouse ? "force mouse" : "DirectInput device");
    return open;
}

play::PathPlan path_plan(const play::Options& o) {
    play::PathPlan plan;
    plan.width = GetSystemMetrics(SM_CXSCREEN);
    plan.height = GetSystemMetrics(SM_CYSCREEN);
    plan.rate = o.rate;
    plan.duration = o.duration;
    plan.pressFrom = o.pressFrom;
    plan.pressTo = o.pressTo;
    plan.button = o.button;
    plan.shape = o.path;
    if (o.path == "still" || o.path == "line" || o.path == "circle" || o.path == "sweep")
        return plan;
    plan.shape = "file";
    try {
        plan.waypoints = play::read_path_file(o.path);
    } catch (const play::PathError& e) {
        throw Failure("path file " + o.path + ": " + e.what());
    }
    if (!o.durationGiven)
        plan.duration = plan.waypoints.back().t > 0 ? plan.waypoints.back().t : 1 / o.rate;
    if (plan.duration * plan.rate > 1e7)
        throw Failure("path file " + o.path + ": longer than 10 million samples at this rate");
    return plan;
}

fs::path output_folder(const play::Options& o) {
    const fs::path folder =
        o.output.empty() ? fs::path("tkl-play-out") / fs::u8path(o.project).stem() : fs::u8path(o.output);
    std::error_code error;
    fs::create_directories(folder, error);
    if (error || !fs::is_directory(folder))
        throw Failure("cannot make the output folder " + folder.string());
    return folder;
}

void write_file(const fs::path& file, const std::string& text) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!(out << text) || !out.flush())
        throw Failure("cannot write " + file.string());
}

// Runs the scripts; false (after saying why) when there is no plotting program.
bool draw_plots(const std::string& program, const fs::path& folder,
                const std::vector<std::string>& scripts) {
    if (play::run_program(program, {"--version"},
                          {std::string(), play::kNullDevice, play::kNullDevice}) != 0) {
        std::cerr << "tkl-play: warning: the plotting program " << program
                  << " was not found: no plots (install gnuplot; the CSV files, gnuplot "
                     "scripts and the table are written)\n";
        return false;
    }
    const int status = play::run_program(program, scripts, {folder.string(), "", ""});
    if (status != 0) {
        std::cerr << "tkl-play: warning: " << program << " failed (status " << status
                  << "): some plots may be missing\n";
        return false;
    }
    return true;
}

int run(const play::Options& o) {
    const std::vector<play::ObjectInfo> catalog = play::read_catalog(o.project);
    const std::vector<play::ObjectInfo> objects = play::select_objects(catalog, o.objects);
    const play::PathPlan plan = path_plan(o);
    const std::vector<play::PathPoint> path = play::make_path(plan);

    CTKLErrors::SetErrorHandling(0);  // failures are reported here, with what they concern
#if !defined(_WIN32)
    // The library's debugger lines (traces of its geometry) reach no console on Windows
    // unless a debugger listens; here they would land on stderr between our messages.
    tkl_platform_set_output_hook([](const char* caption, const char*, UINT, void*) {
        (void)caption;
    }, nullptr);
#endif
    OpenDevice open = open_device(o.anyDevice);
    const fs::path folder = output_folder(o);
    const std::string pathName = plan.shape == "file" ? fs::u8path(o.path).filename().string() : plan.shape;

    std::cout << o.project << ": " << objects.size() << " object" << (objects.size() == 1 ? "" : "s")
              << " on the " << open.name << ", pointer path " << pathName << " over "
              << plan.duration << " s at " << plan.rate << " Hz\n\n";

    play::ObjectPlayer player(o.project, open.device.get(), open.sim.get(), o.mapStep);
    play::PlotContext context;
    context.device = open.name;
    context.path = pathName + " (" + std::to_string(path.size()) + " samples)";
    context.width = plan.width;
    context.height = plan.height;
    std::vector<play::ObjectRun> runs;
    std::vector<std::string> scripts;
    for (const play::ObjectInfo& object : objects) {
        runs.push_back(player.play(object, path));
        const play::ObjectRun& done = runs.back();
        if (!done.forcesRead)
            continue;
        const std::string stem = play::file_stem(object.index, object.name);
        if (!play::write_samples_csv((folder / (stem + ".csv")).string(), done) ||
            (done.hasMap && !play::write_field_csv((folder / (stem + "-field.csv")).string(), done.map)))
            throw Failure("cannot write the CSV files of \"" + object.name + "\" in " + folder.string());
        if (!o.plots)
            continue;
        context.object = object.name;
        context.kinds = play::describe_kinds(object.kinds);
        write_file(folder / (stem + ".gp"), play::plot_script(stem, context, done));
        scripts.push_back(stem + ".gp");
    }
    open.device.reset();  // every project is closed: the device may go

    play::print_table(std::cout, objects, runs);
    std::cout << "\npeak, RMS: of the force's magnitude, in units of which 10000 is full force "
                 "on an axis (so up to 14142 on a diagonal)\n"
                 "start, stop: when the object was first seen playing, and then stopped "
                 "(-: not within the path)\n";
    const bool plotted = !scripts.empty() && draw_plots(o.gnuplot, folder, scripts);
    std::cout << "files in " << folder.string() << ": per object NN-NAME.csv (samples)";
    if (plotted)
        std::cout << ", NN-NAME.png (plot), NN-NAME-field.png (field map, position-dependent "
                     "effects)";
    std::cout << "\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const play::Command command = play::parse_command_line(std::vector<std::string>(argv + 1, argv + argc));
    switch (command.kind) {
    case play::Command::Help:
        std::cout << play::kHelp;
        return 0;
    case play::Command::Version:
        std::cout << "tkl-play " TKL_VERSION "\n";
        return 0;
    case play::Command::Usage:
        std::cerr << play::kUsage;
        if (!command.error.empty())
            std::cerr << "tkl-play: " << command.error << "\n";
        return 2;
    case play::Command::Play:
        break;
    }
    try {
        return run(command.options);
    } catch (const std::exception& e) {
        std::cerr << "tkl-play: " << e.what() << "\n";
        return 1;
    }
}
