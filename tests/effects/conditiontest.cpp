#include "tests/effects/conditiontest.h"

namespace fxtest {

void Conditions::SetUp() {
    Devices::SetUp();
    ASSERT_GT(GetSystemMetrics(SM_CXSCREEN), 0);
}

void Conditions::move_cursor(LONG x, LONG y) {
    ASSERT_TRUE(SetCursorPos(x, y));
    POINT at = {-1, -1};
    ASSERT_TRUE(GetCursorPos(&at));
    ASSERT_EQ(at.x, x);
    ASSERT_EQ(at.y, y);
}

void Conditions::expect_created(const Created& e) {
    const SimEffectParams p = last("CreateEffect").params;
    EXPECT_EQ(p.dwFlags, e.flags);
    EXPECT_EQ(p.dwDuration, TACTRA_INFINITE);
    EXPECT_EQ(p.dwSamplePeriod, 0u);
    EXPECT_EQ(p.dwGain, 10000u);
    EXPECT_EQ(p.dwTriggerButton, TACTRA_NOTRIGGER);
    EXPECT_EQ(p.dwTriggerRepeatInterval, 0u);
    EXPECT_FALSE(p.hasEnvelope);
    ASSERT_EQ(p.cAxes, e.axes.size());
    EXPECT_EQ(std::vector<DWORD>(p.rgdwAxes, p.rgdwAxes + p.cAxes), e.axes);
    EXPECT_EQ(std::vector<LONG>(p.rglDirection, p.rglDirection + p.cAxes), e.direction);
    EXPECT_EQ(block_words(p), e.block);
}

std::vector<LONG> Conditions::held_block() {
    SimEffectState state = {};
    EXPECT_EQ(sim().effect_count(), 1u);
    EXPECT_TRUE(sim().effect_get(0, &state));
    return block_words(state.params);
}

}  // namespace fxtest
