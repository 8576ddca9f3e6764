#pragma once
// The C interface suite's helpers: both software devices reset, the device calls of a run, and
// the same device opened through the C interface or through the classes.

#include "tkl/tkl.h"
#include "tkl/tkl_c.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "sim/simclient.h"

namespace capitest {

enum class Kind { ForceMouse, DirectInput };

class CApi : public ::testing::TestWithParam<Kind> {
protected:
    void SetUp() override;
    void TearDown() override;

    bool directInput() const { return GetParam() == Kind::DirectInput; }
    SimClient& sim() { return directInput() ? diSim_ : mouseSim_; }
    // Resets both devices; the force mouse is detached for a DirectInput run, so that the
    // factory opens the DirectInput device.
    void reset_devices();
    // A device through the C interface (a test failure when none opens).
    tkl_device open_c();
    // The effect calls the device received since the last reset: what they were given and
    // answered, without object ids.
    std::vector<SimCall> effect_calls();

    SimClient mouseSim_ = SimClient::mouse();
    SimClient diSim_ = SimClient::directInput();
};

// The calls must match one by one: operation, result, arguments, record.
void expect_same_calls(const std::vector<SimCall>& c, const std::vector<SimCall>& classes);

std::string kind_suffix(const ::testing::TestParamInfo<Kind>& info);

#define CAPI_ON_BOTH_DEVICES(suite)                                                            \
    INSTANTIATE_TEST_SUITE_P(, suite,                                                          \
                             ::testing::Values(::capitest::Kind::ForceMouse,                   \
                                               ::capitest::Kind::DirectInput),                 \
                             ::capitest::kind_suffix)

// The sample project file by its stem ("showcase").
std::string sample_path(const char* stem);

}  // namespace capitest
