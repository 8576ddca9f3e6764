// The DirectInput device through the DirectInput stand-in.
#include "devicetest.h"

#include <cstddef>
#include <memory>

namespace {

using devtest::DeviceTest;
using devtest::nth;
using devtest::ops;

const GUID kFirst = {0x22222222, 0x2222, 0x3333, {1, 2, 3, 4, 5, 6, 7, 8}};
const GUID kSecond = {0x22222222, 0x2222, 0x3333, {1, 2, 3, 4, 5, 6, 7, 9}};

class DXDeviceTest : public DeviceTest {
protected:
    // DirectInput objects of the application's own, made through the stand-in.
    void open_external(IDirectInputA** api, IDirectInputDevice2A** device) {
        module_ = LoadLibraryA("dinput.dll");
        ASSERT_NE(module_, nullptr);
        auto create = reinterpret_cast<PFN_DirectInputCreateA>(
            reinterpret_cast<void*>(GetProcAddress(module_, "DirectInputCreateA")));
        ASSERT_NE(create, nullptr);
        ASSERT_EQ(create(devtest::app(), 0x0500, api, nullptr), DI_OK);
        if (!device)
            return;
        IDirectInputDeviceA* first = nullptr;
        DIDEVICEINSTANCEA found = {};
        ASSERT_EQ((*api)->EnumDevices(DIDEVTYPE_JOYSTICK, remember, &found, 0x101), DI_OK);
        ASSERT_EQ((*api)->CreateDevice(found.guidInstance, &first, nullptr), DI_OK);
        ASSERT_EQ(first->QueryInterface(IID_IDirectInputDevice2A, reinterpret_cast<void**>(device)), DI_OK);
        first->Release();
    }
    void TearDown() override {
        if (module_)
            FreeLibrary(module_);
        DeviceTest::TearDown();
    }
    static BOOL CALLBACK remember(LPCDIDEVICEINSTANCEA instance, LPVOID context) {
        *static_cast<DIDEVICEINSTANCEA*>(context) = *instance;
        return DIENUM_STOP;
    }

    HMODULE module_ = nullptr;
};

TEST_F(DXDeviceTest, InitializeOpensTheFirstJoystickExclusivelyInTheBackground) {
    di.detach_all();
    di.attach(&kFirst);
    di.attach(&kSecond);
    CTactraDXDevice device;
    ASSERT_TRUE(device.Initialize(devtest::app(), nullptr, nullptr, nullptr))
        << CTKLErrors::GetLastErrorCode();
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_NONE);
    EXPECT_EQ(ops(di, true), "DirectInputCreateA EnumDevices CreateDevice QueryInterface Release "
                             "SetDataFormat SetCooperativeLevel Acquire");
    EXPECT_EQ(nth(di, "DirectInputCreateA").args[0], 0x0500u) << "DirectInput version";
    const SimCall enumCall = nth(di, "EnumDevices");
    EXPECT_EQ(enumCall.args[0], 4u) << "device type";
    EXPECT_EQ(enumCall.args[1], 0x101u) << "enumeration flags";
    EXPECT_EQ(enumCall.args[2], 1u) << "the enumeration goes on after the first device";
    EXPECT_EQ(devtest::text(nth(di, "CreateDevice").guid), devtest::text(kFirst));
    EXPECT_EQ(devtest::text(nth(di, "QueryInterface").guid), devtest::text(IID_IDirectInputDevice2A));
    EXPECT_EQ(nth(di, "Release").args[0], 1u) << "the temporary interface is released";
    const SimCall format = nth(di, "SetDataFormat");
    EXPECT_EQ(format.result, DI_OK);
    EXPECT_EQ(format.args[0], DWORD(sizeof(DIDATAFORMAT)));
    EXPECT_EQ(format.args[1], DWORD(sizeof(DIOBJECTDATAFORMAT)));
    EXPECT_EQ(format.dataFormat[0], DWORD(sizeof(DIJOYSTATE))) << "data size";
    EXPECT_EQ(format.dataFormat[1], 44u) << "objects";
    EXPECT_EQ(format.dataFormat[2], DWORD(DIDF_ABSAXIS)) << "flags";
    EXPECT_EQ(nth(di, "SetCooperativeLevel").args[0], 9u);
    EXPECT_EQ(nth(di, "Acquire").result, DI_OK);

    EXPECT_EQ(device.GetDeviceType(), 3u);
    EXPECT_NE(device.GetAPI(), nullptr);
    EXPECT_NE(device.GetDevice(), nullptr);

    di.log_clear();
    EXPECT_TRUE(device.ChangeScreenResolution(FALSE, 0, 0));
    EXPECT_TRUE(device.SwitchToAbsoluteMode(FALSE));
    EXPECT_TRUE(device.UsesWin32MouseServices(TRUE));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_NONE);
    EXPECT_EQ(ops(di, true), "") << "mouse services touch nothing on DirectInput";
}

TEST_F(DXDeviceTest, DeletingReleasesDeviceThenDirectInput) {
    auto device = std::make_unique<CTactraDXDevice>();
    ASSERT_TRUE(device->Initialize(devtest::app(), nullptr, nullptr, nullptr));
    di.log_clear();
    device.reset();
    EXPECT_EQ(ops(di, true), "Unacquire Release Release");
    EXPECT_EQ(nth(di, "Release", 0).object, nth(di, "Unacquire").object) << "device first";
    EXPECT_EQ(nth(di, "Release", 1).object, 0u) << "then the DirectInput object";
}

struct DXStepFailure {
    const char* op;
    HRESULT result;
    unsigned liveAfter;  // stand-in objects still held after the failure
};

TEST_F(DXDeviceTest, EachFailingStepFailsWithItsResultAndLeavesNoDeviceHeld) {
    const DXStepFailure steps[] = {
        {"DirectInputCreateA", DIERR_OLDDIRECTINPUTVERSION, 0},
        {"EnumDevices", DIERR_INVALIDPARAM, 1},
        {"CreateDevice", DIERR_DEVICENOTREG, 1},
        {"QueryInterface", E_NOINTERFACE, 1},
        {"SetDataFormat", DIERR_ACQUIRED, 1},
        {"SetCooperativeLevel", E_HANDLE, 1},
        {"Acquire", DIERR_OTHERAPPHASPRIO, 1},
    };
    for (const DXStepFailure& step : steps) {
        SCOPED_TRACE(step.op);
        di.reset();
        di.fail_next(step.op, step.result);
        auto device = std::make_unique<CTactraDXDevice>();
        EXPECT_FALSE(device->Initialize(devtest::app(), nullptr, nullptr, nullptr));
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), step.result);
        EXPECT_EQ(device->GetDevice(), nullptr);
        EXPECT_EQ(di.live_objects(), step.liveAfter);
        device.reset();
        EXPECT_EQ(di.live_objects(), 0u) << "after deleting the device";
    }
}

TEST_F(DXDeviceTest, NoAttachedJoystickGivesInvalidGuid) {
    di.detach_all();
    CTactraDXDevice device;
    EXPECT_FALSE(device.Initialize(devtest::app(), nullptr, nullptr, nullptr));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_INVALID_GUID);
    EXPECT_EQ(ops(di), "DirectInputCreateA EnumDevices");
}

TEST_F(DXDeviceTest, ExternalObjectsAreUsedAsGivenAndNeverReleased) {
    IDirectInputA* api = nullptr;
    IDirectInputDevice2A* joystick = nullptr;
    open_external(&api, &joystick);
    ASSERT_NE(joystick, nullptr);
    di.log_clear();
    {
        CTactraDXDevice device;
        ASSERT_TRUE(device.Initialize(devtest::app(), nullptr, api, joystick));
        EXPECT_EQ(device.GetAPI(), reinterpret_cast<ITactra*>(api));
        EXPECT_EQ(device.GetDevice(), reinterpret_cast<ITactraDevice*>(joystick));
        CTactraDXDevice copy(device);
        EXPECT_EQ(copy.GetDevice(), device.GetDevice());
    }
    EXPECT_EQ(ops(di, true), "") << "neither touched, nor unacquired, nor released";
    EXPECT_EQ(joystick->Release(), 0u);
    EXPECT_EQ(api->Release(), 0u);
}

TEST_F(DXDeviceTest, ExternalDirectInputOpensAndReleasesOnlyTheDevice) {
    IDirectInputA* api = nullptr;
    open_external(&api, nullptr);
    di.log_clear();
    {
        CTactraDXDevice device;
        ASSERT_TRUE(device.Initialize(devtest::app(), nullptr, api, nullptr));
        EXPECT_EQ(ops(di), "EnumDevices CreateDevice QueryInterface SetDataFormat "
                           "SetCooperativeLevel Acquire");
        EXPECT_EQ(nth(di, "EnumDevices").object, 0u) << "through the given object";
        di.log_clear();
    }
    EXPECT_EQ(ops(di, true), "Unacquire Release");
    EXPECT_NE(nth(di, "Release").object, 0u) << "the device, not DirectInput";
    EXPECT_EQ(api->Release(), 0u) << "the application's reference is still its own";
}

TEST_F(DXDeviceTest, ADeviceWithoutDirectInputObjectIsIgnored) {
    IDirectInputA* api = nullptr;
    IDirectInputDevice2A* joystick = nullptr;
    open_external(&api, &joystick);
    di.log_clear();
    {
        CTactraDXDevice device;
        ASSERT_TRUE(device.Initialize(devtest::app(), nullptr, nullptr, joystick));
        EXPECT_NE(device.GetDevice(), reinterpret_cast<ITactraDevice*>(joystick));
        EXPECT_EQ(nth(di, "DirectInputCreateA").result, DI_OK) << ops(di);
    }
    joystick->Release();
    api->Release();
}

// The standard joystick format, as DirectInput publishes it.
TEST(JoystickFormat, MatchesDirectInputsStandardFormat) {
    EXPECT_EQ(c_dfDIJoystick.dwSize, DWORD(sizeof(DIDATAFORMAT)));
    EXPECT_EQ(c_dfDIJoystick.dwObjSize, DWORD(sizeof(DIOBJECTDATAFORMAT)));
    EXPECT_EQ(c_dfDIJoystick.dwFlags, DWORD(DIDF_ABSAXIS));
    EXPECT_EQ(c_dfDIJoystick.dwDataSize, 80u);
    ASSERT_EQ(c_dfDIJoystick.dwNumObjs, 44u);
    const GUID* axes[8] = {&GUID_XAxis, &GUID_YAxis, &GUID_ZAxis, &GUID_RxAxis,
                           &GUID_RyAxis, &GUID_RzAxis, &GUID_Slider, &GUID_Slider};
    for (unsigned i = 0; i < 44; ++i) {
        SCOPED_TRACE(i);
        const DIOBJECTDATAFORMAT& o = c_dfDIJoystick.rgodf[i];
        if (i < 8) {
            ASSERT_NE(o.pguid, nullptr);
            EXPECT_EQ(devtest::text(*o.pguid), devtest::text(*axes[i]));
            EXPECT_EQ(o.dwOfs, 4 * i);
            EXPECT_EQ(o.dwType, 0x80FFFF03u);
            EXPECT_EQ(o.dwFlags, 0x100u);
        } else if (i < 12) {
            ASSERT_NE(o.pguid, nullptr);
            EXPECT_EQ(devtest::text(*o.pguid), devtest::text(GUID_POV));
            EXPECT_EQ(o.dwOfs, 32 + 4 * (i - 8));
            EXPECT_EQ(o.dwType, 0x80FFFF10u);
            EXPECT_EQ(o.dwFlags, 0u);
        } else {
            EXPECT_EQ(o.pguid, nullptr);
            EXPECT_EQ(o.dwOfs, 48 + (i - 12));
            EXPECT_EQ(o.dwType, 0x80FFFF0Cu);
            EXPECT_EQ(o.dwFlags, 0u);
        }
    }
    // The 5.0 form of the effect record ends with its block pointer (no start delay).
    EXPECT_EQ(offsetof(DIEFFECT, lpvTypeSpecificParams) + sizeof(void*), sizeof(DIEFFECT));
    if (sizeof(void*) == 4) {
        EXPECT_EQ(sizeof(DIEFFECT), 52u);
    }
}

}  // namespace
