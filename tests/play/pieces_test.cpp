// tkl-play's command line, file names, figures and plot scripts.
#include "tools/tkl-play/options.h"
#include "tools/tkl-play/outputfiles.h"
#include "tools/tkl-play/plotscript.h"
#include "tools/tkl-play/runsummary.h"

#include "tkl/effects/effectkinds.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace {

play::Command parse(std::vector<std::string> args) { return play::parse_command_line(args); }

TEST(PlayOptions, DefaultsAndValues) {
    const play::Command plain = parse({"p.tvx"});
    ASSERT_EQ(plain.kind, play::Command::Play);
    EXPECT_EQ(plain.options.path, "sweep");
    EXPECT_EQ(plain.options.rate, 1000);
    EXPECT_EQ(plain.options.duration, 2);
    EXPECT_TRUE(plain.options.objects.empty());

    const play::Command full = parse({"--path", "line", "p.tvx", "A", "--duration", "0.5", "B",
                                      "--rate", "250", "--press", "0.1:0.2", "--button", "1",
                                      "-o", "out", "--device", "--no-plots", "--", "-C"});
    ASSERT_EQ(full.kind, play::Command::Play) << full.error;
    const play::Options& o = full.options;
    EXPECT_EQ(o.project, "p.tvx");
    EXPECT_EQ(o.objects, (std::vector<std::string>{"A", "B", "-C"}));
    EXPECT_EQ(o.path, "line");
    EXPECT_EQ(o.duration, 0.5);
    EXPECT_TRUE(o.durationGiven);
    EXPECT_EQ(o.rate, 250);
    EXPECT_EQ(o.pressFrom, 0.1);
    EXPECT_EQ(o.pressTo, 0.2);
    EXPECT_EQ(o.button, 1u);
    EXPECT_EQ(o.output, "out");
    EXPECT_TRUE(o.anyDevice);
    EXPECT_FALSE(o.plots);
    EXPECT_EQ(parse({"--press", "1.5", "p.tvx"}).options.pressTo, -1);
}

TEST(PlayOptions, UsageErrors) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"--rate", "1000"},           // no project
        {"p.tvx", "--bogus"},
        {"p.tvx", "--rate"},          // no value
        {"p.tvx", "--rate", "fast"},
        {"p.tvx", "--rate", "0"},
        {"p.tvx", "--duration", "-1"},
        {"p.tvx", "--duration", "inf"},
        {"p.tvx", "--press", "2:1"},
        {"p.tvx", "--press", "-1"},
        {"p.tvx", "--button", "1.5"},
        {"p.tvx", "--map-step", "0"},
        {"p.tvx", "--duration", "3600", "--rate", "100000"},  // too many samples
        {"--help", "p.tvx"},
    };
    for (const auto& args : cases) {
        const play::Command command = parse(args);
        std::string joined;
        for (const auto& a : args)
            joined += a + " ";
        EXPECT_EQ(command.kind, play::Command::Usage) << joined;
        EXPECT_EQ(command.error.empty(), args.empty()) << joined;
    }
}

TEST(PlayFiles, StemsKeepNamesApartAndInsideTheFolder) {
    const struct {
        int index;
        const char* name;
        const char* stem;
    } cases[] = {
        {9, "Push Right", "10-push-right"},
        {0, "../../etc/passwd", "01-etc-passwd"},
        {1, "C:\\Windows\\win.ini", "02-c-windows-win-ini"},
        {2, "", "03-object"},
        {3, "***", "04-object"},
        {4, "CON", "05-con"},
        {5, "  Spaced  out  ", "06-spaced-out"},
        {6, "\xC3\x9C" "ber", "07-ber"},
        {119, "x", "120-x"},
        {0, "abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz", "01-abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuv"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(play::file_stem(c.index, c.name), c.stem) << c.name;
}

TEST(PlayFigures, PeakAndRms) {
    std::vector<play::Sample> samples = {
        {0, 0, 0, 0, 3000, -4000, 1}, {0.001, 0, 0, 0, -6000, 0, 1}, {0.002, 0, 0, 0, 0, 0, 0}};
    const play::ForceFigures f = play::force_figures(samples);
    EXPECT_DOUBLE_EQ(f.peak, 6000);
    EXPECT_NEAR(f.rms, std::sqrt((25e6 + 36e6) / 3), 1e-6);
    EXPECT_EQ(play::force_figures({}).peak, 0);
}

// Start and stop follow one rule on every road: first seen playing, then first seen stopped,
// even when the object plays again later (a trigger's repeat, a restart).
TEST(PlayFigures, StartIsFirstSeenPlayingAndStopFirstSeenStopped) {
    const struct {
        const char* what;
        std::vector<bool> playing;  // at t = 0, 1, 2, ...
        double started, stopped;
    } cases[] = {
        {"never plays", {false, false}, -1, -1},
        {"plays to the end", {false, true, true}, 1, -1},
        {"plays and stops", {true, true, false, false}, 0, 2},
        {"stops, then plays again", {false, true, false, true, true, false}, 1, 2},
    };
    for (const auto& c : cases) {
        play::ObjectRun run;
        for (size_t t = 0; t < c.playing.size(); ++t)
            play::observe_playing(run, double(t), c.playing[t]);
        EXPECT_EQ(run.started, c.started) << c.what;
        EXPECT_EQ(run.stopped, c.stopped) << c.what;
    }
}

// A long name is cut in the table (whole characters only), so the other columns stay in view.
TEST(PlayFigures, TableCutsLongNames) {
    const std::string longName(100000, 'n');
    const std::string accented = std::string(36, 'a') + "\xC3\x9C" "ber and more text";
    const std::vector<play::ObjectInfo> objects = {{0, longName, {}, false},
                                                   {1, accented, {}, false},
                                                   {2, "Short", {}, false}};
    std::ostringstream out;
    play::print_table(out, objects, std::vector<play::ObjectRun>(3));
    std::istringstream lines(out.str());
    std::vector<std::string> rows;
    for (std::string line; std::getline(lines, line);)
        rows.push_back(line);
    ASSERT_EQ(rows.size(), 4u);
    for (const std::string& row : rows)
        EXPECT_LT(row.size(), 100u) << row.substr(0, 100);
    EXPECT_EQ(rows[1].rfind(std::string(37, 'n') + "...  ", 0), 0u) << rows[1].substr(0, 60);
    EXPECT_EQ(rows[2].rfind(std::string(36, 'a') + "...   ", 0), 0u) << rows[2];
    EXPECT_EQ(rows[3].rfind("Short" + std::string(35, ' ') + "  ", 0), 0u) << rows[3];
}

TEST(PlayFigures, KindsAreCountedInFirstSeenOrder) {
    EXPECT_EQ(play::describe_kinds({}), "0");
    EXPECT_EQ(play::describe_kinds({GUID_Tactra_Texture, GUID_Tactra_Damper, GUID_Tactra_Texture}),
              "3: 2 texture, damper");
}

TEST(PlayPlots, ScriptsQuoteNamesAndDrawTheMapOnlyWhenThereIsOne) {
    EXPECT_EQ(play::gnuplot_string("it's\n\"x\""), "'it''s\"x\"'");
    play::ObjectRun run;
    run.forcesRead = true;
    run.samples = {{0, 10, 20, 0, 100, 0, 1}, {0.5, 11, 20, 0, 0, 0, 0}};
    run.started = 0;
    run.stopped = 0.5;
    play::PlotContext context;
    context.object = "Bob's spring";
    std::string script = play::plot_script("01-x", context, run);
    EXPECT_NE(script.find("set output '01-x.png'"), std::string::npos);
    EXPECT_NE(script.find("Bob''s spring"), std::string::npos);
    EXPECT_EQ(script.find("01-x-field"), std::string::npos);

    run.hasMap = true;
    run.map.step = 512;
    run.map.columns = 2;
    run.map.rows = 1;
    run.map.fx = {100, 100};
    run.map.fy = {0, 0};
    run.map.kinds = {"spring"};
    script = play::plot_script("01-x", context, run);
    EXPECT_NE(script.find("set output '01-x-field.png'"), std::string::npos);
    EXPECT_NE(script.find("set yrange [768:0]"), std::string::npos);  // y grows downward
    EXPECT_NE(script.find("with vectors"), std::string::npos);
    run.map.fx = {100, -100};  // turns round between neighbours: no arrows
    EXPECT_EQ(play::plot_script("01-x", context, run).find("with vectors"), std::string::npos);
}

}  // namespace
