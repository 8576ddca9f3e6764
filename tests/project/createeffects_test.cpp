// TVXCreateEffects on the software force mouse: the records the device receives, the debugger
// line of each failure, and the interfaces released when a creation fails.
#include "tests/project/projecttest.h"
#include "tests/support/outputcapture.h"
#include "sim/simclient.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using namespace projecttest;

BOOL CALLBACK first_device(const TACTRA_DEVICEINSTANCE* instance, void* context) {
    *static_cast<GUID*>(context) = instance->guidInstance;
    return TACTRA_ENUM_STOP;
}

// An acquired force mouse opened the way applications open it, through TactraCreateA.
class CreateEffects : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim_.ok()) << "the software force mouse (tactra.dll) must load";
        sim_.reset();
        module_ = LoadLibraryA("tactra.dll");
        ASSERT_NE(module_, nullptr);
        auto create = reinterpret_cast<PFN_TactraCreateA>(
            reinterpret_cast<void*>(GetProcAddress(module_, "TactraCreateA")));
        ASSERT_NE(create, nullptr);
        ASSERT_EQ(create(GetModuleHandleA(nullptr), TACTRA_VERSION, &api_, nullptr), S_OK);
        GUID instance = {};
        ASSERT_EQ(api_->EnumDevices(TACTRA_DEVTYPE_FORCEMOUSE, first_device, &instance,
                                    TACTRA_EDFL_ATTACHEDONLY | TACTRA_EDFL_FORCEFEEDBACK), S_OK);
        ASSERT_EQ(api_->CreateDevice(instance, &device_, nullptr), S_OK);
        ASSERT_EQ(device_->SetCooperativeLevel(nullptr, TACTRA_SCL_EXCLUSIVE | TACTRA_SCL_BACKGROUND), S_OK);
        ASSERT_EQ(device_->Acquire(), S_OK);

        const std::string bytes = tvx::write_project({
            object("texture", "Texture", {{"PosRoughness", "3"}}),
            object("jolt", "Jolt", {{"Magnitude", "8000"}, {"Direction", "9000"}}),
            object("nothing", "Compound"),
        });
        project_ = TVXLoadProjectPointerSized(bytes.data(), DWORD(bytes.size()), device_);
        ASSERT_NE(project_, nullptr);
        sim_.log_clear();
    }
    void TearDown() override {
        if (project_)
            TVXReleaseProject(project_);
        if (device_) {
            device_->Unacquire();
            device_->Release();
        }
        if (api_)
            api_->Release();
        if (module_)
            FreeLibrary(module_);
    }

    // The CreateEffect calls the device received since the last log_clear.
    std::vector<SimCall> creations() const {
        std::vector<SimCall> calls;
        sim_.for_each_call([&](const SimCall& call) {
            if (std::strcmp(call.op, "CreateEffect") == 0)
                calls.push_back(call);
        });
        return calls;
    }

    SimClient sim_ = SimClient::mouse();
    HMODULE module_ = nullptr;
    ITactra* api_ = nullptr;
    ITactraDevice* device_ = nullptr;
    HTVXPROJECT project_ = nullptr;
};

TEST_F(CreateEffects, CreatesEachEffectFromItsRecord) {
    int count = 0;
    tkltest::OutputCapture output;
    ITactraEffect** effects = TVXCreateEffects(project_, "texture", &count);
    ASSERT_NE(effects, nullptr);
    EXPECT_EQ(count, 2);
    EXPECT_NE(effects[0], nullptr);
    EXPECT_NE(effects[1], nullptr);
    EXPECT_EQ(effects[2], nullptr);
    EXPECT_EQ(output.debugLines(), std::vector<std::string>{});
    EXPECT_EQ(sim_.effect_count(), 2u);

    const std::vector<SimCall> calls = creations();
    ASSERT_EQ(calls.size(), 2u);
    const DWORD expectedAxes[2] = {TACTRA_AXIS_X, TACTRA_AXIS_Y};
    for (int i = 0; i < 2; ++i) {
        const SimEffectParams& p = calls[i].params;
        EXPECT_EQ(calls[i].result, S_OK) << "call " << i;
        ASSERT_TRUE(calls[i].hasParams) << "call " << i;
        EXPECT_TRUE(IsEqualGUID(p.guid, GUID_Tactra_Texture)) << "call " << i << ": kind "
                                                               << tvx::kind_name(p.guid);
        EXPECT_EQ(p.dwSize, sizeof(TACTRA_EFFECT)) << "call " << i;
        EXPECT_EQ(p.dwFlags, 0x12u) << "call " << i;
        EXPECT_EQ(p.cAxes, 1u) << "call " << i;
        EXPECT_EQ(p.rgdwAxes[0], expectedAxes[i]) << "call " << i;
        EXPECT_EQ(p.cbTypeSpecificParams, sizeof(TACTRA_TEXTURE)) << "call " << i;
        TACTRA_TEXTURE texture;
        std::memcpy(&texture, p.typeSpecific, sizeof texture);
        EXPECT_EQ(texture.dwPositiveRoughness, 3u) << "call " << i;
        EXPECT_EQ(p.dwReserved, 0u) << "call " << i;
    }
    EXPECT_TRUE(TVXReleaseEffects(project_, effects));
    EXPECT_EQ(sim_.effect_count(), 0u);

    // An object without effects gives an empty list, and nothing is created.
    ITactraEffect** none = TVXCreateEffects(project_, "nothing", &count);
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(none[0], nullptr);
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(TVXReleaseEffects(project_, none));
    EXPECT_EQ(creations().size(), 2u);
}

TEST_F(CreateEffects, EachFailureWritesItsLineAndCreatesNothing) {
    const struct { HRESULT result; const char* line; } cases[] = {
        {TACTRA_ERROR_DEVICENOTREG, "CreateEffect failed with TACTRA_ERROR_DEVICENOTREG.\n"},
        {TACTRA_ERROR_DEVICEFULL, "CreateEffect failed with TACTRA_ERROR_DEVICEFULL.\n"},
        {TACTRA_ERROR_INPUTLOST, "CreateEffect failed with TACTRA_ERROR_INPUTLOST.\n"},
        {TACTRA_ERROR_INVALIDPARAM, "CreateEffect failed with TACTRA_ERROR_INVALIDPARAM.\n"},
        {E_FAIL, "CreateEffect failed with an unknown error.\n"},
        {TACTRA_ERROR_NOTACQUIRED, "CreateEffect failed with an unknown error.\n"},
    };
    for (const auto& c : cases) {
        tkltest::OutputCapture output;
        sim_.fail_next("CreateEffect", c.result);
        int count = 55;
        EXPECT_EQ(TVXCreateEffects(project_, "jolt", &count), nullptr) << c.line;
        EXPECT_EQ(count, 55) << c.line;
        EXPECT_EQ(output.debugLines(), std::vector<std::string>{c.line});
        EXPECT_EQ(sim_.effect_count(), 0u) << c.line;
    }
}

TEST_F(CreateEffects, SecondFailureReleasesTheFirst) {
    sim_.set_capacity(1);
    tkltest::OutputCapture output;
    EXPECT_EQ(TVXCreateEffects(project_, "texture", nullptr), nullptr);
    EXPECT_EQ(output.debugLines(),
              std::vector<std::string>{"CreateEffect failed with TACTRA_ERROR_DEVICEFULL.\n"});
    const std::vector<SimCall> calls = creations();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].result, S_OK);
    EXPECT_EQ(calls[1].result, TACTRA_ERROR_DEVICEFULL);
    EXPECT_EQ(sim_.effect_count(), 0u) << "the first effect must be released";
}

TEST_F(CreateEffects, NeedsADeviceAndAKnownName) {
    const std::string bytes = tvx::write_project({object("jolt", "Jolt")});
    Project deviceless(bytes);
    ASSERT_TRUE(deviceless);
    tkltest::OutputCapture output;
    EXPECT_EQ(TVXCreateEffects(deviceless.get(), "jolt", nullptr), nullptr);
    EXPECT_EQ(TVXCreateEffects(project_, "Jolt", nullptr), nullptr);
    EXPECT_EQ(TVXCreateEffects(project_, nullptr, nullptr), nullptr);
    EXPECT_EQ(creations().size(), 0u);
    EXPECT_EQ(output.debugLines(), std::vector<std::string>{});
}

}  // namespace
