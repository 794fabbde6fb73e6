// The frame time the loops hand to the game.
#include <gtest/gtest.h>

#include "FrameTime.h"

TEST(FrameTime, TicksBecomeWholeMicrosecondsThenSeconds) {
    EXPECT_FLOAT_EQ(frameSeconds(123456, 10000000), 0.012345f);
    // 123459 ticks are 12345.9 microseconds: the fraction is dropped.
    EXPECT_EQ(frameSeconds(123459, 10000000), frameSeconds(123450, 10000000));
    EXPECT_FLOAT_EQ(frameSeconds(3000000, 1000000), 3.0f);
    EXPECT_EQ(frameSeconds(0, 10000000), 0.0f);
    EXPECT_LT(frameSeconds(119999, 10000000), minimumFrameSeconds);
    EXPECT_GE(frameSeconds(120000, 10000000), minimumFrameSeconds);
}

TEST(FrameTime, NoFrequencyAndHugeSpansDoNotTrap) {
    EXPECT_EQ(frameSeconds(1000, 0), 0.0f);
    // Past 2^63 / 10^6 ticks the product wraps, as the counter arithmetic does.
    float wrapped = frameSeconds(INT64_MAX / 2, 10000000);
    EXPECT_TRUE(wrapped == wrapped);
}
