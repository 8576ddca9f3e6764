#include "tools/tkl-play/outputfiles.h"

#include <cmath>
#include <cstdio>
#include <fstream>

namespace play {
namespace {

const size_t kMaxNameLength = 48;

}  // namespace

std::string file_stem(int index, const std::string& name) {
    std::string slug;
    for (char c : name) {
        if (slug.size() >= kMaxNameLength)
            break;
        if (c >= 'A' && c <= 'Z')
            slug += char(c - 'A' + 'a');
        else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            slug += c;
        else if (!slug.empty() && slug.back() != '-')
            slug += '-';
    }
    while (!slug.empty() && slug.back() == '-')
        slug.pop_back();
    if (slug.empty())
        slug = "object";
    char number[16];
    std::snprintf(number, sizeof number, "%02d-", index + 1);
    return number + slug;
}

std::string samples_csv(const ObjectRun& run) {
    std::string out = "time_ms,pointer_x,pointer_y,buttons,force_x,force_y,magnitude,playing\n";
    out.reserve(out.size() + run.samples.size() * 40);
    char line[160];
    for (const Sample& s : run.samples) {
        const double magnitude = std::sqrt(double(s.fx) * s.fx + double(s.fy) * s.fy);
        std::snprintf(line, sizeof line, "%.3f,%ld,%ld,%u,%ld,%ld,%.1f,%u\n", s.t * 1000, s.x,
                      s.y, s.buttons, s.fx, s.fy, magnitude, s.playing);
        out += line;
    }
    return out;
}

std::string field_csv(const FieldMap& map) {
    std::string out = "x,y,force_x,force_y,magnitude\n";
    out.reserve(out.size() + map.fx.size() * 24 + map.rows);
    char line[128];
    for (unsigned row = 0; row < map.rows; ++row) {
        for (unsigned column = 0; column < map.columns; ++column) {
            const size_t i = size_t(row) * map.columns + column;
            const double magnitude =
                std::sqrt(double(map.fx[i]) * map.fx[i] + double(map.fy[i]) * map.fy[i]);
            std::snprintf(line, sizeof line, "%u,%u,%ld,%ld,%.1f\n",
                          column * map.step + map.step / 2, row * map.step + map.step / 2,
                          map.fx[i], map.fy[i], magnitude);
            out += line;
        }
        out += "\n";
    }
    return out;
}

namespace {

bool write_text(const std::string& file, const std::string& text) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    return bool(out.write(text.data(), std::streamsize(text.size())).flush());
}

}  // namespace

bool write_samples_csv(const std::string& file, const ObjectRun& run) {
    return write_text(file, samples_csv(run));
}

bool write_field_csv(const std::string& file, const FieldMap& map) {
    return write_text(file, field_csv(map));
}

}  // namespace play
