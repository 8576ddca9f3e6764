// The sample projects as both builds make them: built by tvx from their JSON sources at build
// time (a cross build runs its own native tvx) and loaded by the library from a file.
#include "tests/project/projecttest.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace projecttest;

std::string sample(const char* stem) { return std::string(TKL_SAMPLE_PROJECTS) + "/" + stem + ".tvx"; }

TEST(SampleProjects, LoadFromTheirFiles) {
    Project showcase(TVXLoadProjectFile(sample("showcase").c_str(), nullptr));
    ASSERT_TRUE(showcase) << sample("showcase");
    EXPECT_STREQ(TVXGetObjectNameByIndex(showcase.get(), 0), "Centering Spring");

    // A compound of compounds flattens into the effects of every object it holds.
    Effects crash(showcase.get(), "Crash");
    // Rough Terrain (Gravel's two textures, Syrup, Turbulence), Engine Hum, Centering Spring,
    // Alarm and Click.
    EXPECT_EQ(crash.count(), 8);

    Project desktop(TVXLoadProjectFile(sample("desktop").c_str(), nullptr));
    EXPECT_TRUE(desktop) << sample("desktop");
}

}  // namespace
