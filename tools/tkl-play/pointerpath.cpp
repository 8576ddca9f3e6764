#include "tools/tkl-play/pointerpath.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace play {
namespace {

const double kPi = 3.14159265358979323846;

struct Position {
    double x, y;
};

// Linear between the waypoints, held before the first and after the last.
Position follow(const std::vector<Waypoint>& points, double t) {
    if (t <= points.front().t)
        return {points.front().x, points.front().y};
    if (t >= points.back().t)
        return {points.back().x, points.back().y};
    size_t i = 1;
    while (points[i].t < t)
        ++i;
    const Waypoint& a = points[i - 1];
    const Waypoint& b = points[i];
    const double f = (t - a.t) / (b.t - a.t);
    return {a.x + (b.x - a.x) * f, a.y + (b.y - a.y) * f};
}

unsigned file_buttons(const std::vector<Waypoint>& points, double t) {
    unsigned buttons = 0;
    for (const Waypoint& p : points) {
        if (p.t > t)
            break;
        buttons = p.buttons;
    }
    return buttons;
}

// The shapes are defined for every t, also beyond the duration, so that the differences at
// the ends see the same motion as everywhere else.
Position position(const PathPlan& s, double t) {
    const double w = s.width, h = s.height, f = t / s.duration;
    if (s.shape == "line")
        return {w / 8 + w * 3 / 4 * f, h / 2};
    if (s.shape == "circle") {
        const double r = h / 3;
        return {w / 2 + r * std::sin(2 * kPi * f), h / 2 - r * std::cos(2 * kPi * f)};
    }
    // Twice back and forth across, three times up and down: every region of the screen, with
    // motion on both axes.
    if (s.shape == "sweep")
        return {w / 2 - w * 0.48 * std::cos(2 * kPi * 2 * f), h / 2 + h * 0.42 * std::sin(2 * kPi * 3 * f)};
    if (s.shape == "file")
        return follow(s.waypoints, t);
    return {w / 2, h / 2};
}

bool read_number(std::istringstream& fields, double& out) {
    std::string field;
    if (!std::getline(fields, field, ','))
        return false;
    const size_t first = field.find_first_not_of(" \t\r");
    const size_t last = field.find_last_not_of(" \t\r");
    if (first == std::string::npos)
        return false;
    field = field.substr(first, last - first + 1);
    char* end = nullptr;
    out = std::strtod(field.c_str(), &end);
    return *end == '\0' && std::isfinite(out);
}

}  // namespace

std::vector<Waypoint> parse_path_text(const std::string& text) {
    std::vector<Waypoint> points;
    std::istringstream lines(text);
    std::string line;
    bool header = false;
    for (int number = 1; std::getline(lines, line); ++number) {
        const size_t comment = line.find('#');
        if (comment != std::string::npos)
            line.erase(comment);
        if (line.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        const std::string where = "line " + std::to_string(number) + ": ";
        // A line of column names may stand before the first point.
        const char first = line[line.find_first_not_of(" \t\r")];
        if (points.empty() && !header && std::isalpha(static_cast<unsigned char>(first))) {
            header = true;
            continue;
        }
        std::istringstream fields(line);
        Waypoint p = {0, 0, 0, 0};
        double buttons = 0;
        if (!read_number(fields, p.t) || !read_number(fields, p.x) || !read_number(fields, p.y))
            throw PathError(where + "expected time_s,x,y[,buttons]");
        if (fields.peek() != EOF) {
            if (!read_number(fields, buttons) || buttons < 0 || buttons > 0xFFFFFFFFu ||
                buttons != std::floor(buttons))
                throw PathError(where + "buttons: expected a whole bit mask");
            if (fields.peek() != EOF)
                throw PathError(where + "more than four fields");
        }
        p.buttons = unsigned(buttons);
        if (p.t < 0)
            throw PathError(where + "negative time");
        if (!points.empty() && p.t <= points.back().t)
            throw PathError(where + "time does not increase");
        points.push_back(p);
    }
    if (points.empty())
        throw PathError("no points");
    return points;
}

std::vector<Waypoint> read_path_file(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw PathError("cannot open");
    std::ostringstream text;
    text << in.rdbuf();
    return parse_path_text(text.str());
}

std::vector<PathPoint> make_path(const PathPlan& plan) {
    const double h = 1 / plan.rate;
    const size_t count = size_t(std::floor(plan.duration * plan.rate + 1e-9)) + 1;
    std::vector<PathPoint> path;
    path.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const double t = double(i) / plan.rate;
        const Position before = position(plan, t - h), at = position(plan, t),
                       after = position(plan, t + h);
        PathPoint p;
        p.t = t;
        p.x = at.x;
        p.y = at.y;
        p.vx = (after.x - before.x) / (2 * h);
        p.vy = (after.y - before.y) / (2 * h);
        p.ax = (after.x - 2 * at.x + before.x) / (h * h);
        p.ay = (after.y - 2 * at.y + before.y) / (h * h);
        p.buttons = plan.shape == "file" ? file_buttons(plan.waypoints, t) : 0;
        if (plan.pressFrom >= 0 && t >= plan.pressFrom && (plan.pressTo < 0 || t < plan.pressTo))
            p.buttons |= 1u << plan.button;
        path.push_back(p);
    }
    return path;
}

}  // namespace play
