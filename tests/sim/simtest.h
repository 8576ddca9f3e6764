#pragma once
// Rigs for driving the software devices directly: each loads its module by name, opens the
// first device ready for effects, and checks at the end that every object was released.

#include "sim/simclient.h"
#include "tkl/tkl.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>

namespace simtest {

inline HINSTANCE app() { return GetModuleHandleA(nullptr); }

// Waits (up to 10 s) until the platform cursor goes where it is sent. Wine closes an idle
// desktop and starts it again on demand; until it is up, its cursor stays at (0, 0).
inline bool cursor_follows() {
    for (int attempt = 0; attempt < 200; ++attempt) {
        POINT at = {};
        if (SetCursorPos(7, 9) && GetCursorPos(&at) && at.x == 7 && at.y == 9)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

// A whole effect record for a kind of the product force API, with its arrays and a valid
// block of the kind's layout, all owned here.
struct MouseRecord {
    explicit MouseRecord(const GUID& kind) {
        std::memset(&e, 0, sizeof e);
        e.dwSize = sizeof e;
        e.guid = kind;
        e.dwFlags = TACTRA_FEFFECT_OBJECTOFFSETS | TACTRA_FEFFECT_CARTESIAN;
        e.dwDuration = TACTRA_INFINITE;
        e.dwGain = 10000;
        e.dwTriggerButton = TACTRA_NOTRIGGER;
        e.cAxes = 2;
        e.rgdwAxes = axes;
        e.rglDirection = dirs;
        e.lpvTypeSpecificParams = block;
        e.cbTypeSpecificParams = block_size(kind);
    }
    MouseRecord(const MouseRecord&) = delete;
    MouseRecord& operator=(const MouseRecord&) = delete;

    DWORD block_size(const GUID& kind) {
        std::memset(block, 0, sizeof block);
        const DWORD first = kind.Data1;
        if (first == 0x5959DF71)
            return sizeof(TACTRA_CONSTANTFORCE);
        if (first == 0x5959DF72)
            return sizeof(TACTRA_RAMPFORCE);
        if (first >= 0x5959DF73 && first <= 0x5959DF77)
            return sizeof(TACTRA_PERIODIC);
        if (first == 0x5959DF7C) {
            TACTRA_TEXTURE t[2] = {};
            t[0].dwSize = t[1].dwSize = sizeof(TACTRA_TEXTURE);
            std::memcpy(block, t, sizeof t);
            return sizeof t;
        }
        if (first == 0x5959DF7E) {
            TACTRA_CUSTOMFORCE c = {1, 1000, 4, samples};
            std::memcpy(block, &c, sizeof c);
            return sizeof c;
        }
        if (first == 0x5959DF7F) {
            TACTRA_ENCLOSURE x = {};
            x.dwSize = sizeof x;
            std::memcpy(block, &x, sizeof x);
            return sizeof x;
        }
        if (first == 0x5959DF82) {
            TACTRA_ELLIPSE x = {};
            x.dwSize = sizeof x;
            std::memcpy(block, &x, sizeof x);
            return sizeof x;
        }
        return 2 * sizeof(TACTRA_CONDITION);  // the condition kinds and the grid
    }

    TACTRA_EFFECT e;
    DWORD axes[2] = {TACTRA_AXIS_X, TACTRA_AXIS_Y};
    LONG dirs[2] = {1, 1};
    TACTRA_ENVELOPE envelope = {sizeof(TACTRA_ENVELOPE), 0, 0, 0, 0};
    LONG samples[4] = {1, -2, 3, -4};
    alignas(8) BYTE block[128];
};

class MouseRig : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.ok());
        sim.reset();
        module = LoadLibraryA("tactra.dll");
        ASSERT_NE(module, nullptr);
        create = reinterpret_cast<PFN_TactraCreateA>(
            reinterpret_cast<void*>(GetProcAddress(module, "TactraCreateA")));
        ASSERT_NE(create, nullptr);
        ASSERT_EQ(create(app(), TACTRA_VERSION, &api, nullptr), S_OK);
        ASSERT_EQ(api->CreateDevice(first_instance(), &device, nullptr), S_OK);
        ASSERT_EQ(device->SetCooperativeLevel(nullptr, TACTRA_SCL_FOREGROUND), S_OK);
        ASSERT_EQ(device->Acquire(), S_OK);
        sim.log_clear();
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
    GUID first_instance() {
        GUID found = GUID_NULL;
        api->EnumDevices(TACTRA_DEVTYPE_FORCEMOUSE, remember, &found, 0x101);
        return found;
    }
    static BOOL CALLBACK remember(const TACTRA_DEVICEINSTANCE* instance, void* context) {
        *static_cast<GUID*>(context) = instance->guidInstance;
        return TACTRA_ENUM_STOP;
    }

    SimClient sim = SimClient::mouse();
    HMODULE module = nullptr;
    PFN_TactraCreateA create = nullptr;
    ITactra* api = nullptr;
    ITactraDevice* device = nullptr;
};

}  // namespace simtest
