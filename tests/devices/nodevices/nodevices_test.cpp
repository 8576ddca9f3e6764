// Without the software devices beside the program.
#include "tkl/tkl.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/outputcapture.h"

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

// The code says only that the device did not open; the debugger line names the module and
// where it was looked for.
TEST_F(NoDevicesTest, MissingModuleIsNamedOnTheDebuggerOutput) {
    tkltest::OutputCapture capture;
    CTKLErrors::SetErrorHandling(TKL_ERRH_DEBUG_OUTPUT);
    CTactraMouse device;
    EXPECT_FALSE(device.Initialize(GetModuleHandleA(nullptr), nullptr, 4));
    const std::vector<std::string> lines = capture.debugLines();
    ASSERT_EQ(lines.size(), 2u);
#if defined(_WIN32)
    EXPECT_EQ(lines[0].rfind("*** TKL: module tactra.dll not found; looked for tactra.dll in the "
                             "program's folder (", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find("), then the system folders and PATH\n"), std::string::npos) << lines[0];
#else
    EXPECT_EQ(lines[0].rfind("*** TKL: module tactra.dll not found; looked for /", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find("/nodevices/libtactra.so, then libtactra.so on the dynamic linker's "
                            "search path"), std::string::npos) << lines[0];
#endif
    EXPECT_EQ(lines[1], "*** TKL Error!  \"Can't Initialize Device\" [ID = 9]\n");

    capture.clear();
    CTKLErrors::SetErrorHandling(0);
    EXPECT_FALSE(device.Initialize(GetModuleHandleA(nullptr), nullptr, 4));
    EXPECT_TRUE(capture.entries().empty()) << "the line follows the reporting flags";
}

TEST_F(NoDevicesTest, FactoryGivesNullWithTheDirectInputReason) {
    std::unique_ptr<CTactraDevice> device(CTactraDevice::CreateDevice(GetModuleHandleA(nullptr), nullptr));
    EXPECT_EQ(device, nullptr);
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), kDirectInputCode);
}

}  // namespace
