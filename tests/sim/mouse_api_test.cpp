// The software force mouse as a driver: versions, enumeration, properties and references.
#include "simtest.h"

#include <vector>

namespace {

using simtest::MouseRig;

class MouseApiTest : public MouseRig {};

TEST_F(MouseApiTest, OnlyTheApisOwnVersionIsAccepted) {
    const struct {
        DWORD version;
        HRESULT result;
    } cases[] = {
        {0x0103, S_OK},
        {0x0102, TACTRA_ERROR_BETAVERSION},
        {0x0000, TACTRA_ERROR_BETAVERSION},
        {0x0104, TACTRA_ERROR_OLDVERSION},
        {0x0500, TACTRA_ERROR_OLDVERSION},
    };
    for (const auto& c : cases) {
        ITactra* other = reinterpret_cast<ITactra*>(this);
        EXPECT_EQ(create(simtest::app(), c.version, &other, nullptr), c.result) << std::hex << c.version;
        EXPECT_EQ(other == nullptr, FAILED(c.result)) << std::hex << c.version;
        if (other)
            other->Release();
    }
    ITactra* other = nullptr;
    EXPECT_EQ(create(simtest::app(), TACTRA_VERSION, nullptr, nullptr), TACTRA_ERROR_INVALIDPARAM);
    EXPECT_EQ(create(simtest::app(), TACTRA_VERSION, &other, reinterpret_cast<IUnknown*>(api)),
              TACTRA_ERROR_NOAGGREGATION);
    EXPECT_EQ(other, nullptr);
}

struct Seen {
    std::vector<GUID> guids;
    bool stop;
};

BOOL CALLBACK collect(const TACTRA_DEVICEINSTANCE* instance, void* context) {
    Seen* seen = static_cast<Seen*>(context);
    seen->guids.push_back(instance->guidInstance);
    return seen->stop ? TACTRA_ENUM_STOP : TACTRA_ENUM_CONTINUE;
}

std::vector<GUID> enumerate(ITactra* api, DWORD type, bool stopAfterFirst) {
    Seen seen{{}, stopAfterFirst};
    api->EnumDevices(type, collect, &seen, 0x101);
    return seen.guids;
}

TEST_F(MouseApiTest, EnumerationReportsEachAttachedMouseInOrderUntilStopped) {
    sim.detach_all();
    EXPECT_TRUE(enumerate(api, 2, false).empty());
    const GUID a = {0xA, 1, 2, {3}}, b = {0xB, 1, 2, {3}};
    EXPECT_EQ(sim.attach(&a), 0);
    EXPECT_EQ(sim.attach(&a), -1) << "the same device twice";
    sim.attach(&b);
    const int fresh = sim.attach(nullptr);
    EXPECT_GE(fresh, 0);
    std::vector<GUID> all = enumerate(api, 2, false);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_TRUE(IsEqualGUID(all[0], a));
    EXPECT_TRUE(IsEqualGUID(all[1], b));
    EXPECT_FALSE(IsEqualGUID(all[2], a) || IsEqualGUID(all[2], b)) << "a fresh instance GUID";
    EXPECT_EQ(enumerate(api, 2, true).size(), 1u);
    EXPECT_TRUE(enumerate(api, 3, false).empty()) << "no devices of another type";
    EXPECT_EQ(api->EnumDevices(2, nullptr, nullptr, 0x101), TACTRA_ERROR_INVALIDPARAM);
    EXPECT_EQ(sim.device_count(), 3u);
}

TEST_F(MouseApiTest, DetachedDevicesLoseInput) {
    sim.detach_all();
    EXPECT_EQ(device->Acquire(), TACTRA_ERROR_INPUTLOST) << "already acquired, but gone";
    TACTRA_PROPDWORD p = {{sizeof p, sizeof p.diph, 0, 0}, 1};
    EXPECT_EQ(device->SetProperty(TACTRA_PROP_AXISMODE, &p.diph), TACTRA_ERROR_INPUTLOST);
    ITactraDevice* other = nullptr;
    EXPECT_EQ(api->CreateDevice(GUID_NULL, &other, nullptr), TACTRA_ERROR_DEVICENOTREG);
}

TEST_F(MouseApiTest, PropertiesAreCheckedStoredAndReadBack) {
    struct Case {
        DWORD property;
        DWORD size;  // record size
        DWORD header;
        DWORD values[2];
        HRESULT result;
    };
    const DWORD one = sizeof(TACTRA_PROPDWORD), two = sizeof(TACTRA_PROPRESOLUTION);
    const DWORD h = sizeof(TACTRA_PROPHEADER);
    const Case cases[] = {
        {TACTRA_PROP_FFGAIN, one, h, {5000}, S_OK},
        {TACTRA_PROP_FFGAIN, one, h, {10001}, TACTRA_ERROR_INVALIDPARAM},
        {TACTRA_PROP_AXISMODE, one, h, {1}, S_OK},
        {TACTRA_PROP_AXISMODE, one, h, {2}, TACTRA_ERROR_INVALIDPARAM},
        {TACTRA_PROP_FORCEOUTPUT, one, h, {1}, S_OK},
        {TACTRA_PROP_SCREENRESOLUTION, two, h, {1280, 1024}, S_OK},
        {TACTRA_PROP_SCREENRESOLUTION, two, h, {0, 1024}, TACTRA_ERROR_INVALIDPARAM},
        {TACTRA_PROP_SCREENRESOLUTION, one, h, {1280}, TACTRA_ERROR_INVALIDPARAM},
        {TACTRA_PROP_FFGAIN, two, h, {5000, 0}, TACTRA_ERROR_INVALIDPARAM},
        {TACTRA_PROP_FFGAIN, one, h + 4, {5000}, TACTRA_ERROR_INVALIDPARAM},
        {99, one, h, {1}, TACTRA_ERROR_UNSUPPORTED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "property " << c.property << " value " << c.values[0]);
        TACTRA_PROPRESOLUTION record = {{c.size, c.header, 0, 0}, c.values[0], c.values[1]};
        DWORD before[2] = {};
        sim.get_property(c.property, before, 2);
        EXPECT_EQ(device->SetProperty(c.property, &record.diph), c.result);
        TACTRA_PROPRESOLUTION back = {{c.size, c.header, 0, 0}, 0, 0};
        if (SUCCEEDED(c.result)) {
            ASSERT_EQ(device->GetProperty(c.property, &back.diph), S_OK);
            EXPECT_EQ(back.dwWidth, c.values[0]);
            if (c.size == two) {
                EXPECT_EQ(back.dwHeight, c.values[1]);
            }
        } else if (c.result != TACTRA_ERROR_UNSUPPORTED) {
            DWORD after[2] = {};
            sim.get_property(c.property, after, 2);
            EXPECT_EQ(after[0], before[0]) << "a refused value is not stored";
        }
    }
    EXPECT_EQ(device->SetProperty(TACTRA_PROP_FFGAIN, nullptr), TACTRA_ERROR_INVALIDPARAM);
}

TEST_F(MouseApiTest, ReferencesAreCountedAndObjectsHoldWhatTheyNeed) {
    EXPECT_EQ(api->AddRef(), 3u) << "ours, and the device's hold on its root";
    EXPECT_EQ(api->Release(), 2u);
    EXPECT_EQ(api->Release(), 1u) << "the device still holds the root";
    api = nullptr;
    EXPECT_EQ(sim.live_objects(), 2u);
    void* same = nullptr;
    EXPECT_EQ(device->QueryInterface(IID_ITactraDevice, &same), S_OK);
    EXPECT_EQ(same, static_cast<void*>(device));
    EXPECT_EQ(device->QueryInterface(IID_ITactraEffect, &same), E_NOINTERFACE);
    EXPECT_EQ(same, nullptr);
    EXPECT_EQ(device->Release(), 1u);
    SimCall last = {};
    sim.log_get(sim.log_count() - 1, &last);
    EXPECT_STREQ(last.op, "Release");
    EXPECT_EQ(last.args[0], 1u) << "the count after the call is logged";
}

TEST_F(MouseApiTest, AnArmedFailureAnswersOnceAndChangesNothing) {
    sim.fail_next("Unacquire", TACTRA_ERROR_INPUTLOST);
    EXPECT_EQ(device->Unacquire(), TACTRA_ERROR_INPUTLOST);
    DWORD state = 0;
    EXPECT_EQ(device->GetForceFeedbackState(&state), S_OK) << "still acquired";
    EXPECT_EQ(device->Unacquire(), S_OK);
    EXPECT_EQ(device->Unacquire(), S_FALSE) << "already unacquired";
    sim.fail_after("Acquire", 1, E_FAIL);
    EXPECT_EQ(device->Acquire(), S_OK);
    EXPECT_EQ(device->Acquire(), E_FAIL);
}

}  // namespace

namespace {

TEST_F(MouseApiTest, CooperativeLevelsAndCapabilities) {
    const struct {
        DWORD flags;
        HRESULT result;
    } levels[] = {
        {0, TACTRA_ERROR_INVALIDPARAM},
        {TACTRA_SCL_EXCLUSIVE | TACTRA_SCL_NONEXCLUSIVE, TACTRA_ERROR_INVALIDPARAM},
        {TACTRA_SCL_FOREGROUND | TACTRA_SCL_BACKGROUND, TACTRA_ERROR_INVALIDPARAM},
        {0x10, TACTRA_ERROR_INVALIDPARAM},
        {TACTRA_SCL_FOREGROUND, HRESULT(0x800700AA)},  // valid, but the device is acquired
    };
    for (const auto& l : levels)
        EXPECT_EQ(device->SetCooperativeLevel(nullptr, l.flags), l.result) << l.flags;
    EXPECT_EQ(device->Unacquire(), S_OK);
    EXPECT_EQ(device->SetCooperativeLevel(nullptr, TACTRA_SCL_EXCLUSIVE | TACTRA_SCL_BACKGROUND), S_OK);

    sim.set_capacity(5);
    TACTRA_DEVCAPS caps = {};
    EXPECT_EQ(device->GetCapabilities(&caps), TACTRA_ERROR_INVALIDPARAM) << "size not set";
    caps.dwSize = sizeof caps;
    ASSERT_EQ(device->GetCapabilities(&caps), S_OK);
    EXPECT_EQ(caps.dwDevType, TACTRA_DEVTYPE_FORCEMOUSE);
    EXPECT_EQ(caps.dwAxes, 2u);
    EXPECT_EQ(caps.dwMaxEffects, 5u);
}

}  // namespace
