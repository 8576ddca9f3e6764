#include "tests/effects/devicefixture.h"

#include <cstdio>
#include <cstring>

namespace fxtest {
namespace {

// Expected failures would flood the output: the suite reports through its assertions alone.
class QuietErrors : public ::testing::Environment {
    void SetUp() override { CTKLErrors::SetErrorHandling(0); }
    void TearDown() override { CTKLErrors::SetErrorHandling(TKL_ERRH_DEBUG_OUTPUT); }
};
::testing::Environment* const quiet = ::testing::AddGlobalTestEnvironment(new QuietErrors);

}  // namespace

const char* kind_name(DeviceKind kind) {
    return kind == DeviceKind::ForceMouse ? "ForceMouse" : "DirectInput";
}

void Devices::SetUp() {
    ASSERT_TRUE(mouseSim_.ok()) << "software force mouse not loadable";
    ASSERT_TRUE(diSim_.ok()) << "DirectInput stand-in not loadable";
    diSim_.reset();
    // Without a force mouse the factory falls back to DirectInput.
    mouseSim_.reset();
    mouseSim_.detach_all();
    dinput_ = CTactraDevice::CreateDevice(GetModuleHandleA(nullptr), nullptr);
    mouseSim_.reset();
    mouse_ = CTactraDevice::CreateDevice(GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(dinput_, nullptr) << "code " << CTKLErrors::GetLastErrorCode();
    ASSERT_NE(mouse_, nullptr) << "code " << CTKLErrors::GetLastErrorCode();
    ASSERT_EQ(dinput_->GetDeviceType(), TKL_DEVICE_TYPE_DIRECTINPUT);
    ASSERT_EQ(mouse_->GetDeviceType(), TKL_DEVICE_TYPE_MOUSE);
    mouseSim_.log_clear();
    diSim_.log_clear();
}

void Devices::TearDown() {
    delete mouse_;
    delete dinput_;
    CTKLErrors::SetErrorCode(TKL_ERR_NONE);
}

CTactraDevice* Devices::device() const { return directInput() ? dinput_ : mouse_; }

SimClient& Devices::sim() { return directInput() ? diSim_ : mouseSim_; }

std::vector<SimCall> Devices::calls(const char* op) {
    std::vector<SimCall> found;
    sim().for_each_call([&](const SimCall& call) {
        if (std::strcmp(call.op, op) == 0)
            found.push_back(call);
    });
    return found;
}

SimCall Devices::last(const char* op) {
    const std::vector<SimCall> found = calls(op);
    if (found.empty()) {
        ADD_FAILURE() << "the device received no " << op;
        SimCall none;
        std::memset(&none, 0, sizeof none);
        return none;
    }
    return found.back();
}

SimEffectState Devices::live_effect(unsigned object) {
    SimEffectState state;
    for (unsigned i = 0; sim().effect_get(i, &state); ++i)
        if (state.object == object)
            return state;
    ADD_FAILURE() << "no live effect " << object;
    std::memset(&state, 0, sizeof state);
    return state;
}

GUID Devices::device_kind(const GUID& product) const {
    GUID kind = product;
    if (directInput())
        tkl::translate_to_directinput(kind);
    return kind;
}

DWORD Devices::record_size() const {
    return directInput() ? DWORD(sizeof(DIEFFECT)) : DWORD(sizeof(TACTRA_EFFECT));
}

DWORD Devices::device_button(DWORD button) const { return directInput() ? button + 48 : button; }

}  // namespace fxtest

std::ostream& operator<<(std::ostream& out, const GUID& g) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned long>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1],
                  g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return out << text;
}
