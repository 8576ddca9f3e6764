// The DirectInput stand-in as DirectInput answers: versions, data format and acquisition,
// cooperative levels, the joystick's state, and effects by DirectInput's GUIDs.
#include "simtest.h"

#include <cstddef>

namespace {

class DirectInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.ok());
        sim.reset();
        module = LoadLibraryA("dinput.dll");
        ASSERT_NE(module, nullptr);
        create = reinterpret_cast<PFN_DirectInputCreateA>(
            reinterpret_cast<void*>(GetProcAddress(module, "DirectInputCreateA")));
        ASSERT_NE(create, nullptr);
        ASSERT_EQ(create(simtest::app(), 0x0500, &api, nullptr), DI_OK);
        GUID instance = GUID_NULL;
        ASSERT_EQ(api->EnumDevices(DIDEVTYPE_JOYSTICK, remember, &instance, 0x101), DI_OK);
        IDirectInputDeviceA* first = nullptr;
        ASSERT_EQ(api->CreateDevice(instance, &first, nullptr), DI_OK);
        ASSERT_EQ(first->QueryInterface(IID_IDirectInputDevice2A, reinterpret_cast<void**>(&device)), DI_OK);
        first->Release();
    }
    void TearDown() override {
        if (device)
            device->Release();
        if (api)
            api->Release();
        EXPECT_EQ(sim.live_objects(), 0u) << "objects left alive";
        if (module)
            FreeLibrary(module);
    }
    void open_for_effects() {
        ASSERT_EQ(device->SetDataFormat(&c_dfDIJoystick), DI_OK);
        ASSERT_EQ(device->SetCooperativeLevel(nullptr, DISCL_EXCLUSIVE | DISCL_BACKGROUND), DI_OK);
        ASSERT_EQ(device->Acquire(), DI_OK);
    }
    static BOOL CALLBACK remember(LPCDIDEVICEINSTANCEA instance, LPVOID context) {
        *static_cast<GUID*>(context) = instance->guidInstance;
        return DIENUM_STOP;
    }
    static BOOL CALLBACK count(LPCDIEFFECTINFOA, LPVOID context) {
        ++*static_cast<unsigned*>(context);
        return DIENUM_CONTINUE;
    }

    SimClient sim = SimClient::directInput();
    HMODULE module = nullptr;
    PFN_DirectInputCreateA create = nullptr;
    IDirectInputA* api = nullptr;
    IDirectInputDevice2A* device = nullptr;
};

TEST_F(DirectInputTest, VersionsThreeAndFiveAreAccepted) {
    const struct {
        DWORD version;
        HRESULT result;
    } cases[] = {
        {0x0300, DI_OK},
        {0x0500, DI_OK},
        {0x0400, DIERR_BETADIRECTINPUTVERSION},
        {0x0700, DIERR_OLDDIRECTINPUTVERSION},
    };
    for (const auto& c : cases) {
        IDirectInputA* other = nullptr;
        EXPECT_EQ(create(simtest::app(), c.version, &other, nullptr), c.result) << std::hex << c.version;
        if (other)
            other->Release();
    }
    IDirectInputA* other = nullptr;
    EXPECT_EQ(create(nullptr, 0x0500, &other, nullptr), DIERR_INVALIDPARAM) << "no instance";
}

TEST_F(DirectInputTest, AcquisitionNeedsADataFormatAndCooperativeLevelsAreChecked) {
    EXPECT_EQ(device->Acquire(), DIERR_INVALIDPARAM) << "no data format yet";
    const struct {
        DWORD flags;
        HRESULT result;
    } levels[] = {
        {4, DIERR_INVALIDPARAM},  // foreground alone: exclusive or not is missing
        {3, DIERR_INVALIDPARAM},
        {0x19, DIERR_INVALIDPARAM},
        {DISCL_NONEXCLUSIVE | DISCL_FOREGROUND, DI_OK},
        {DISCL_EXCLUSIVE | DISCL_BACKGROUND, DI_OK},
    };
    for (const auto& l : levels)
        EXPECT_EQ(device->SetCooperativeLevel(nullptr, l.flags), l.result) << l.flags;
    DIDATAFORMAT bad = c_dfDIJoystick;
    bad.dwObjSize = 12;
    EXPECT_EQ(device->SetDataFormat(&bad), DIERR_INVALIDPARAM);
    bad = c_dfDIJoystick;
    bad.dwDataSize = 40;  // objects beyond the data
    EXPECT_EQ(device->SetDataFormat(&bad), DIERR_INVALIDPARAM);
    ASSERT_EQ(device->SetDataFormat(&c_dfDIJoystick), DI_OK);
    EXPECT_EQ(device->Acquire(), DI_OK);
    EXPECT_EQ(device->Acquire(), DI_NOEFFECT);
    EXPECT_EQ(device->SetDataFormat(&c_dfDIJoystick), DIERR_ACQUIRED);
    EXPECT_EQ(device->SetCooperativeLevel(nullptr, 9), DIERR_ACQUIRED);
}

TEST_F(DirectInputTest, TheJoystickRestsCentredInTheStandardFormat) {
    open_for_effects();
    DIJOYSTATE state;
    std::memset(&state, 0x55, sizeof state);
    ASSERT_EQ(device->GetDeviceState(sizeof state, &state), DI_OK);
    EXPECT_EQ(state.lX, 32767);
    EXPECT_EQ(state.lY, 32767);
    EXPECT_EQ(state.lZ, 0) << "the joystick has no Z axis";
    EXPECT_EQ(state.rgdwPOV[0], 0xFFFFFFFFu);
    EXPECT_EQ(state.rgbButtons[0], 0);
    EXPECT_EQ(device->GetDeviceState(sizeof state - 4, &state), DIERR_INVALIDPARAM);
    DIDEVICEOBJECTINSTANCEA info = {};
    info.dwSize = sizeof info;
    ASSERT_EQ(device->GetObjectInfo(&info, DIJOFS_BUTTON(2), DIPH_BYOFFSET), DI_OK);
    EXPECT_EQ(info.dwType & DIDFT_FFEFFECTTRIGGER, DWORD(DIDFT_FFEFFECTTRIGGER));
    EXPECT_EQ(device->GetObjectInfo(&info, DIJOFS_Z, DIPH_BYOFFSET), DIERR_OBJECTNOTFOUND);
}

TEST_F(DirectInputTest, InterfacesAndEffectKindsAreDirectInputs) {
    void* other = nullptr;
    EXPECT_EQ(device->QueryInterface(IID_IDirectInputDeviceA, &other), DI_OK);
    EXPECT_EQ(other, static_cast<void*>(device));
    static_cast<IUnknown*>(other)->Release();
    EXPECT_EQ(device->QueryInterface(IID_IDirectInputEffect, &other), E_NOINTERFACE);
    unsigned all = 0, conditions = 0;
    EXPECT_EQ(device->EnumEffects(count, &all, DIEFT_ALL), DI_OK);
    EXPECT_EQ(device->EnumEffects(count, &conditions, DIEFT_CONDITION), DI_OK);
    EXPECT_EQ(all, 12u);
    EXPECT_EQ(conditions, 4u);
    DIEFFECTINFOA info = {};
    info.dwSize = sizeof info;
    EXPECT_EQ(device->GetEffectInfo(&info, GUID_Tactra_Texture), DIERR_DEVICENOTREG);
}

TEST_F(DirectInputTest, EffectsComeFromDirectInputRecordsAndAreLoggedAsReceived) {
    open_for_effects();
    DWORD axes[2] = {DIJOFS_X, DIJOFS_Y};
    LONG dirs[2] = {9000, 0};
    DICONDITION conditions[2] = {{0, 5000, 5000, 10000, 10000, 0}, {0, 6000, 6000, 10000, 10000, 0}};
    DIEFFECT e = {};
    e.dwSize = sizeof e;
    e.dwFlags = DIEFF_OBJECTOFFSETS | DIEFF_POLAR;
    e.dwDuration = 0xFFFFFFFFu;
    e.dwGain = 10000;
    e.dwTriggerButton = DIJOFS_BUTTON(1);
    e.cAxes = 2;
    e.rgdwAxes = axes;
    e.rglDirection = dirs;
    e.cbTypeSpecificParams = sizeof conditions;
    e.lpvTypeSpecificParams = conditions;

    IDirectInputEffect* effect = nullptr;
    EXPECT_EQ(device->CreateEffect(GUID_Tactra_Spring, &e, &effect, nullptr), DIERR_DEVICENOTREG)
        << "a kind DirectInput does not know";
    EXPECT_EQ(effect, nullptr);
    e.dwTriggerButton = DIJOFS_BUTTON(4);
    EXPECT_EQ(device->CreateEffect(GUID_Spring, &e, &effect, nullptr), DIERR_INVALIDPARAM)
        << "the joystick has four buttons";
    e.dwTriggerButton = DIJOFS_BUTTON(1);
    ASSERT_EQ(device->CreateEffect(GUID_Spring, &e, &effect, nullptr), DI_OK);
    SimCall logged = {};
    ASSERT_TRUE(sim.log_get(sim.log_count() - 1, &logged));
    EXPECT_STREQ(logged.op, "CreateEffect");
    EXPECT_EQ(logged.params.dwSize, DWORD(sizeof(DIEFFECT)));
    EXPECT_TRUE(IsEqualGUID(logged.params.guid, GUID_Spring));
    EXPECT_EQ(logged.params.dwTriggerButton, DWORD(DIJOFS_BUTTON(1)));
    DICONDITION seen[2];
    std::memcpy(seen, logged.params.typeSpecific, sizeof seen);
    EXPECT_EQ(seen[1].lPositiveCoefficient, 6000);

    GUID kind = GUID_NULL;
    EXPECT_EQ(effect->GetEffectGuid(&kind), DI_OK);
    EXPECT_TRUE(IsEqualGUID(kind, GUID_Spring));
    EXPECT_EQ(effect->Start(1, 0), DI_OK);
    SimEffectState s = {};
    ASSERT_TRUE(sim.effect_get(0, &s));
    EXPECT_TRUE(s.playing);
    EXPECT_EQ(device->SendForceFeedbackCommand(DISFFC_STOPALL), DI_OK);
    ASSERT_TRUE(sim.effect_get(0, &s));
    EXPECT_FALSE(s.playing);
    effect->Release();

    // Without exclusive acquisition effects are kept but not downloaded.
    EXPECT_EQ(device->Unacquire(), DI_OK);
    EXPECT_EQ(device->CreateEffect(GUID_Spring, &e, &effect, nullptr), DI_DOWNLOADSKIPPED);
    EXPECT_EQ(effect->Start(1, 0), DIERR_NOTACQUIRED);
    effect->Release();
}

}  // namespace
