#include "core/frame_pacing.h"

#include <gtest/gtest.h>

TEST(FramePacing, ShortPassesSleepTheRestOfThirtyThreeMilliseconds)
{
    EXPECT_EQ(ComputeFramePacing(1000, 1010).frameTime, 10);
    EXPECT_EQ(ComputeFramePacing(1000, 1010).sleepMs, 23u);
    EXPECT_EQ(ComputeFramePacing(1000, 1000).sleepMs, 33u);
    EXPECT_EQ(ComputeFramePacing(1000, 1032).sleepMs, 1u);
}

TEST(FramePacing, LongPassesAreFollowedAtOnce)
{
    EXPECT_EQ(ComputeFramePacing(1000, 1033).sleepMs, 0u);
    EXPECT_EQ(ComputeFramePacing(1000, 1040).sleepMs, 0u);
    EXPECT_EQ(ComputeFramePacing(1000, 1040).frameTime, 40);
    // The tick counter wraps after 49 days; the difference stays right.
    EXPECT_EQ(ComputeFramePacing(0xFFFFFFF0u, 0x00000002u).frameTime, 18);
}
