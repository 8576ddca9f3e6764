// tkl-play itself, run on the sample projects: the forces it records against values worked
// out by hand from the force laws, and its failures.
#include "tools/tkl-play/process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const std::string kShowcase = TKL_SAMPLE_PROJECTS "/showcase.tvx";

struct Result {
    int status;
    std::string out, err;
};

std::string read_text(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    std::string s = text.str();
    s.erase(std::remove(s.begin(), s.end(), '\r'), s.end());
    return s;
}

// One sample line of a CSV the tool wrote.
struct Row {
    double ms;
    long x, y, fx, fy;
    unsigned playing;
};

std::vector<Row> read_samples(const fs::path& file) {
    std::vector<Row> rows;
    std::istringstream lines(read_text(file));
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "time_ms,pointer_x,pointer_y,buttons,force_x,force_y,magnitude,playing");
    while (std::getline(lines, line)) {
        Row r;
        unsigned buttons;
        double magnitude;
        if (std::sscanf(line.c_str(), "%lf,%ld,%ld,%u,%ld,%ld,%lf,%u", &r.ms, &r.x, &r.y,
                        &buttons, &r.fx, &r.fy, &magnitude, &r.playing) == 8)
            rows.push_back(r);
    }
    return rows;
}

class PlayTool : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::u8path(TKL_PLAY_WORK) / info->name();
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }

    Result run(std::vector<std::string> args) {
        const std::string out = (dir_ / "stdout.txt").string(), err = (dir_ / "stderr.txt").string();
        Result r;
        r.status = play::run_program(TKL_PLAY_TOOL, args, {std::string(), out, err});
        r.out = read_text(out);
        r.err = read_text(err);
        return r;
    }

    std::string output() const { return (dir_ / "out").string(); }

    fs::path dir_;
};

TEST_F(PlayTool, LinePathForcesMatchTheForceLaws) {
    const Result r = run({kShowcase, "Centering Spring", "Syrup", "Push Right", "--path", "line",
                          "--duration", "2", "-o", output(), "--no-plots"});
    ASSERT_EQ(r.status, 0) << r.err;
    // The line runs from x 128 to 896 along y 384 at 384 px/s; a 1024 x 768 screen makes
    // k = 20000 / 1024 = 19.53125 units per pixel.
    // Spring: offset 512, dead band 20, coefficient 6000: 364 px past the band at each end,
    // 6000 * 364 * k / 10000 = 4265.6, pulling back toward the middle.
    const auto spring = read_samples(fs::u8path(output()) / "01-centering-spring.csv");
    ASSERT_EQ(spring.size(), 2001u);
    EXPECT_EQ(spring.front().x, 128);
    EXPECT_EQ(spring.front().fx, 4266);
    EXPECT_EQ(spring.back().x, 896);
    EXPECT_EQ(spring.back().fx, -4266);
    for (const Row& row : spring) {
        EXPECT_EQ(row.fy, 0) << row.ms;  // on the y offset
        if (row.x >= 492 && row.x <= 532) {
            EXPECT_EQ(row.fx, 0) << "inside the dead band at " << row.x;
        }
    }
    // Damper, coefficient 7000: 384 px/s is 7500 units/s, 7000 * 7500 / 10000 = 5250
    // against the motion, the whole way.
    for (const Row& row : read_samples(fs::u8path(output()) / "03-syrup.csv")) {
        EXPECT_EQ(row.fx, -5250) << row.ms;
        EXPECT_EQ(row.fy, 0) << row.ms;
    }
    // Constant 6000 from the west (pushes right) for 400 ms: attack from 0 over 50 ms, fade
    // to 0 over the last 150 ms.
    const auto push = read_samples(fs::u8path(output()) / "10-push-right.csv");
    long peak = 0;
    for (const Row& row : push) {
        peak = std::max(peak, row.fx);
        EXPECT_EQ(row.fy, 0);
        EXPECT_EQ(row.playing != 0, row.ms < 400) << row.ms;
    }
    EXPECT_EQ(peak, 6000);
    EXPECT_EQ(push[25].fx, 3000);   // half way up the attack
    EXPECT_EQ(push[100].fx, 6000);  // sustained
    EXPECT_EQ(push[325].fx, 3000);  // half way down the fade
    // The table: peak and RMS magnitude, start and stop. The push's RMS over the 2001 samples,
    // 1 ms apart: 6000 * sqrt((16.17 + 200 + 50.50) / 2001) = 2190.4 (the attack's and the
    // fade's sums of squared fractions, then the sustain's 200 ms).
    EXPECT_NE(r.out.find("Centering Spring    4266"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Syrup               5250    5250         0         -  1: damper"),
              std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Push Right          6000    2190         0       400  1: constant force"),
              std::string::npos) << r.out;
}

// The field map: one row per cell of the screen, at the cell's centre, with the force the
// spring's law gives there (the pointer at rest): each axis on its own record, k = 20000 over
// the screen's extent on that axis, halves away from zero.
TEST_F(PlayTool, FieldCsvHoldsCellCentresAndTheSpringLaw) {
    const Result r = run({kShowcase, "Centering Spring", "--path", "still", "--duration", "0.01",
                          "--map-step", "128", "-o", output(), "--no-plots"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto law = [](long q, long offset, long deadBand, long coefficient, double size) {
        const long past = q > offset + deadBand   ? q - (offset + deadBand)
                          : q < offset - deadBand ? q - (offset - deadBand)
                                                  : 0;
        return -std::lround(coefficient * past * (20000.0 / size) / 10000);
    };
    std::istringstream lines(read_text(fs::u8path(output()) / "01-centering-spring-field.csv"));
    std::string line;
    ASSERT_TRUE(std::getline(lines, line));
    EXPECT_EQ(line, "x,y,force_x,force_y,magnitude");
    unsigned cells = 0;
    for (long y = 64; y < 768; y += 128) {
        for (long x = 64; x < 1024; x += 128) {
            ASSERT_TRUE(std::getline(lines, line)) << "cell " << cells;
            const long fx = law(x, 512, 20, 6000, 1024), fy = law(y, 384, 20, 4000, 768);
            char expected[96];
            std::snprintf(expected, sizeof expected, "%ld,%ld,%ld,%ld,%.1f", x, y, fx, fy,
                          std::sqrt(double(fx) * fx + double(fy) * fy));
            EXPECT_EQ(line, expected);
            ++cells;
        }
        ASSERT_TRUE(std::getline(lines, line));
        EXPECT_EQ(line, "") << "a blank line after each row";
    }
    EXPECT_FALSE(std::getline(lines, line)) << "more than " << cells << " cells: " << line;
}

TEST_F(PlayTool, EveryObjectOfTheShowcasePlaysOneAtATime) {
    // More effects than the device holds at once: each object must find the device empty.
    const Result r = run({kShowcase, "--path", "still", "--duration", "0.02", "--map-step", "128",
                          "-o", output(), "--no-plots"});
    ASSERT_EQ(r.status, 0) << r.err;
    size_t lines = 0, refused = 0;
    std::istringstream table(r.out);
    for (std::string line; std::getline(table, line);) {
        lines += line.find("  1: ") != std::string::npos || line.find(": 2 ") != std::string::npos;
        if (line.find("not played") != std::string::npos) {
            ++refused;
            EXPECT_EQ(line.rfind("Recorded Bump", 0), 0u) << line;
            EXPECT_NE(line.find("custom force without samples"), std::string::npos) << line;
        }
    }
    EXPECT_EQ(refused, 1u) << r.out;
    EXPECT_FALSE(fs::exists(fs::u8path(output()) / "20-recorded-bump.csv"));
    EXPECT_TRUE(fs::exists(fs::u8path(output()) / "24-crash.csv"));
    EXPECT_TRUE(fs::exists(fs::u8path(output()) / "01-centering-spring-field.csv"));
    EXPECT_FALSE(fs::exists(fs::u8path(output()) / "03-syrup-field.csv"));  // motion, not place
}

TEST_F(PlayTool, FailuresExitWithOneAndSayWhy) {
    const fs::path malformed = dir_ / "malformed.tvx";
    std::ofstream(malformed, std::ios::binary) << "not a project at all";
    const fs::path backwards = dir_ / "backwards.csv";
    std::ofstream(backwards, std::ios::binary) << "0,10,10\n1,20,20\n0.5,30,30\n";
    const std::string missing = (dir_ / "missing.tvx").string();
    const struct {
        std::vector<std::string> args;
        const char* says;
    } cases[] = {
        {{missing}, "cannot open"},
        {{malformed.string()}, "not a valid project"},
        {{kShowcase, "Centering Spring", "centering spring"}, "no object \"centering spring\""},
        {{kShowcase, "--path", (dir_ / "none.csv").string()}, "none.csv: cannot open"},
        {{kShowcase, "--path", backwards.string()}, "line 3: time does not increase"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"-o", output(), "--no-plots"});
        const Result r = run(args);
        EXPECT_EQ(r.status, 1) << c.says;
        EXPECT_EQ(r.out, "") << c.says;
        EXPECT_EQ(r.err.rfind("tkl-play: ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    }
    // Nothing was played, so nothing was written.
    EXPECT_FALSE(fs::exists(fs::u8path(output())));
    const Result usage = run({kShowcase, "--rate", "fast"});
    EXPECT_EQ(usage.status, 2);
    EXPECT_EQ(usage.err.rfind("usage: tkl-play ", 0), 0u) << usage.err;
}

TEST_F(PlayTool, WithoutThePlottingProgramItSaysSoAndWritesTheRest) {
    const Result r = run({kShowcase, "Hill", "--duration", "0.1", "--map-step", "64", "-o", output(),
                          "--gnuplot", (dir_ / "no-such-gnuplot").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("was not found: no plots"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("Hill "), std::string::npos);
    EXPECT_TRUE(fs::exists(fs::u8path(output()) / "02-hill.csv"));
    EXPECT_TRUE(fs::exists(fs::u8path(output()) / "02-hill-field.csv"));
    EXPECT_TRUE(fs::exists(fs::u8path(output()) / "02-hill.gp"));
    EXPECT_FALSE(fs::exists(fs::u8path(output()) / "02-hill.png"));
}

#if !defined(_WIN32)
// The plots themselves, where the build machine has gnuplot (packages.sh installs it).
TEST_F(PlayTool, DrawsPlotsAndFieldMapsWithGnuplot) {
    if (play::run_program("gnuplot", {"--version"}, {std::string(), play::kNullDevice, play::kNullDevice}) != 0)
        GTEST_SKIP() << "gnuplot is not installed";
    const Result r = run({kShowcase, "Left Edge", "Click", "--duration", "0.2", "--map-step", "32",
                          "-o", output()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    for (const char* png : {"06-left-edge.png", "06-left-edge-field.png", "11-click.png"}) {
        const std::string bytes = read_text(fs::u8path(output()) / png);
        EXPECT_EQ(bytes.substr(1, 3), "PNG") << png;
        EXPECT_GT(bytes.size(), 10000u) << png;
    }
    EXPECT_FALSE(fs::exists(fs::u8path(output()) / "11-click-field.png"));
}
#endif

}  // namespace
