// Whether a sprite's cell was seen walks only the rays whose angles can pass
// it, found by a rough arctangent widened by more than its error: that error
// must hold around the whole turn, or sprites would vanish at the edges.

#include "core/utils.h"
#include "render/raycaster.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

TEST(RaycasterTables, RoughAnglesStayWithinTheirError)
{
    // Around the whole turn, near the axes and the diagonals, at small and large scales.
    double worst = 0;
    for (int step = 0; step <= 200000; ++step)
    {
        const double turn = step * (2 * QuillUtils::PI / 200000);
        for (const double scale : {1e-3, 1.0, 77.5, 1e6})
        {
            const double x = std::cos(turn) * scale;
            const double y = std::sin(turn) * scale;
            double error = std::fabs(Raycaster::RoughAtan2(y, x) - std::atan2(y, x));
            // The two may name the half turn from either side.
            error = std::min(error, std::fabs(error - 2 * QuillUtils::PI));
            worst = std::max(worst, error);
        }
    }
    EXPECT_LE(worst, Raycaster::ROUGH_ATAN2_ERROR);
    EXPECT_GT(worst, 0.0);
    EXPECT_EQ(Raycaster::RoughAtan2(0, 0), 0.0);
    EXPECT_TRUE(std::isnan(Raycaster::RoughAtan2(std::nan(""), 1)));
}
