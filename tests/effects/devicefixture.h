#pragma once
// The effects suite's fixture: both software devices reset, and one open device of each kind.
// Tests that hold for both kinds are value-parameterised over DeviceKind, so the kind shows in
// the test's name (…/ForceMouse, …/DirectInput).

#include "tkl/tkl.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "sim/simclient.h"

namespace fxtest {

enum class DeviceKind { ForceMouse, DirectInput };

const char* kind_name(DeviceKind kind);
inline void PrintTo(DeviceKind kind, std::ostream* out) { *out << kind_name(kind); }

// Both device kinds, for INSTANTIATE_TEST_SUITE_P with the kind as the name suffix.
#define FX_ON_BOTH_DEVICES(suite)                                                          \
    INSTANTIATE_TEST_SUITE_P(, suite,                                                      \
                             ::testing::Values(::fxtest::DeviceKind::ForceMouse,           \
                                               ::fxtest::DeviceKind::DirectInput),         \
                             [](const ::testing::TestParamInfo<::fxtest::DeviceKind>& i) { \
                                 return std::string(::fxtest::kind_name(i.param));          \
                             })

class Devices : public ::testing::TestWithParam<DeviceKind> {
protected:
    void SetUp() override;
    void TearDown() override;

    // The device and software device of the test's kind.
    CTactraDevice* device() const;
    SimClient& sim();
    bool directInput() const { return GetParam() == DeviceKind::DirectInput; }

    // The logged calls of one method on the test's device, in order.
    std::vector<SimCall> calls(const char* op);
    // The last logged call of that method; a test failure when there is none.
    SimCall last(const char* op);
    // The live effect the software device holds with that object id.
    SimEffectState live_effect(unsigned object);

    // What the device's own record calls the kind: DirectInput's GUID on DirectInput.
    GUID device_kind(const GUID& product) const;
    // The record size the device receives.
    DWORD record_size() const;
    // A trigger button as the device sees it (button n is 48 + n on DirectInput).
    DWORD device_button(DWORD button) const;

    SimClient mouseSim_ = SimClient::mouse();
    SimClient diSim_ = SimClient::directInput();
    CTactraDevice* mouse_ = nullptr;
    CTactraDevice* dinput_ = nullptr;
};

}  // namespace fxtest

std::ostream& operator<<(std::ostream& out, const GUID& guid);
