// The force-mouse device through the software force mouse.
#include "devicetest.h"

#include <memory>

namespace {

using devtest::DeviceTest;
using devtest::nth;
using devtest::ops;

const GUID kFirst = {0x11111111, 0x2222, 0x3333, {1, 2, 3, 4, 5, 6, 7, 8}};
const GUID kSecond = {0x11111111, 0x2222, 0x3333, {1, 2, 3, 4, 5, 6, 7, 9}};

class MouseTest : public DeviceTest {};

void expect_property(const SimCall& c, DWORD number, DWORD value) {
    EXPECT_STREQ(c.op, "SetProperty");
    EXPECT_EQ(c.args[0], number) << "property number";
    EXPECT_EQ(c.args[1], value) << "value of property " << number;
    EXPECT_EQ(c.result, S_OK) << "property " << number << " refused (bad record?)";
}

TEST_F(MouseTest, InitializeOpensTheFirstMouseWithFullGainForceOutputAndAbsoluteMode) {
    mouse.detach_all();
    mouse.attach(&kFirst);
    mouse.attach(&kSecond);
    CTactraMouse device;
    ASSERT_TRUE(device.Initialize(devtest::app(), nullptr, 4)) << CTKLErrors::GetLastErrorCode();
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_NONE);
    EXPECT_EQ(ops(mouse), "TactraCreateA EnumDevices CreateDevice SetCooperativeLevel Acquire "
                          "SetProperty SetProperty SetProperty");
    EXPECT_EQ(nth(mouse, "TactraCreateA").args[0], 0x0103u) << "API version";
    const SimCall enumCall = nth(mouse, "EnumDevices");
    EXPECT_EQ(enumCall.args[0], 2u) << "device type";
    EXPECT_EQ(enumCall.args[1], 0x101u) << "enumeration flags";
    EXPECT_EQ(enumCall.args[2], 1u) << "the enumeration goes on after the first device";
    EXPECT_EQ(devtest::text(nth(mouse, "CreateDevice").guid), devtest::text(kFirst));
    EXPECT_EQ(nth(mouse, "SetCooperativeLevel").args[0], 4u);
    expect_property(nth(mouse, "SetProperty", 0), 7, 10000);
    expect_property(nth(mouse, "SetProperty", 1), 15, 1);
    expect_property(nth(mouse, "SetProperty", 2), 2, 0);

    DWORD value = 0xDEAD;
    ASSERT_TRUE(mouse.get_property(2, &value, 1));
    EXPECT_EQ(value, 0u) << "axis mode on the device";
    ASSERT_TRUE(mouse.get_property(15, &value, 1));
    EXPECT_EQ(value, 1u) << "property 15 on the device";
    EXPECT_TRUE(device.HaveForceTactraMouse());
    EXPECT_EQ(device.GetDeviceType(), 2u);
    EXPECT_NE(device.GetAPI(), nullptr);
    EXPECT_NE(device.GetDevice(), nullptr);
}

TEST_F(MouseTest, ResetAndSecondInitializeReleaseEverythingFirst) {
    CTactraMouse device;
    EXPECT_FALSE(device.HaveForceTactraMouse());
    ASSERT_TRUE(device.Initialize(devtest::app(), nullptr, 4));
    mouse.log_clear();
    ASSERT_TRUE(device.Initialize(devtest::app(), nullptr, 4));
    std::string seen = ops(mouse, true);
    EXPECT_EQ(seen.substr(0, seen.find(" TactraCreateA")), "Unacquire Release Release")
        << "full sequence: " << seen;
    EXPECT_EQ(nth(mouse, "Release", 0).args[0], 0u) << "device count after release";
    EXPECT_EQ(nth(mouse, "Release", 1).args[0], 0u) << "root count after release";
    EXPECT_EQ(mouse.live_objects(), 2u) << "one root and one device after the second opening";
}

struct MouseStepFailure {
    const char* op;
    unsigned skip;     // calls of the method that pass first
    HRESULT result;
    unsigned liveAfter;  // force-mouse objects still held after the failure
};

TEST_F(MouseTest, EachFailingStepFailsWithItsResultAndLeavesNoDeviceHeld) {
    const MouseStepFailure steps[] = {
        {"TactraCreateA", 0, TACTRA_ERROR_OLDVERSION, 0},
        {"EnumDevices", 0, TACTRA_ERROR_INPUTLOST, 1},
        {"CreateDevice", 0, TACTRA_ERROR_DEVICENOTREG, 1},
        {"SetCooperativeLevel", 0, TACTRA_ERROR_INVALIDPARAM, 1},
        {"Acquire", 0, TACTRA_ERROR_OTHERAPPHASPRIO, 1},
        {"SetProperty", 0, TACTRA_ERROR_INPUTLOST, 1},  // the gain, in prepare_device
    };
    for (const MouseStepFailure& step : steps) {
        SCOPED_TRACE(step.op);
        mouse.reset();
        mouse.fail_after(step.op, step.skip, step.result);
        auto device = std::make_unique<CTactraMouse>();
        EXPECT_FALSE(device->Initialize(devtest::app(), nullptr, 4));
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), step.result);
        EXPECT_FALSE(device->HaveForceTactraMouse());
        EXPECT_EQ(mouse.live_objects(), step.liveAfter);
        device.reset();
        EXPECT_EQ(mouse.live_objects(), 0u) << "after deleting the device";
    }
}

TEST_F(MouseTest, FailuresOfForceOutputAndAxisModeAreReportedButTolerated) {
    const struct {
        unsigned skip;  // 1: property 15, 2: axis mode
        HRESULT result;
    } cases[] = {{1, TACTRA_ERROR_INVALIDPARAM}, {2, TACTRA_ERROR_UNSUPPORTED}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.skip);
        mouse.reset();
        mouse.fail_after("SetProperty", c.skip, c.result);
        CTactraMouse device;
        EXPECT_TRUE(device.Initialize(devtest::app(), nullptr, 4));
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), c.result);
        EXPECT_TRUE(device.HaveForceTactraMouse());
        EXPECT_EQ(ops(mouse).substr(ops(mouse).rfind("Acquire")),
                  "Acquire SetProperty SetProperty SetProperty");
    }
}

TEST_F(MouseTest, NoAttachedMouseGivesInvalidGuid) {
    mouse.detach_all();
    CTactraMouse device;
    EXPECT_FALSE(device.Initialize(devtest::app(), nullptr, 4));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_INVALID_GUID);
    EXPECT_EQ(ops(mouse), "TactraCreateA EnumDevices");
}

TEST_F(MouseTest, AxisModeFollowsTheArgumentAndItsFailureIsTheCode) {
    CTactraMouse device;
    ASSERT_TRUE(device.Initialize(devtest::app(), nullptr, 4));
    const struct {
        bool viaWin32Services;
        BOOL absolute;
        DWORD mode;
    } cases[] = {{false, FALSE, 1}, {false, TRUE, 0}, {true, FALSE, 1}, {true, TRUE, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "win32 " << c.viaWin32Services << " absolute " << c.absolute);
        mouse.log_clear();
        CTKLErrors::SetErrorCode(TKL_ERR_UNKNOWN);
        const BOOL ok = c.viaWin32Services ? device.UsesWin32MouseServices(c.absolute)
                                           : device.SwitchToAbsoluteMode(c.absolute);
        EXPECT_TRUE(ok);
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_NONE);
        EXPECT_EQ(ops(mouse), "SetProperty");
        expect_property(nth(mouse, "SetProperty"), 2, c.mode);
    }
    mouse.fail_next("SetProperty", TACTRA_ERROR_INPUTLOST);
    EXPECT_FALSE(device.SwitchToAbsoluteMode(TRUE));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TACTRA_ERROR_INPUTLOST);
}

TEST_F(MouseTest, ScreenResolutionSendsWidthFirst) {
    CTactraMouse device;
    ASSERT_TRUE(device.Initialize(devtest::app(), nullptr, 4));
    const DWORD screenW = DWORD(GetSystemMetrics(SM_CXSCREEN));
    const DWORD screenH = DWORD(GetSystemMetrics(SM_CYSCREEN));
    const struct {
        BOOL automatic;
        DWORD width, height;
        BOOL result;
        bool sent;
        DWORD sentW, sentH;
    } cases[] = {
        {FALSE, 800, 600, TRUE, true, 800, 600},
        {FALSE, 0, 600, FALSE, false, 0, 0},
        {FALSE, 800, 0, FALSE, false, 0, 0},
        {TRUE, 0, 0, TRUE, true, screenW, screenH},
        {TRUE, 5, 7, TRUE, true, screenW, screenH},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.automatic << " " << c.width << "x" << c.height);
        mouse.log_clear();
        CTKLErrors::SetErrorCode(TKL_ERR_UNKNOWN);
        EXPECT_EQ(device.ChangeScreenResolution(c.automatic, c.width, c.height), c.result);
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_NONE);
        const SimCall sent = nth(mouse, "SetProperty");
        ASSERT_EQ(sent.op[0] != 0, c.sent) << ops(mouse);
        if (c.sent) {
            EXPECT_EQ(sent.args[0], 13u);
            EXPECT_EQ(sent.args[1], c.sentW) << "width";
            EXPECT_EQ(sent.args[2], c.sentH) << "height";
            EXPECT_EQ(sent.result, S_OK) << "record refused";
            DWORD values[2] = {};
            ASSERT_TRUE(mouse.get_property(13, values, 2));
            EXPECT_EQ(values[0], c.sentW);
            EXPECT_EQ(values[1], c.sentH);
        }
    }
    mouse.fail_next("SetProperty", TACTRA_ERROR_INPUTLOST);
    EXPECT_FALSE(device.ChangeScreenResolution(FALSE, 640, 480));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TACTRA_ERROR_INPUTLOST);
}

TEST_F(MouseTest, MouseServicesWithoutAnOpenDeviceFailInsteadOfCallingThroughNull) {
    CTactraMouse device;
    EXPECT_FALSE(device.SwitchToAbsoluteMode(TRUE));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_DEVICE_IS_NULL);
    EXPECT_FALSE(device.ChangeScreenResolution(FALSE, 640, 480));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_DEVICE_IS_NULL);
    EXPECT_EQ(mouse.log_count(), 0u);
}

}  // namespace
