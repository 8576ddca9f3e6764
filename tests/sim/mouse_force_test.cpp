// What the software force mouse pushes with: its actuators and gain, an enclosure's inner
// effect among the mouse's own effects, and the control API's pointer and force calls given
// nothing to work with.
#include "simtest.h"

namespace {

using simtest::MouseRecord;
using simtest::MouseRig;

class MouseForceTest : public MouseRig {
protected:
    void SetUp() override {
        MouseRig::SetUp();
        ASSERT_TRUE(simtest::cursor_follows()) << "the platform cursor does not move";
    }
    ITactraEffect* create(const TACTRA_EFFECT& e) {
        ITactraEffect* out = nullptr;
        EXPECT_EQ(device->CreateEffect(&e, &out, nullptr), S_OK);
        return out;
    }
    void set_property(DWORD number, DWORD value) {
        TACTRA_PROPDWORD p = {{sizeof p, sizeof p.diph, 0, 0}, value};
        ASSERT_EQ(device->SetProperty(number, &p.diph), S_OK);
    }
    // A constant force of `magnitude` from the west: it pushes the pointer right.
    void push_right(MouseRecord& r, LONG magnitude) {
        r.e.dwFlags = TACTRA_FEFFECT_OBJECTOFFSETS | TACTRA_FEFFECT_POLAR;
        r.dirs[0] = 27000;
        r.dirs[1] = 0;
        const TACTRA_CONSTANTFORCE c = {magnitude};
        std::memcpy(r.block, &c, sizeof c);
    }
    SimForce total() { return sim.total_force(); }
};

TEST_F(MouseForceTest, ActuatorsAndDeviceGainGovernTheSum) {
    MouseRecord r(GUID_Tactra_ConstantForce);
    push_right(r, 4000);
    ITactraEffect* push = create(r.e);
    ASSERT_EQ(push->Start(1, 0), S_OK);
    SimForce sum = {};
    SimEffectForce each[1] = {};
    EXPECT_EQ(sim.force(&sum, each, 1), 1u);
    EXPECT_EQ(each[0].x, 4000) << "the effect's share is rendered";
    EXPECT_EQ(sum.x, 0) << "a new mouse has its actuators off";
    set_property(TACTRA_PROP_FORCEOUTPUT, 1);
    EXPECT_EQ(total().x, 4000);
    set_property(TACTRA_PROP_FFGAIN, 2500);
    EXPECT_EQ(total().x, 1000);
    EXPECT_EQ(device->SendForceFeedbackCommand(DISFFC_SETACTUATORSOFF), S_OK);
    EXPECT_EQ(total().x, 0);
    push->Release();
}

TEST_F(MouseForceTest, AnEnclosurePlaysItsInnerEffectUntilThatIsReleased) {
    set_property(TACTRA_PROP_FORCEOUTPUT, 1);
    MouseRecord inner(GUID_Tactra_ConstantForce);
    push_right(inner, 1500);
    ITactraEffect* push = create(inner.e);
    MouseRecord walls(GUID_Tactra_Enclosure);
    TACTRA_ENCLOSURE box = {};
    box.dwSize = sizeof box;
    box.rectBoundary = {100, 100, 299, 199};
    box.dwStyle = 0xFF;
    box.piInnerEffect = push;
    std::memcpy(walls.block, &box, sizeof box);
    ITactraEffect* enclosure = create(walls.e);
    ASSERT_EQ(enclosure->Start(1, 0), S_OK);
    SimPointer inside = {200, 150, 0, 0, 0, 0, 0};
    sim.set_pointer(&inside);
    EXPECT_EQ(total().x, 1500) << "the inner effect plays inside without being started";
    SimPointer outside = {50, 150, 0, 0, 0, 0, 0};
    sim.set_pointer(&outside);
    EXPECT_EQ(total().x, 0);
    sim.set_pointer(&inside);
    push->Release();
    EXPECT_EQ(total().x, 0) << "a released effect is no inner effect";
    enclosure->Release();
}

TEST_F(MouseForceTest, ControlCallsGivenNothingDoNothing) {
    SimPointer before = {};
    ASSERT_TRUE(sim.get_pointer(&before));
    sim.set_pointer(nullptr);
    SimPointer after = {};
    ASSERT_TRUE(sim.get_pointer(&after));
    EXPECT_EQ(after.x, before.x);
    EXPECT_EQ(sim.get_pointer(nullptr), 0);
    EXPECT_EQ(sim.force(nullptr, nullptr, 0), 0u);
    SimForce out[1];
    EXPECT_EQ(sim.render_path(nullptr, 1, out), 0u);
    EXPECT_EQ(sim.now(), 0u) << "and the clock did not move";
}

}  // namespace
