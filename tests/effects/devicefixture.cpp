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

std::string kind_suffix(const ::testing::TestParamInfo<DeviceKind>& info) {
    return kind_name(info.param);
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
}

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
    SimCall none = {};
    if (found.empty())
        ADD_FAILURE() << "the device received no " << op;
    return found.empty() ? none : found.back();
}

GUID Devices::device_kind(const GUID& product) const {
    GUID kind = product;
    if (directInput())
        tkl::translate_to_directinput(kind);
    return kind;
}

void Devices::expect_sent(const Sent& e) {
    const std::vector<SimCall> sent = calls("SetParameters");
    ASSERT_EQ(sent.size(), 1u);
    const SimEffectParams& p = sent[0].params;
    EXPECT_EQ(sent[0].args[0], e.mask) << "mask";
    if (e.mask & (TACTRA_EP_DIRECTION | TACTRA_EP_TRIGGERBUTTON)) {
        EXPECT_EQ(p.dwFlags, e.flags);
    }
    if (e.mask & TACTRA_EP_DIRECTION) {
        EXPECT_EQ(p.rglDirection[0], e.dir[0]);
        EXPECT_EQ(p.rglDirection[1], e.dir[1]);
    }
    if (e.mask & TACTRA_EP_DURATION) {
        EXPECT_EQ(p.dwDuration, e.us);
    }
    if (e.mask & TACTRA_EP_ENVELOPE) {
        EXPECT_EQ(bool(p.hasEnvelope), e.env);
        EXPECT_EQ(p.envelope.dwFadeTime, e.fade);
    }
    if (e.mask & TACTRA_EP_SAMPLEPERIOD) {
        EXPECT_EQ(p.dwSamplePeriod, e.sample);
    }
    if (e.mask & TACTRA_EP_GAIN) {
        EXPECT_EQ(p.dwGain, e.gain);
    }
    if (e.mask & TACTRA_EP_TRIGGERREPEATINTERVAL) {
        EXPECT_EQ(p.dwTriggerRepeatInterval, e.repeat);
    }
    if (e.mask & TACTRA_EP_TRIGGERBUTTON) {  // button n is DirectInput's offset 48 + n
        EXPECT_EQ(p.dwTriggerButton, directInput() ? e.button + 48 : e.button);
    }
    if (e.mask & TACTRA_EP_TYPESPECIFICPARAMS) {
        EXPECT_EQ(block_words(p), e.words);
    }
}

std::vector<LONG> block_words(const SimEffectParams& p) {
    std::vector<LONG> words(p.cbTypeSpecificParams / sizeof(LONG));
    std::memcpy(words.data(), p.typeSpecific, words.size() * sizeof(LONG));
    return words;
}

LONG block_word(const SimEffectParams& p, size_t index) {
    const std::vector<LONG> words = block_words(p);
    if (index < words.size())
        return words[index];
    ADD_FAILURE() << "the block has " << words.size() << " words, none at " << index;
    return 0;
}

}  // namespace fxtest

std::ostream& operator<<(std::ostream& out, const GUID& g) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned long>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1],
                  g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return out << text;
}
