#include "tools/tkl-play/plotscript.h"

#include "tools/tkl-play/runsummary.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace play {
namespace {

// Time plot: forces above (the larger panel), the pointer below.
void time_plot(std::ostringstream& s, const std::string& stem, const PlotContext& c,
               const ObjectRun& run) {
    const double end = run.samples.empty() ? 1 : std::max(run.samples.back().t * 1000, 1.0);
    const std::string data = gnuplot_string(stem + ".csv");
    s << "set output " << gnuplot_string(stem + ".png") << "\n"
      << "set multiplot title " << gnuplot_string(c.object + " (" + c.kinds + ")") << "\n"
      << "set xrange [0:" << end << "]\n"
      << "set xlabel 'time (ms)'\n"
      << "set grid\n"
      << "set key outside right top vertical\n"
      << "set lmargin 12\nset rmargin 30\n"
      // Forces panel.
      << "set origin 0,0.36\nset size 1,0.6\n"
      << "set title " << gnuplot_string("force on the pointer, " + c.device) << "\n"
      << "set ylabel 'force (units; 10000 = full)'\n"
      << "set xzeroaxis lt -1 lw 1\n";
    if (run.started >= 0)
        s << "set arrow 1 from " << run.started * 1000 << ", graph 0 to " << run.started * 1000
          << ", graph 1 nohead dt 2 lc 'dark-green'\n"
          << "set label 1 'starts' at " << run.started * 1000
          << ", graph 1 offset 0.5,-1 tc 'dark-green'\n";
    if (run.stopped >= 0)
        s << "set arrow 2 from " << run.stopped * 1000 << ", graph 0 to " << run.stopped * 1000
          << ", graph 1 nohead dt 2 lc 'dark-red'\n"
          << "set label 2 'stops' at " << run.stopped * 1000
          << ", graph 1 offset 0.5,-2 tc 'dark-red'\n";
    // The magnitude goes underneath, so that a component equal to it still shows.
    s << "set offsets graph 0, graph 0, graph 0.08, graph 0.08\n"
      << "plot " << data << " using 1:7 with lines lw 4 lc rgb '#b8b8b8' title 'magnitude', \\\n"
      << "     '' using 1:5 with lines lw 1.5 lc rgb '#1f77b4' title 'x (+ pushes right)', \\\n"
      << "     '' using 1:6 with lines lw 1.5 lc rgb '#d62728' title 'y (+ pushes down)'\n"
      << "unset arrow\nunset label\nunset xzeroaxis\nset offsets 0, 0, 0, 0\n"
      // Pointer panel.
      << "set origin 0,0\nset size 1,0.36\n"
      << "set title " << gnuplot_string("pointer path: " + c.path) << "\n"
      << "set ylabel 'position (px)'\n"
      << "set yrange [0:" << std::max(c.width, c.height) << "]\n"
      << "plot " << data << " using 1:2 with lines lw 1.5 lc rgb '#1f77b4' title 'x (px from left)', \\\n"
      << "     '' using 1:3 with lines lw 1.5 lc rgb '#d62728' title 'y (px from top)'";
    if (std::any_of(run.samples.begin(), run.samples.end(), [](const Sample& x) { return x.buttons != 0; }))
        s << ", \\\n     '' using 1:($4 != 0 ? " << std::max(c.width, c.height) * 0.97
          << " : 1/0) with points pt 7 ps 0.3 lc rgb 'dark-orange' title 'button held'";
    s << "\nunset multiplot\nunset title\nset origin 0,0\nset size 1,1\nset autoscale\n"
      << "unset lmargin\nunset rmargin\n";
}

// Whether more than one in twenty pairs of neighbouring cells push in opposite directions.
bool turns_often(const FieldMap& map) {
    size_t pairs = 0, opposed = 0;
    auto compare = [&](size_t a, size_t b) {
        const double dot = double(map.fx[a]) * map.fx[b] + double(map.fy[a]) * map.fy[b];
        ++pairs;
        opposed += dot < 0 ? 1 : 0;
    };
    for (unsigned row = 0; row < map.rows; ++row)
        for (unsigned column = 0; column < map.columns; ++column) {
            const size_t i = size_t(row) * map.columns + column;
            if (column + 1 < map.columns)
                compare(i, i + 1);
            if (row + 1 < map.rows)
                compare(i, i + map.columns);
        }
    return opposed * 20 > pairs;
}

// Field map: the magnitude as an image, arrows on a coarser grid, the path on top; screen
// y grows downward, as on the screen.
void field_plot(std::ostringstream& s, const std::string& stem, const PlotContext& c,
                const ObjectRun& run) {
    const FieldMap& map = run.map;
    double peak = 0;
    for (size_t i = 0; i < map.fx.size(); ++i)
        peak = std::max(peak, std::sqrt(double(map.fx[i]) * map.fx[i] + double(map.fy[i]) * map.fy[i]));
    // About 16 arrows across, each at most 90 % of their spacing; none where the field turns
    // round between neighbouring cells (a texture's ridges), as arrows would alias.
    const unsigned every = std::max(1u, unsigned(std::lround(c.width / 16 / map.step)));
    const double spacing = double(every * map.step);
    const double scale = peak > 0 ? spacing * 0.9 / peak : 0;
    const bool arrows = peak > 0 && !turns_often(map);
    std::string mapped;
    for (size_t i = 0; i < map.kinds.size(); ++i)
        mapped += (i ? ", " : "") + map.kinds[i];
    s << "set output " << gnuplot_string(stem + "-field.png") << "\n"
      << "set title " << gnuplot_string(c.object + ": force of its " + mapped +
                                        " effects over the screen, pointer at rest" +
                                        (peak > 0 ? "" : " (no force anywhere)") +
                                        (peak > 0 && !arrows ? " (direction changes every few pixels: no arrows)" : "")) << "\n"
      << "set xlabel 'screen x (px, grows rightward)'\n"
      << "set ylabel 'screen y (px, grows downward)'\n"
      << "set xrange [0:" << c.width << "]\n"
      << "set yrange [" << c.height << ":0]\n"
      << "set size ratio -1\n"
      << "set cblabel 'force magnitude (units; 10000 = full)'\n"
      << "set cbrange [0:" << std::max(peak, 1.0) << "]\n"
      << "set palette defined (0 '#ffffff', 1 '#fee8c8', 2 '#fdbb84', 3 '#e34a33', 4 '#7f0000')\n"
      << "set key below horizontal\n"
      << "unset grid\n"
      << "plot " << gnuplot_string(stem + "-field.csv") << " using 1:2:5 with image notitle";
    if (arrows)
        s << ", \\\n     '' every " << every << ":" << every << " using 1:2:($3*" << scale
          << "):($4*" << scale << ") with vectors head size 5,20 filled lc rgb '#303030' "
          << "title 'force direction (length: magnitude)'";
    s << ", \\\n     " << gnuplot_string(stem + ".csv")
      << " using 2:3 with lines lw 1.5 lc rgb '#1f77b4' title 'pointer path'\n"
      << "set size noratio\nunset xrange\nunset yrange\nunset cbrange\nset autoscale\n";
}

}  // namespace

std::string gnuplot_string(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "''";
        else if (static_cast<unsigned char>(c) >= 0x20)
            quoted += c;
    }
    return quoted + "'";
}

std::string plot_script(const std::string& stem, const PlotContext& context,
                        const ObjectRun& run) {
    std::ostringstream s;
    s << "# Draws " << stem << ".png" << (run.hasMap ? " and " + stem + "-field.png" : "")
      << " from tkl-play's CSV files; run in this folder: gnuplot " << stem << ".gp\n"
      << "set terminal pngcairo size 1200,800 font 'sans,10' noenhanced\n"
      << "set datafile separator comma\n"
      << "set datafile columnheaders\n";
    time_plot(s, stem, context, run);
    if (run.hasMap) {
        s << "set terminal pngcairo size 1100,900 font 'sans,10' noenhanced\n";
        field_plot(s, stem, context, run);
    }
    s << "set output\n";
    return s.str();
}

}  // namespace play
