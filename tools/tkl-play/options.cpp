#include "tools/tkl-play/options.h"

#include <cmath>
#include <cstdlib>

namespace play {

const char kUsage[] = "usage: tkl-play PROJECT.tvx [OBJECT...] [OPTION...]   (--help for more)\n";

const char kHelp[] =
    "usage: tkl-play PROJECT.tvx [OBJECT...] [OPTION...]\n"
    "       tkl-play --help | --version\n"
    "\n"
    "Plays project objects (every object when none is named) on the software force mouse,\n"
    "moves its pointer along a scripted path and records the force a hand would feel. One\n"
    "object plays at a time: its project is opened, the object started, the path played and\n"
    "the project closed again, so every object has the whole device to itself.\n"
    "\n"
    "For each object it writes to the output folder, under a name made from the object's\n"
    "position and name: NAME.csv (the samples), NAME.png (force and pointer over time) and,\n"
    "for objects with position-dependent effects (springs and walls, textures, grids,\n"
    "enclosures, ellipses), NAME-field.csv and NAME-field.png (the force of those effects\n"
    "over the screen with the pointer at rest), with the gnuplot scripts NAME.gp that draw\n"
    "them. It prints a table: each object's effects, peak and RMS force magnitude, and when\n"
    "it started and stopped playing. An object the device refuses is reported in the table\n"
    "and does not change the exit status.\n"
    "\n"
    "options:\n"
    "  -o, --output DIR    output folder (default: tkl-play-out/PROJECT under the current one)\n"
    "  --path PATH         still | line | circle | sweep (default) | FILE.csv\n"
    "                        still: the screen's centre; line: across the middle, left to\n"
    "                        right; circle: a clockwise turn around the centre; sweep: twice\n"
    "                        across and back, three times up and down (a figure that covers\n"
    "                        the screen);\n"
    "                        FILE.csv: lines of time_s,x,y[,buttons] (pixels; buttons a bit\n"
    "                        mask), times increasing, followed linearly; '#' starts a comment\n"
    "  --duration SECONDS  length of the path (default 2; a path file: its last time)\n"
    "  --rate HZ           samples per second (default 1000)\n"
    "  --press FROM[:TO]   hold the trigger button from FROM to TO seconds (default: to the end)\n"
    "  --button N          the button --press holds (default 0)\n"
    "  --map-step PIXELS   spacing of the field map's samples (default 4)\n"
    "  --device            play on whichever device the library opens (the force mouse, else\n"
    "                      a DirectInput device); forces are read only from a software device\n"
    "                      (on Linux a hardware device comes first, when there is one)\n"
    "  --gnuplot PROGRAM   the plotting program (default gnuplot)\n"
    "  --no-plots          write no plots or scripts\n"
    "\n"
    "Forces are in device units, 10000 being full force; x pushes right, y pushes down.\n"
    "Exit status: 0 when every object was played or reported, 1 on a failure (a missing or\n"
    "malformed project, an unknown object, a bad path file, no device), 2 on a usage error.\n";

namespace {

bool parse_number(const std::string& text, double& out) {
    if (text.empty())
        return false;
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return *end == '\0' && std::isfinite(out);
}

// FROM[:TO] in seconds.
bool parse_press(const std::string& text, Options& options) {
    const size_t colon = text.find(':');
    if (!parse_number(text.substr(0, colon), options.pressFrom) || options.pressFrom < 0)
        return false;
    if (colon == std::string::npos) {
        options.pressTo = -1;
        return true;
    }
    return parse_number(text.substr(colon + 1), options.pressTo) &&
           options.pressTo > options.pressFrom;
}

Command usage(const std::string& error) {
    Command command;
    command.kind = Command::Usage;
    command.error = error;
    return command;
}

}  // namespace

Command parse_command_line(const std::vector<std::string>& args) {
    if (args.size() == 1 && args[0] == "--help") {
        Command command;
        command.kind = Command::Help;
        return command;
    }
    if (args.size() == 1 && args[0] == "--version") {
        Command command;
        command.kind = Command::Version;
        return command;
    }
    Command command;
    command.kind = Command::Play;
    Options& o = command.options;
    std::vector<std::string> positional;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 2 || arg[0] != '-') {
            positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            positional.insert(positional.end(), args.begin() + long(i) + 1, args.end());
            break;
        }
        if (arg == "--device") {
            o.anyDevice = true;
            continue;
        }
        if (arg == "--no-plots") {
            o.plots = false;
            continue;
        }
        const bool takesValue = arg == "-o" || arg == "--output" || arg == "--path" ||
                                arg == "--duration" || arg == "--rate" || arg == "--press" ||
                                arg == "--button" || arg == "--map-step" || arg == "--gnuplot";
        if (!takesValue)
            return usage("unknown option " + arg);
        if (i + 1 >= args.size())
            return usage(arg + " needs a value");
        const std::string& value = args[++i];
        double number = 0;
        if (arg == "-o" || arg == "--output") {
            o.output = value;
        } else if (arg == "--path") {
            o.path = value;
        } else if (arg == "--gnuplot") {
            o.gnuplot = value;
        } else if (arg == "--press") {
            if (!parse_press(value, o))
                return usage("--press: expected FROM[:TO] in seconds, TO after FROM: " + value);
        } else if (!parse_number(value, number)) {
            return usage(arg + ": not a number: " + value);
        } else if (arg == "--duration") {
            if (number <= 0 || number > 3600)
                return usage("--duration: expected 0 < SECONDS <= 3600: " + value);
            o.duration = number;
            o.durationGiven = true;
        } else if (arg == "--rate") {
            if (number < 1 || number > 100000)
                return usage("--rate: expected 1 <= HZ <= 100000: " + value);
            o.rate = number;
        } else if (arg == "--button") {
            if (number < 0 || number > 31 || number != std::floor(number))
                return usage("--button: expected a button number 0..31: " + value);
            o.button = unsigned(number);
        } else if (arg == "--map-step") {
            if (number < 1 || number > 512 || number != std::floor(number))
                return usage("--map-step: expected 1..512 pixels: " + value);
            o.mapStep = unsigned(number);
        }
    }
    if (positional.empty())
        return usage(args.empty() ? "" : "no project named");
    o.project = positional[0];
    o.objects.assign(positional.begin() + 1, positional.end());
    if (o.duration * o.rate > 1e7)
        return usage("--duration times --rate: at most 10 million samples");
    return command;
}

}  // namespace play
