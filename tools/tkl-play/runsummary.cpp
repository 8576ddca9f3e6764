#include "tools/tkl-play/runsummary.h"

#include "tools/tkl-play/effectkindnames.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace play {
namespace {

std::string figure(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.0f", value);
    return text;
}

std::string milliseconds(double seconds) {
    if (seconds < 0)
        return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.0f", seconds * 1000);
    return text;
}

std::string pad(const std::string& text, size_t width, bool right) {
    if (text.size() >= width)
        return text;
    const std::string fill(width - text.size(), ' ');
    return right ? fill + text : text + fill;
}

// Names longer than this are cut in the table, so that one long name cannot push every row
// off the screen; the files keep the whole name.
const size_t kNameColumn = 40;

std::string table_name(const std::string& name) {
    if (name.size() <= kNameColumn)
        return name;
    size_t cut = kNameColumn - 3;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
        --cut;  // not inside a UTF-8 character
    return name.substr(0, cut) + "...";
}

}  // namespace

ForceFigures force_figures(const std::vector<Sample>& samples) {
    ForceFigures f;
    double sum = 0;
    for (const Sample& s : samples) {
        const double squared = double(s.fx) * s.fx + double(s.fy) * s.fy;
        sum += squared;
        f.peak = std::max(f.peak, std::sqrt(squared));
    }
    if (!samples.empty())
        f.rms = std::sqrt(sum / double(samples.size()));
    return f;
}

std::string describe_kinds(const std::vector<GUID>& kinds) {
    std::vector<std::string> names;
    std::vector<int> counts;
    for (const GUID& kind : kinds) {
        const std::string name = kind_name(kind);
        const auto at = std::find(names.begin(), names.end(), name);
        if (at == names.end()) {
            names.push_back(name);
            counts.push_back(1);
        } else {
            ++counts[size_t(at - names.begin())];
        }
    }
    std::string text = std::to_string(kinds.size()) + (kinds.empty() ? "" : ":");
    for (size_t i = 0; i < names.size(); ++i)
        text += (i ? ", " : " ") + (counts[i] > 1 ? std::to_string(counts[i]) + " " : "") +
                names[i];
    return text;
}

void print_table(std::ostream& out, const std::vector<ObjectInfo>& objects,
                 const std::vector<ObjectRun>& runs) {
    size_t nameWidth = 6;
    for (const ObjectInfo& object : objects)
        nameWidth = std::max(nameWidth, std::min(object.name.size(), kNameColumn));
    out << pad("object", nameWidth, false) << "  " << pad("peak", 6, true) << "  "
        << pad("RMS", 6, true) << "  " << pad("start ms", 8, true) << "  "
        << pad("stop ms", 8, true) << "  effects\n";
    for (size_t i = 0; i < objects.size() && i < runs.size(); ++i) {
        const ObjectRun& run = runs[i];
        std::string peak = "-", rms = "-";
        if (run.forcesRead) {
            const ForceFigures f = force_figures(run.samples);
            peak = figure(f.peak);
            rms = figure(f.rms);
        }
        out << pad(table_name(objects[i].name), nameWidth, false) << "  " << pad(peak, 6, true) << "  "
            << pad(rms, 6, true) << "  " << pad(milliseconds(run.started), 8, true) << "  "
            << pad(milliseconds(run.stopped), 8, true) << "  " << describe_kinds(objects[i].kinds);
        if (!run.note.empty())
            out << "; " << run.note;
        out << "\n";
    }
}

}  // namespace play
