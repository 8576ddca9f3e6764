// CTactraDevice::CreateDevice: the force mouse first, then DirectInput.
#include "devicetest.h"

#include <memory>

namespace {

using devtest::DeviceTest;
using devtest::ops;

class FactoryTest : public DeviceTest {};

TEST_F(FactoryTest, OpensWhatIsAttachedMouseFirst) {
    const struct {
        bool mouseAttached;
        bool joystickAttached;
        DWORD type;  // 0: no device
        LONG code;
    } cases[] = {
        {true, true, 2, TKL_ERR_NONE},
        {true, false, 2, TKL_ERR_NONE},
        {false, true, 3, TKL_ERR_NONE},
        {false, false, 0, TKL_ERR_INVALID_GUID},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "mouse " << c.mouseAttached << " joystick " << c.joystickAttached);
        mouse.reset();
        di.reset();
        if (!c.mouseAttached)
            mouse.detach_all();
        if (!c.joystickAttached)
            di.detach_all();
        CTKLErrors::SetErrorCode(TKL_ERR_NONE);
        std::unique_ptr<CTactraDevice> device(CTactraDevice::CreateDevice(devtest::app(), nullptr));
        EXPECT_EQ(device ? device->GetDeviceType() : 0u, c.type);
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), c.code);
        if (c.type == 2) {
            EXPECT_EQ(devtest::nth(mouse, "SetCooperativeLevel").args[0], 4u);
            EXPECT_EQ(ops(di), "") << "DirectInput is not tried";
        }
        if (c.type != 2) {
            EXPECT_EQ(mouse.live_objects(), 0u) << "the failed mouse is deleted first";
        }
        if (c.type == 3) {
            EXPECT_EQ(devtest::nth(di, "SetCooperativeLevel").args[0], 9u);
        }
    }
}

TEST_F(FactoryTest, AMouseFailureAfterOpeningFallsBackToDirectInput) {
    mouse.fail_next("Acquire", TACTRA_ERROR_OTHERAPPHASPRIO);
    std::unique_ptr<CTactraDevice> device(CTactraDevice::CreateDevice(devtest::app(), nullptr));
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->GetDeviceType(), 3u);
    EXPECT_EQ(mouse.live_objects(), 0u);
}

}  // namespace
