// Which nodes are offered, under which name and GUID, and what their joystick state reads.
#include "tests/evdev/evtest.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstring>

namespace evtest {
namespace {

std::vector<DIDEVICEINSTANCEA> offered() {
    IDirectInputA* root = direct_input();
    if (!root)
        return {};
    std::vector<DIDEVICEINSTANCEA> found = enumerate(root);
    root->Release();
    return found;
}

std::string guid_text(const GUID& g) {
    char s[40];
    std::snprintf(s, sizeof s, "%08X-%04X-%04X-%02X%02X", unsigned(g.Data1), g.Data2, g.Data3,
                  g.Data4[0], g.Data4[1]);
    return s;
}

TEST_F(EvdevTest, ForceFeedbackNodesAreOfferedInNumberOrderWithStableGuids) {
    FakeDevice noFF = wheel();
    noFF.forceFeedback = false;
    FakeDevice locked = wheel();
    locked.readable = false;
    FakeDevice twin = gamepad();
    kernel().add("event10", gamepad());
    kernel().add("event2", wheel());
    kernel().add("event3", noFF);
    kernel().add("event4", locked);
    kernel().add("event11", twin);  // the same model on the same port description: a twin
    const int plain = ::open((kernel().folder() + "/event5").c_str(), O_CREAT | O_WRONLY, 0600);
    ::close(plain);  // an ordinary file: not an event node
    testing::internal::CaptureStderr();
    const std::vector<DIDEVICEINSTANCEA> first = offered();
    const std::string debug = testing::internal::GetCapturedStderr();
    ::unlink((kernel().folder() + "/event5").c_str());
    ASSERT_EQ(first.size(), 3u);
    EXPECT_STREQ(first[0].tszInstanceName, "Test Wheel");
    EXPECT_STREQ(first[1].tszInstanceName, "Test Gamepad");
    EXPECT_STREQ(first[2].tszInstanceName, "Test Gamepad");
    EXPECT_NE(guid_text(first[1].guidInstance), guid_text(first[2].guidInstance));
    EXPECT_EQ(first[1].guidProduct.Data1, 0x67892345u) << "vendor and product, DirectInput's form";
    EXPECT_EQ(GET_DIDEVICE_TYPE(first[0].dwDevType), DIDEVTYPE_JOYSTICK);
    // The node that does not open read-write is named with the reason, and only it.
    EXPECT_NE(debug.find(kernel().folder() + "/event4 skipped"), std::string::npos) << debug;
    EXPECT_NE(debug.find("Permission denied"), std::string::npos) << debug;
    EXPECT_EQ(debug.find("event3"), std::string::npos) << debug;
    EXPECT_EQ(debug.find("event5"), std::string::npos) << debug;

    // Another run, the devices renumbered: the same GUIDs for the same devices.
    kernel().reset();
    kernel().add("event0", twin);
    kernel().add("event1", gamepad());
    kernel().add("event7", wheel());
    const std::vector<DIDEVICEINSTANCEA> again = offered();
    ASSERT_EQ(again.size(), 3u);
    EXPECT_EQ(guid_text(again[2].guidInstance), guid_text(first[0].guidInstance));
    EXPECT_EQ(guid_text(again[0].guidInstance), guid_text(first[1].guidInstance));
    EXPECT_EQ(kernel().open_fds(), 0) << "enumeration closes what it opens";
}

TEST_F(EvdevTest, CapabilitiesObjectsAndJoystickState) {
    FakeDevice pad = gamepad();
    pad.abs[ABS_X].value = 255;
    pad.abs[ABS_Y].value = 0;
    pad.abs[ABS_HAT0X].value = 1;
    pad.abs[ABS_HAT0Y].value = -1;
    pad.pressed = {BTN_SOUTH, BTN_TL};
    kernel().add("event0", pad);
    Joystick joy;
    ASSERT_EQ(joy.result(), DI_OK);
    DIDEVCAPS caps;
    caps.dwSize = sizeof caps;
    ASSERT_EQ(joy->GetCapabilities(&caps), DI_OK);
    EXPECT_EQ(caps.dwAxes, 2u);
    EXPECT_EQ(caps.dwPOVs, 1u);
    EXPECT_EQ(caps.dwButtons, unsigned(BTN_THUMBR - BTN_SOUTH + 1));
    EXPECT_TRUE(caps.dwFlags & DIDC_FORCEFEEDBACK);

    DIJOYSTATE state;
    ASSERT_EQ(joy->GetDeviceState(sizeof state, &state), DI_OK);
    EXPECT_EQ(state.lX, 0xFFFF);
    EXPECT_EQ(state.lY, 0);
    EXPECT_EQ(state.rgdwPOV[0], 4500u) << "up and right";
    EXPECT_EQ(state.rgdwPOV[1], 0xFFFFFFFFu);
    EXPECT_EQ(state.rgbButtons[0], 0x80);
    EXPECT_EQ(state.rgbButtons[BTN_TL - BTN_SOUTH], 0x80);
    EXPECT_EQ(state.rgbButtons[1], 0);

    // Trigger buttons and actuators as DirectInput lists them.
    unsigned actuators = 0, triggers = 0;
    joy->EnumObjects([](LPCDIDEVICEOBJECTINSTANCEA, LPVOID ref) -> BOOL {
        ++*static_cast<unsigned*>(ref);
        return DIENUM_CONTINUE;
    }, &actuators, DIDFT_AXIS | DIDFT_FFACTUATOR);
    joy->EnumObjects([](LPCDIDEVICEOBJECTINSTANCEA, LPVOID ref) -> BOOL {
        ++*static_cast<unsigned*>(ref);
        return DIENUM_CONTINUE;
    }, &triggers, DIDFT_BUTTON | DIDFT_FFEFFECTTRIGGER);
    EXPECT_EQ(actuators, 2u);
    EXPECT_EQ(triggers, caps.dwButtons);
    DIDEVICEOBJECTINSTANCEA info;
    info.dwSize = sizeof info;
    ASSERT_EQ(joy->GetObjectInfo(&info, DIJOFS_Y, DIPH_BYOFFSET), DI_OK);
    EXPECT_STREQ(info.tszName, "Y Axis");
    EXPECT_EQ(joy->GetObjectInfo(&info, DIJOFS_Z, DIPH_BYOFFSET), DIERR_OBJECTNOTFOUND);

    // Another format is not taken; the standard one must be set before acquiring.
    joy->Unacquire();
    DIDATAFORMAT other = c_dfDIJoystick;
    other.dwDataSize = 16;
    EXPECT_EQ(joy->SetDataFormat(&other), DIERR_UNSUPPORTED);
    EXPECT_EQ(joy->GetDeviceState(sizeof state, &state), DIERR_NOTACQUIRED);
}

}  // namespace
}  // namespace evtest
