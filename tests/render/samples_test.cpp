// The sample projects as a hand feels them on the force mouse: their objects' names say which
// way they push, and the forces agree (a direction names where a force comes from).
#include "tests/render/rendertest.h"
#include "tkl/tkl.h"

#include "sim/simclient.h"

#include <string>

namespace {

using rendertest::force;

class SampleProjects : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.ok());
        sim.reset();
        device = CTactraDevice::CreateDevice(GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(device, nullptr);
        ASSERT_EQ(device->GetDeviceType(), TKL_DEVICE_TYPE_MOUSE);
    }
    void TearDown() override {
        if (project)
            TVXReleaseProject(project);
        delete device;
    }
    void open(const char* file) {
        const std::string path = std::string(TKL_SAMPLE_PROJECTS) + "/" + file;
        project = TVXLoadProjectFile(path.c_str(), device->GetDevice());
        ASSERT_NE(project, nullptr) << path;
    }
    // The force of an object's effects, started together, `after` µs later with the pointer at
    // (x, y); a failure when the mouse refuses them.
    SimForce feel(const char* name, LONG x, LONG y, DWORD after) {
        int count = 0;
        ITactraEffect** effects = TVXCreateEffects(project, name, &count);
        SimForce felt = {0, 0};
        if (!effects) {
            ADD_FAILURE() << name << " was not created";
            return felt;
        }
        for (int i = 0; i < count; ++i)
            EXPECT_EQ(effects[i]->Start(1, 0), S_OK) << name;
        sim.advance(after);
        SimPointer at = {x, y, 0, 0, 0, 0, 0};
        sim.set_pointer(&at);
        felt = sim.total_force();
        TVXReleaseEffects(project, effects);
        return felt;
    }

    SimClient sim = SimClient::mouse();
    CTactraDevice* device = nullptr;
    HTVXPROJECT project = nullptr;
};

TEST_F(SampleProjects, ShowcaseObjectsPushTheWayTheirNamesSay) {
    open("showcase.tvx");
    struct Case {
        const char* name;
        LONG x, y;
        DWORD after;
        SimForce expected;
        const char* why;
    };
    // A 1024 x 768 screen: one pixel is 19.53 device units across, 26.04 down.
    const Case cases[] = {
        {"Push Right", 512, 384, 100000, force(6000, 0), "from the west, past its attack"},
        {"Click", 512, 384, 10000, force(0, -8000), "from the south: up"},
        {"Turbulence", 512, 384, 17500, force(3000, 0), "a quarter period of a sine from the west"},
        {"Ratchet", 512, 384, 45000, force(-1750, 0), "sawtooth up at 3/4: half, from the east"},
        {"Let Go", 512, 384, 100000, force(0, 3500), "sawtooth down at 1/4 above its offset, from the north"},
        {"Left Edge", 20, 384, 0, force(352, 0), "20 px left of its wall at 40: pushed right"},
        {"Left Edge", 100, 384, 0, force(0, 0), "right of its wall"},
        {"Centering Spring", 612, 384, 0, force(-938, 0), "80 px past the dead band: pulled back to the middle"},
        {"Centering Spring", 512, 384, 0, force(0, 0), "in the middle"},
        {"Diagonal Stop", 512, 384, 0, force(0, 0), "short of the wall across the diagonal"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(feel(c.name, c.x, c.y, c.after), c.expected) << c.name << ": " << c.why;
}

TEST_F(SampleProjects, EveryObjectPlaysButTheProfileWithoutSamples) {
    for (const char* file : {"showcase.tvx", "desktop.tvx"}) {
        open(file);
        for (int i = 0; const char* name = TVXGetObjectNameByIndex(project, i); ++i) {
            int count = 0;
            ITactraEffect** effects = TVXCreateEffects(project, name, &count);
            // A project's force profile carries no samples; the mouse refuses such a force.
            const bool playable = std::string(name) != "Recorded Bump";
            EXPECT_EQ(effects != nullptr, playable) << file << ": " << name;
            if (effects)
                TVXReleaseEffects(project, effects);
        }
        TVXReleaseProject(project);
        project = nullptr;
    }
}

TEST_F(SampleProjects, DesktopButtonEdgeHoldsThePointerAbove) {
    open("desktop.tvx");
    // 10 px below the edge at y 300: 260.4 units, 6000 of 10000 of them back up.
    EXPECT_EQ(feel("Button Edge", 500, 310, 0), force(0, -156));
}

}  // namespace
