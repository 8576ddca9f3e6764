#pragma once
// The effects suite's fixture: both software devices reset and one open device of each kind.
// Behaviour shared by both kinds is value-parameterised, so the kind ends the test's name.

#include "tkl/tkl.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "sim/simclient.h"

namespace fxtest {

enum class DeviceKind { ForceMouse, DirectInput };
const char* kind_name(DeviceKind kind);
inline void PrintTo(DeviceKind kind, std::ostream* out) { *out << kind_name(kind); }
std::string kind_suffix(const ::testing::TestParamInfo<DeviceKind>& info);

#define FX_ON_BOTH_DEVICES(suite)                                                          \
    INSTANTIATE_TEST_SUITE_P(, suite,                                                      \
                             ::testing::Values(::fxtest::DeviceKind::ForceMouse,           \
                                               ::fxtest::DeviceKind::DirectInput),         \
                             ::fxtest::kind_suffix)

const LONG NG = LONG(TKL_NOT_GIVEN);
const DWORD NGD = TKL_NOT_GIVEN;
TACTRA_ENVELOPE* const KEEP = TKL_ENVELOPE_NOT_GIVEN;

// What one SetParameters should carry; only the fields named by the mask are compared.
// Built as Sent(mask).direction(flags, x, y).duration(us)...
struct Sent {
    explicit Sent(DWORD mask) : mask(mask) {}
    Sent direction(DWORD f, LONG x, LONG y) const {
        Sent s = *this; s.flags = f; s.dir[0] = x; s.dir[1] = y; return s;
    }
    Sent duration(DWORD us) const {
        Sent s = *this; s.us = us; return s;
    }
    Sent envelope(bool has, DWORD fade = 0) const {
        Sent s = *this; s.env = has; s.fade = fade; return s;
    }
    Sent base(DWORD period, DWORD g, DWORD r) const {
        Sent s = *this; s.sample = period; s.gain = g; s.repeat = r; return s;
    }
    Sent trigger(DWORD f, DWORD b) const {
        Sent s = *this; s.flags = f; s.button = b; return s;
    }
    Sent block(std::vector<LONG> words) const {
        Sent s = *this; s.words = words; return s;
    }

    DWORD mask;
    DWORD flags = 0;  // compared with a direction or a trigger
    LONG dir[2] = {0, 0};
    DWORD us = 0;
    bool env = false;
    DWORD fade = 0;
    DWORD sample = 0, gain = 0, repeat = 0;
    DWORD button = 0;  // the product's index
    std::vector<LONG> words;
};

class Devices : public ::testing::TestWithParam<DeviceKind> {
protected:
    void SetUp() override;
    void TearDown() override;

    CTactraDevice* device() const { return directInput() ? dinput_ : mouse_; }
    SimClient& sim() { return directInput() ? diSim_ : mouseSim_; }
    bool directInput() const { return GetParam() == DeviceKind::DirectInput; }

    // The logged calls of one method on the test's device, in order.
    std::vector<SimCall> calls(const char* op);
    // The last one; a test failure and an all-zero call (no block) when there is none.
    SimCall last(const char* op);
    // The product kind as the device's record names it (DirectInput's GUID there).
    GUID device_kind(const GUID& product) const;
    // Checks the only SetParameters since the log was cleared.
    void expect_sent(const Sent& expected);

    SimClient mouseSim_ = SimClient::mouse();
    SimClient diSim_ = SimClient::directInput();
    CTactraDevice* mouse_ = nullptr;
    CTactraDevice* dinput_ = nullptr;
};

// The block's 32-bit words as a device received them.
std::vector<LONG> block_words(const SimEffectParams& params);
// One of them; a test failure and 0 past the block's end (a call that never came has none), so
// that the test fails alone rather than reading beyond the words.
LONG block_word(const SimEffectParams& params, size_t index);

}  // namespace fxtest

std::ostream& operator<<(std::ostream& out, const GUID& guid);
