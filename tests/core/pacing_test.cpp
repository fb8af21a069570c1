#include "core/frame_pacing.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(FramePacing, ShortPassesSleepTheRestOfThirtyThreeMilliseconds)
{
    // The tick counter wraps after 49 days; the difference stays right.
    const std::tuple<unsigned, unsigned, int, unsigned> passes[] = {
        {1000, 1010, 10, 23}, {1000, 1000, 0, 33}, {1000, 1032, 32, 1},
        {1000, 1033, 33, 0},  {1000, 1040, 40, 0}, {0xFFFFFFF0u, 0x00000002u, 18, 15}};
    for (auto [start, now, frameTime, sleep] : passes)
    {
        EXPECT_EQ(ComputeFramePacing(start, now).frameTime, frameTime) << now;
        EXPECT_EQ(ComputeFramePacing(start, now).sleepMs, sleep) << now;
    }
}
