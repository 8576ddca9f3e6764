// Lower-layer modules that load but lack their entry points.
#include "tkl/tkl.h"

#include <gtest/gtest.h>

namespace {

class NoEntryTest : public ::testing::Test {
protected:
    void SetUp() override { CTKLErrors::SetErrorHandling(0); }
    void TearDown() override { CTKLErrors::SetErrorHandling(TKL_ERRH_DEBUG_OUTPUT); }
};

TEST_F(NoEntryTest, BothDevicesFailWithCantInitializeAndFreeTheModule) {
    const struct {
        const char* module;
        bool mouse;
    } cases[] = {{"tactra.dll", true}, {"dinput.dll", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.module);
        CTKLErrors::SetErrorCode(TKL_ERR_NONE);
        BOOL ok;
        if (c.mouse) {
            CTactraMouse device;
            ok = device.Initialize(GetModuleHandleA(nullptr), nullptr, 4);
            EXPECT_NE(GetModuleHandleA(c.module), nullptr) << "the module did load";
        } else {
            CTactraDXDevice device;
            ok = device.Initialize(GetModuleHandleA(nullptr), nullptr, nullptr, nullptr);
            EXPECT_NE(GetModuleHandleA(c.module), nullptr) << "the module did load";
        }
        EXPECT_FALSE(ok);
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_CANT_INIT_DEVICE);
        EXPECT_EQ(GetModuleHandleA(c.module), nullptr) << "freed with the device";
    }
}

}  // namespace
