// The scripted pointer paths and path files.
#include "tools/tkl-play/pointerpath.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

play::PathPlan plan(const char* shape, double duration = 2, double rate = 1000) {
    play::PathPlan s;
    s.shape = shape;
    s.duration = duration;
    s.rate = rate;
    return s;
}

TEST(PointerPath, SamplesCoverTheDurationWithBothEnds) {
    const auto path = play::make_path(plan("still", 0.5, 100));
    ASSERT_EQ(path.size(), 51u);
    EXPECT_DOUBLE_EQ(path.back().t, 0.5);
    for (const auto& p : path) {
        EXPECT_EQ(p.x, 512);
        EXPECT_EQ(p.y, 384);
        EXPECT_EQ(p.vx, 0);
        EXPECT_EQ(p.ax, 0);
    }
}

TEST(PointerPath, LineCrossesTheMiddleAtOneSpeedEvenAtItsEnds) {
    const auto path = play::make_path(plan("line"));
    EXPECT_DOUBLE_EQ(path.front().x, 128);
    EXPECT_DOUBLE_EQ(path.back().x, 896);
    for (const auto& p : {path.front(), path[1000], path.back()}) {
        EXPECT_DOUBLE_EQ(p.y, 384);
        EXPECT_NEAR(p.vx, 384, 1e-6);  // 768 px in 2 s
        EXPECT_NEAR(p.vy, 0, 1e-9);
        EXPECT_NEAR(p.ax, 0, 1e-3);
    }
}

TEST(PointerPath, CircleTurnsClockwiseOnTheScreenFromTheTop) {
    const auto path = play::make_path(plan("circle", 4));
    const double r = 256, speed = 2 * 3.14159265358979 * r / 4;
    EXPECT_NEAR(path[0].x, 512, 1e-9);
    EXPECT_NEAR(path[0].y, 128, 1e-9);
    EXPECT_NEAR(path[0].vx, speed, 0.01);  // moving right at the top: clockwise, y down
    EXPECT_NEAR(path[1000].x, 768, 1e-9);  // a quarter turn later on the right
    EXPECT_NEAR(path[1000].ax, -speed * speed / r, 0.5);  // pulled toward the centre
    for (const auto& p : path)
        EXPECT_NEAR(std::hypot(p.x - 512, p.y - 384), r, 1e-9);
}

TEST(PointerPath, SweepStaysOnTheScreenAndMovesOnBothAxes) {
    const auto path = play::make_path(plan("sweep", 4));
    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9, maxAy = 0;
    for (const auto& p : path) {
        minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
        maxAy = std::max(maxAy, std::fabs(p.ay));
    }
    EXPECT_GE(minX, 0);
    EXPECT_LT(maxX, 1024);
    EXPECT_GE(minY, 0);
    EXPECT_LT(maxY, 768);
    EXPECT_GT(maxX - minX, 900);
    EXPECT_GT(maxY - minY, 600);
    EXPECT_GT(maxAy, 1000);  // an inertia along y has something to feel
}

TEST(PointerPath, PressHoldsTheButtonFromItsStartToItsEnd) {
    play::PathPlan s = plan("still", 1, 10);
    s.pressFrom = 0.3;
    s.pressTo = 0.6;
    s.button = 2;
    const auto path = play::make_path(s);
    for (const auto& p : path)
        EXPECT_EQ(p.buttons, (p.t >= 0.3 - 1e-9 && p.t < 0.6 - 1e-9) ? 4u : 0u) << "at " << p.t;
    s.pressTo = -1;  // held to the end
    EXPECT_EQ(play::make_path(s).back().buttons, 4u);
}

TEST(PointerPath, FileIsFollowedLinearlyWithItsButtons) {
    play::PathPlan s = plan("file", 3, 10);
    s.waypoints = play::parse_path_text(
        "time_s,x,y,buttons\n"
        "# a comment line\n"
        "0, 100, 100\n"
        "1, 300, 100, 1   # pressed here\n"
        "2, 300, 500, 0\n");
    const auto path = play::make_path(s);
    ASSERT_EQ(path.size(), 31u);
    EXPECT_DOUBLE_EQ(path[5].x, 200);
    EXPECT_NEAR(path[5].vx, 200, 1e-6);
    EXPECT_EQ(path[5].buttons, 0u);
    EXPECT_DOUBLE_EQ(path[15].y, 300);
    EXPECT_EQ(path[15].buttons, 1u);
    EXPECT_EQ(path[25].buttons, 0u);
    EXPECT_DOUBLE_EQ(path[30].y, 500);  // held at the last point
    EXPECT_EQ(path[30].vy, 0);
}

TEST(PointerPath, BadFilesNameTheLineAtFault) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"", "no points"},
        {"# nothing but a comment\n", "no points"},
        {"0,1,2\n0,3,4\n", "line 2: time does not increase"},
        {"0,1,2\n2,3,4\n1,5,6\n", "line 3: time does not increase"},
        {"-1,1,2\n", "line 1: negative time"},
        {"0,1\n", "line 1: expected time_s,x,y[,buttons]"},
        {"0,1,x\n", "line 1: expected time_s,x,y[,buttons]"},
        {"0,1,2\nt,x,y\n", "line 2: expected time_s,x,y[,buttons]"},
        {"0,1,2,1.5\n", "line 1: buttons: expected a whole bit mask"},
        {"0,1,2,-1\n", "line 1: buttons: expected a whole bit mask"},
        {"0,1,2,3,4\n", "line 1: more than four fields"},
        {"0,nan,2\n", "line 1: expected time_s,x,y[,buttons]"},
    };
    for (const auto& c : cases) {
        try {
            play::parse_path_text(c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const play::PathError& e) {
            EXPECT_STREQ(e.what(), c.message) << "for: " << c.text;
        }
    }
    EXPECT_THROW(play::read_path_file(TKL_PLAY_WORK "/no-such-path.csv"), play::PathError);
}

}  // namespace
