// The class library over the evdev module: the device it opens, an unplugged device, and the
// sample projects played by name on a wheel and on a gamepad.
#include "tests/evdev/evtest.h"
#include "tkl/tkl.h"

#include <iostream>
#include <memory>
#include <sstream>

namespace evtest {
namespace {

class LibraryTest : public EvdevTest {
protected:
    void SetUp() override {
        EvdevTest::SetUp();
        CTKLErrors::SetErrorHandling(0);
    }
    std::unique_ptr<CTactraDevice> open() {
        return std::unique_ptr<CTactraDevice>(CTactraDevice::CreateDevice(GetModuleHandleA(nullptr), nullptr));
    }
};

TEST_F(LibraryTest, WithoutANodeThereIsNoDevice) {
    EXPECT_EQ(open(), nullptr);
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_INVALID_GUID);
}

TEST_F(LibraryTest, UnpluggedDeviceFailsCleanlyAndClosesEverything) {
    kernel().add("event0", wheel());
    std::unique_ptr<CTactraDevice> device = open();
    ASSERT_NE(device, nullptr) << "code " << CTKLErrors::GetLastErrorCode();
    EXPECT_EQ(device->GetDeviceType(), DWORD(TKL_DEVICE_TYPE_DIRECTINPUT));
    CTactraConstant push;
    ASSERT_TRUE(push.InitializePolar(device.get(), 27000, 2000, 5000, nullptr));
    ASSERT_TRUE(push.Start(1, 0));
    ASSERT_EQ(kernel().uploads().size(), 1u);
    const ff_effect& up = kernel().uploads()[0].effect;
    EXPECT_EQ(up.type, FF_CONSTANT);
    EXPECT_EQ(up.direction, 0xC000) << "from the left: pushes right";
    EXPECT_EQ(up.replay.length, 2000);
    EXPECT_EQ(kernel().effects("event0"), (std::map<int, int>{{0, 1}}));
    EXPECT_EQ(kernel().open_fds(), 1);

    kernel().unplug("event0");
    EXPECT_FALSE(push.Start(1, 0));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), DIERR_INPUTLOST);
    EXPECT_EQ(kernel().open_fds(), 0) << "an unplugged node is closed at once";
    EXPECT_FALSE(push.Stop());
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), DIERR_INPUTLOST);
    DWORD status = 1;
    EXPECT_FALSE(push.GetStatus(&status));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), DIERR_INPUTLOST);
    CTactraConstant later;
    EXPECT_FALSE(later.InitializePolar(device.get(), 0, 100, 100, nullptr));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), DIERR_INPUTLOST);
}

// What a device does with a project record: 0 when it plays it, else DirectInput's code.
HRESULT expected_for(const TVXEffect& record, const FakeDevice& device) {
    GUID kind = record.guid;
    if (IsEqualGUID(kind, GUID_Tactra_Spring))
        kind = GUID_Tactra_DeviceSpring;  // projects rewrite springs for DirectInput
    tkl::translate_to_directinput(kind);
    struct Row {
        const GUID* guid;
        unsigned type, waveform;
    };
    const Row rows[] = {{&GUID_ConstantForce, FF_CONSTANT, 0}, {&GUID_RampForce, FF_RAMP, 0},
                        {&GUID_Square, FF_PERIODIC, FF_SQUARE}, {&GUID_Sine, FF_PERIODIC, FF_SINE},
                        {&GUID_Triangle, FF_PERIODIC, FF_TRIANGLE},
                        {&GUID_SawtoothUp, FF_PERIODIC, FF_SAW_UP},
                        {&GUID_SawtoothDown, FF_PERIODIC, FF_SAW_DOWN}, {&GUID_Spring, FF_SPRING, 0},
                        {&GUID_Damper, FF_DAMPER, 0}, {&GUID_Inertia, FF_INERTIA, 0},
                        {&GUID_Friction, FF_FRICTION, 0}};
    for (const Row& r : rows) {
        if (!IsEqualGUID(*r.guid, kind))
            continue;
        if (!device.ff.count(r.type) || (r.waveform && !device.ff.count(r.waveform)))
            return DIERR_DEVICENOTREG;
        if (r.type == FF_RAMP && record.lpEffect->dwDuration == INFINITE)
            return DIERR_INVALIDPARAM;
        return DI_OK;
    }
    return DIERR_DEVICENOTREG;  // a kind of the product's own, which DirectInput lacks
}

// Every object of both sample projects, played by name, one project open at a time: an object
// plays when the device takes each of its records, with one upload per record; otherwise it
// is refused with the code of its last record, and nothing of it stays on the device.
TEST_F(LibraryTest, SampleProjectsOnAWheelAndOnAGamepad) {
    struct Target {
        const char* name;
        FakeDevice device;
    };
    for (const Target& t : {Target{"wheel", wheel()}, Target{"gamepad", gamepad()}}) {
        kernel().reset();
        kernel().add("event0", t.device);
        std::unique_ptr<CTactraDevice> device = open();
        ASSERT_NE(device, nullptr) << t.name;
        std::ostringstream summary;
        unsigned played = 0, refused = 0;
        for (const char* stem : {"showcase", "desktop"}) {
            const std::string path = std::string(TKL_SAMPLE_PROJECTS) + "/" + stem + ".tvx";
            HTVXPROJECT listing = TVXLoadProjectFile(path.c_str(), nullptr);
            ASSERT_NE(listing, nullptr) << path;
            for (int i = 0; const char* name = TVXGetObjectNameByIndex(listing, i); ++i) {
                SCOPED_TRACE(std::string(t.name) + ", " + stem + ": " + name);
                int count = 0;
                TVXEffect** records = TVXCreateEffectStructsByIndex(listing, i, &count);
                ASSERT_NE(records, nullptr);
                std::vector<HRESULT> outcomes;
                for (int r = 0; r < count; ++r)
                    outcomes.push_back(expected_for(*records[r], t.device));
                TVXReleaseEffectStructs(listing, records);
                kernel().clear_records();
                CTactraProject project;
                ASSERT_TRUE(project.OpenFile(path.c_str(), device.get())) << path;
                const int started = project.Start(name, 1, 0);
                const LONG code = CTKLErrors::GetLastErrorCode();
                bool all = true;
                for (HRESULT o : outcomes)
                    all = all && o == DI_OK;
                if (all) {
                    ++played;
                    EXPECT_TRUE(started) << "code " << code;
                    EXPECT_EQ(kernel().uploads().size(), size_t(count));
                    EXPECT_EQ(kernel().effects("event0").size(), size_t(count));
                    EXPECT_TRUE(project.Stop(name));
                } else {
                    ++refused;
                    const LONG want = outcomes.back() != DI_OK ? outcomes.back() : LONG(TKL_ERR_CANT_CREATE_EFFECT);
                    EXPECT_FALSE(started);
                    EXPECT_EQ(code, want);
                    EXPECT_TRUE(kernel().effects("event0").empty()) << "a refused object leaves nothing";
                    char hex[16];
                    std::snprintf(hex, sizeof hex, "0x%08X", unsigned(code));
                    summary << "  " << stem << " \"" << name << "\": refused, " << hex << "\n";
                }
                project.Close();
                EXPECT_TRUE(kernel().effects("event0").empty()) << "closed, the project's effects go";
            }
            TVXReleaseProject(listing);
        }
        std::cout << t.name << ": " << played << " objects played, " << refused << " refused\n"
                  << summary.str();
        EXPECT_GT(played, 0u);
    }
}

// A project keeps every object it made: played one after another, they fill the wheel's
// memory, and the next object is refused as the device full.
TEST_F(LibraryTest, AProjectFillsTheDevicesMemory) {
    FakeDevice small = wheel();
    small.maxEffects = 4;
    kernel().add("event0", small);
    std::unique_ptr<CTactraDevice> device = open();
    ASSERT_NE(device, nullptr);
    CTactraProject project;
    const std::string path = std::string(TKL_SAMPLE_PROJECTS) + "/showcase.tvx";
    ASSERT_TRUE(project.OpenFile(path.c_str(), device.get()));
    LONG code = TKL_ERR_NONE;
    HTVXPROJECT listing = TVXLoadProjectFile(path.c_str(), nullptr);
    ASSERT_NE(listing, nullptr);
    for (int i = 0; const char* name = TVXGetObjectNameByIndex(listing, i); ++i) {
        if (!project.Start(name, 1, 0)) {
            code = CTKLErrors::GetLastErrorCode();
            if (code == DIERR_DEVICEFULL)
                break;
        }
    }
    TVXReleaseProject(listing);
    EXPECT_EQ(code, DIERR_DEVICEFULL);
    EXPECT_EQ(kernel().effects("event0").size(), 4u) << "full, and only what was made";
    project.Close();
    EXPECT_TRUE(kernel().effects("event0").empty());
}

}  // namespace
}  // namespace evtest
