// Without the software devices beside the program.
#include "tkl/tkl.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

#if defined(_WIN32)
// The system's DirectInput loads and works, but has no force-feedback device.
const LONG kDirectInputCode = TKL_ERR_INVALID_GUID;
#else
const LONG kDirectInputCode = TKL_ERR_CANT_INIT_DEVICE;
#endif

class NoDevicesTest : public ::testing::Test {
protected:
    void SetUp() override { CTKLErrors::SetErrorHandling(0); }
    void TearDown() override { CTKLErrors::SetErrorHandling(TKL_ERRH_DEBUG_OUTPUT); }
};

TEST_F(NoDevicesTest, MouseWithoutItsLibraryCannotInitialize) {
    CTactraMouse device;
    EXPECT_FALSE(device.Initialize(GetModuleHandleA(nullptr), nullptr, 4));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_CANT_INIT_DEVICE);
    EXPECT_FALSE(device.HaveForceTactraMouse());
}

TEST_F(NoDevicesTest, DirectInputDeviceFindsNothingToOpen) {
    CTactraDXDevice device;
    EXPECT_FALSE(device.Initialize(GetModuleHandleA(nullptr), nullptr, nullptr, nullptr));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), kDirectInputCode);
    EXPECT_EQ(device.GetDevice(), nullptr);
}

TEST_F(NoDevicesTest, FactoryGivesNullWithTheDirectInputReason) {
    std::unique_ptr<CTactraDevice> device(CTactraDevice::CreateDevice(GetModuleHandleA(nullptr), nullptr));
    EXPECT_EQ(device, nullptr);
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), kDirectInputCode);
}

}  // namespace
