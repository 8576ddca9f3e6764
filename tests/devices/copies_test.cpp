// Copies of devices take their own references and module loads, so originals and copies can
// go in any order; and an open device keeps its module however other device objects come
// and go.
#include "devicetest.h"

#include <memory>

namespace {

using devtest::DeviceTest;
using devtest::ops;

class CopiesTest : public DeviceTest {};

TEST_F(CopiesTest, MouseCopiesSurviveTheirOriginalInEitherOrder) {
    for (bool originalFirst : {true, false}) {
        SCOPED_TRACE(originalFirst ? "original deleted first" : "copy deleted first");
        mouse.reset();
        auto original = std::make_unique<CTactraMouse>();
        ASSERT_TRUE(original->Initialize(devtest::app(), nullptr, 4));
        mouse.log_clear();
        auto copy = std::make_unique<CTactraMouse>(*original);
        EXPECT_EQ(ops(mouse, true), "AddRef AddRef") << "one reference each on root and device";
        EXPECT_TRUE(copy->HaveForceTactraMouse());
        EXPECT_EQ(copy->GetDevice(), original->GetDevice());
        std::unique_ptr<CTactraMouse>& first = originalFirst ? original : copy;
        std::unique_ptr<CTactraMouse>& second = originalFirst ? copy : original;
        first.reset();
        EXPECT_EQ(mouse.live_objects(), 2u) << "root and device still held by the other";
        EXPECT_TRUE(second->SwitchToAbsoluteMode(FALSE)) << CTKLErrors::GetLastErrorCode();
        second.reset();
        EXPECT_EQ(mouse.live_objects(), 0u);
    }
}

TEST_F(CopiesTest, MouseAssignmentReleasesWhatTheTargetHeld) {
    CTactraMouse a;
    ASSERT_TRUE(a.Initialize(devtest::app(), nullptr, 4));
    {
        CTactraMouse b;
        ASSERT_TRUE(b.Initialize(devtest::app(), nullptr, 4));
        EXPECT_EQ(mouse.live_objects(), 4u);
        b = a;
        EXPECT_EQ(mouse.live_objects(), 2u) << "b's own root and device are gone";
        EXPECT_EQ(b.GetDevice(), a.GetDevice());
        b = b;
        EXPECT_TRUE(b.HaveForceTactraMouse()) << "self-assignment keeps the device";
    }
    EXPECT_TRUE(a.SwitchToAbsoluteMode(TRUE));
    CTactraMouse closed;
    CTactraMouse closedCopy(closed);
    EXPECT_FALSE(closedCopy.HaveForceTactraMouse());
}

TEST_F(CopiesTest, DirectInputCopiesSurviveTheirOriginal) {
    auto original = std::make_unique<CTactraDXDevice>();
    ASSERT_TRUE(original->Initialize(devtest::app(), nullptr, nullptr, nullptr));
    di.log_clear();
    auto copy = std::make_unique<CTactraDXDevice>(*original);
    EXPECT_EQ(ops(di, true), "AddRef AddRef");
    original.reset();
    EXPECT_EQ(di.live_objects(), 2u);
    EXPECT_EQ(copy->GetDeviceType(), 3u);
    di.log_clear();
    copy.reset();
    EXPECT_EQ(ops(di, true), "Unacquire Release Release");
    CTactraDXDevice a, b;
    ASSERT_TRUE(a.Initialize(devtest::app(), nullptr, nullptr, nullptr));
    b = a;
    EXPECT_EQ(b.GetDevice(), a.GetDevice());
}

// No software device client here: the test sees the module's real load count.
TEST(DeviceModules, AnOpenMouseKeepsItsModuleWhileOthersComeAndGo) {
    CTKLErrors::SetErrorHandling(0);
    auto first = std::make_unique<CTactraMouse>();
    ASSERT_TRUE(first->Initialize(devtest::app(), nullptr, 4));
    auto second = std::make_unique<CTactraMouse>();
    ASSERT_TRUE(second->Initialize(devtest::app(), nullptr, 4));
    {
        CTactraMouse neverOpened;  // its reset must not free anybody's load
    }
    EXPECT_TRUE(first->SwitchToAbsoluteMode(TRUE));
    first.reset();
    EXPECT_NE(GetModuleHandleA("tactra.dll"), nullptr) << "unloaded under an open device";
    EXPECT_TRUE(second->SwitchToAbsoluteMode(FALSE));
    second.reset();
    EXPECT_EQ(GetModuleHandleA("tactra.dll"), nullptr) << "a load reference was leaked";
    CTKLErrors::SetErrorHandling(TKL_ERRH_DEBUG_OUTPUT);
}

}  // namespace
