#include "tests/capi/capitest.h"

#include <cstdio>
#include <cstring>

namespace capitest {
namespace {

class QuietErrors : public ::testing::Environment {
    void SetUp() override { tkl_set_error_handling(0); }
    void TearDown() override { tkl_set_error_handling(TKL_ERRH_DEBUG_OUTPUT); }
};
::testing::Environment* const quiet = ::testing::AddGlobalTestEnvironment(new QuietErrors);

bool is_effect_call(const char* op) {
    static const char* const ops[] = {"CreateEffect", "SetParameters", "Start", "Stop",
                                      "GetEffectStatus", "Unload"};
    for (const char* name : ops) {
        if (std::strcmp(op, name) == 0) return true;
    }
    return false;
}

}  // namespace

std::string kind_suffix(const ::testing::TestParamInfo<Kind>& info) {
    return info.param == Kind::ForceMouse ? "ForceMouse" : "DirectInput";
}

std::string sample_path(const char* stem) {
    return std::string(TKL_SAMPLE_PROJECTS) + "/" + stem + ".tvx";
}

void CApi::SetUp() {
    ASSERT_TRUE(mouseSim_.ok()) << "software force mouse not loadable";
    ASSERT_TRUE(diSim_.ok()) << "DirectInput stand-in not loadable";
    reset_devices();
}

void CApi::TearDown() {
    // Every test releases what it made: no object of either device is left alive.
    EXPECT_EQ(mouseSim_.live_objects(), 0u) << "force mouse objects left";
    EXPECT_EQ(diSim_.live_objects(), 0u) << "DirectInput objects left";
}

void CApi::reset_devices() {
    mouseSim_.reset();
    diSim_.reset();
    if (directInput()) mouseSim_.detach_all();
}

tkl_device CApi::open_c() {
    tkl_device device = nullptr;
    EXPECT_EQ(tkl_device_open(nullptr, nullptr, &device), TKL_OK);
    uint32_t type = 0;
    EXPECT_EQ(tkl_device_type(device, &type), TKL_OK);
    EXPECT_EQ(type, directInput() ? TKL_C_DEVICE_DIRECTINPUT : TKL_C_DEVICE_MOUSE);
    return device;
}

std::vector<SimCall> CApi::effect_calls() {
    std::vector<SimCall> found;
    sim().for_each_call([&](const SimCall& call) {
        if (is_effect_call(call.op)) found.push_back(call);
    });
    return found;
}

void expect_same_calls(const std::vector<SimCall>& c, const std::vector<SimCall>& classes) {
    ASSERT_EQ(c.size(), classes.size()) << "number of effect calls";
    for (size_t i = 0; i < c.size(); ++i) {
        const SimCall& a = c[i];
        const SimCall& b = classes[i];
        SCOPED_TRACE(std::string("call ") + std::to_string(i) + " " + b.op);
        EXPECT_STREQ(a.op, b.op);
        EXPECT_EQ(a.result, b.result);
        if (std::strcmp(b.op, "CreateEffect") != 0) {  // there args[0] is the new object's id
            for (int k = 0; k < 4; ++k) EXPECT_EQ(a.args[k], b.args[k]) << "args[" << k << "]";
        }
        EXPECT_EQ(a.hasParams, b.hasParams);
        if (!a.hasParams || !b.hasParams) continue;
        const SimEffectParams& p = a.params;
        const SimEffectParams& q = b.params;
        EXPECT_EQ(p.dwSize, q.dwSize);
        EXPECT_EQ(std::memcmp(&p.guid, &q.guid, sizeof(GUID)), 0) << "guid";
        EXPECT_EQ(p.dwFlags, q.dwFlags);
        EXPECT_EQ(p.dwDuration, q.dwDuration);
        EXPECT_EQ(p.dwSamplePeriod, q.dwSamplePeriod);
        EXPECT_EQ(p.dwGain, q.dwGain);
        EXPECT_EQ(p.dwTriggerButton, q.dwTriggerButton);
        EXPECT_EQ(p.dwTriggerRepeatInterval, q.dwTriggerRepeatInterval);
        EXPECT_EQ(p.cAxes, q.cAxes);
        for (int k = 0; k < SIM_MAX_AXES; ++k) {
            EXPECT_EQ(p.rgdwAxes[k], q.rgdwAxes[k]) << "axis " << k;
            EXPECT_EQ(p.rglDirection[k], q.rglDirection[k]) << "direction " << k;
        }
        EXPECT_EQ(p.hasEnvelope, q.hasEnvelope);
        EXPECT_EQ(std::memcmp(&p.envelope, &q.envelope, sizeof p.envelope), 0) << "envelope";
        EXPECT_EQ(p.cbTypeSpecificParams, q.cbTypeSpecificParams);
        EXPECT_EQ(p.hasTypeSpecific, q.hasTypeSpecific);
        const DWORD n = p.cbTypeSpecificParams < SIM_MAX_BLOCK ? p.cbTypeSpecificParams
                                                                : SIM_MAX_BLOCK;
        EXPECT_EQ(std::memcmp(p.typeSpecific, q.typeSpecific, n), 0) << "type-specific block";
        EXPECT_EQ(p.dwReserved, q.dwReserved);
    }
}

}  // namespace capitest
