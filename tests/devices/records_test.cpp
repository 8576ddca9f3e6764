// Record layouts: the exact 32-bit sizes on the Windows build; field order and natural
// alignment (no padding between 32-bit fields) everywhere.
#include "tkl/devices/tactrarecords.h"

#include <gtest/gtest.h>

#include <cstddef>

namespace {

TEST(Records, EffectRecordKeepsItsFieldOrder) {
    EXPECT_EQ(offsetof(TACTRA_EFFECT, guid), 4u);
    EXPECT_EQ(offsetof(TACTRA_EFFECT, dwFlags), 20u);
    EXPECT_EQ(offsetof(TACTRA_EFFECT, cAxes), 44u);
    EXPECT_EQ(offsetof(TACTRA_EFFECT, rgdwAxes), 48u);
    EXPECT_LT(offsetof(TACTRA_EFFECT, lpvTypeSpecificParams), offsetof(TACTRA_EFFECT, dwReserved));
    if (sizeof(void*) == 4) {
        EXPECT_EQ(sizeof(TACTRA_EFFECT), 72u);
        EXPECT_EQ(offsetof(TACTRA_EFFECT, dwReserved), 68u);
        EXPECT_EQ(sizeof(TACTRA_ENCLOSURE), 56u);
        EXPECT_EQ(sizeof(TACTRA_ELLIPSE), 44u);
        EXPECT_EQ(sizeof(TACTRA_CUSTOMFORCE), 16u);
    }
}

TEST(Records, BlocksWithoutPointersHaveFixedSizes) {
    EXPECT_EQ(sizeof(TACTRA_ENVELOPE), 20u);
    EXPECT_EQ(sizeof(TACTRA_CONDITION), 24u);
    EXPECT_EQ(sizeof(TACTRA_CONDITION[2]), 48u);
    EXPECT_EQ(sizeof(TACTRA_TEXTURE), 32u);
    EXPECT_EQ(sizeof(TACTRA_TEXTURE[2]), 64u);
    EXPECT_EQ(sizeof(TACTRA_CONSTANTFORCE), 4u);
    EXPECT_EQ(sizeof(TACTRA_RAMPFORCE), 8u);
    EXPECT_EQ(sizeof(TACTRA_PERIODIC), 16u);
    EXPECT_EQ(sizeof(TACTRA_PROPDWORD), 20u);
    EXPECT_EQ(sizeof(TACTRA_PROPRESOLUTION), 24u);
    EXPECT_EQ(sizeof(TACTRA_PROPHEADER), 16u);
    EXPECT_EQ(offsetof(TACTRA_DEVICEINSTANCE, guidInstance), 4u);
    EXPECT_EQ(offsetof(TACTRA_ENCLOSURE, dwStyle), 36u);
    EXPECT_EQ(offsetof(TACTRA_ELLIPSE, dwWallSaturation), 36u);
}

TEST(Records, MaskBitsEqualDirectInputs) {
    EXPECT_EQ(TACTRA_EP_DURATION, 0x01u);
    EXPECT_EQ(TACTRA_EP_SAMPLEPERIOD, 0x02u);
    EXPECT_EQ(TACTRA_EP_GAIN, 0x04u);
    EXPECT_EQ(TACTRA_EP_TRIGGERBUTTON, 0x08u);
    EXPECT_EQ(TACTRA_EP_TRIGGERREPEATINTERVAL, 0x10u);
    EXPECT_EQ(TACTRA_EP_DIRECTION, 0x40u);
    EXPECT_EQ(TACTRA_EP_ENVELOPE, 0x80u);
    EXPECT_EQ(TACTRA_EP_TYPESPECIFICPARAMS, 0x100u);
}

}  // namespace
