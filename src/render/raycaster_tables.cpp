#include "render/raycaster_tables.h"

#include "core/utils.h"
#include "world/grid_math.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace
{
// The tables are offset by a tiny angle so that no ray runs exactly along a grid line.
constexpr double ANGLE_OFFSET = 0.0003272;
constexpr double TAN_30 = 0.5773502691896257;
// Light is full up to this distance and falls as LIGHT_REACH / distance beyond.
constexpr double LIGHT_REACH = 3072;
constexpr int HALF_TURN = FULL_TURN / 2;
constexpr int QUARTER_TURN = FULL_TURN / 4;

double TableAngle(int index)
{
    return index * QuillUtils::PI / HALF_TURN;
}
} // namespace

void RaycasterTables::BuildLight(int viewWidth)
{
    mProjectionDistance = viewWidth * 0.5 / TAN_30;
    mLight[0] = 0;
    for (int d = 1; d < LIGHT_SIZE; ++d)
    {
        mLight[static_cast<std::size_t>(d)] = std::min(MAX_LIGHT, LIGHT_REACH / d);
    }
}

void RaycasterTables::BuildTables()
{
    for (int i = 0; i < TABLE_SIZE; ++i)
    {
        const std::size_t at = static_cast<std::size_t>(i);
        const double angle = TableAngle(i);
        const double offset = angle + ANGLE_OFFSET;
        mTan[at] = std::tan(offset);
        mInvTan[at] = 1 / mTan[at];
        mStepY[at] = std::fabs(TILE_SIZE * mTan[at]);
        if (i >= HALF_TURN)
        {
            mStepY[at] = -mStepY[at];
        }
        mStepX[at] = std::fabs(TILE_SIZE / mTan[at]);
        if (i >= QUARTER_TURN && i <= 3 * QUARTER_TURN - 1)
        {
            mStepX[at] = -mStepX[at];
        }
        mCos[at] = std::cos(angle);
        mSin[at] = std::sin(angle);
        mInvCos[at] = 1 / std::cos(offset);
        mInvSin[at] = 1 / std::sin(offset);
    }
    for (int j = -HALF_VIEW; j <= HALF_VIEW; ++j)
    {
        mViewCos[static_cast<std::size_t>(j + HALF_VIEW)] = std::cos(TableAngle(j) + ANGLE_OFFSET);
    }
}

int RaycasterTables::RayAngle(double facing, int column)
{
    const long long angle = static_cast<long long>(TruncToInt(facing)) - HALF_VIEW + column;
    return static_cast<int>((angle % FULL_TURN + FULL_TURN) % FULL_TURN);
}

double RaycasterTables::LightAt(double distance) const
{
    const int index = std::clamp(TruncToInt(distance), 0, LIGHT_SIZE - 1);
    return std::min(mLight[static_cast<std::size_t>(index)], MAX_LIGHT);
}

double RaycasterTables::RoughAtan2(double y, double x)
{
    const double ax = std::fabs(x);
    const double ay = std::fabs(y);
    const double larger = std::max(ax, ay);
    if (std::isnan(x) || std::isnan(y))
    {
        return x + y;
    }
    if (larger == 0)
    {
        // The origin: atan2's answer for +0, +0.
        return 0;
    }
    // atan of a ratio from 0 to 1, by a polynomial within 2e-6.
    const double a = std::min(ax, ay) / larger;
    const double s = a * a;
    double angle =
        a * (0.99997726 +
             s * (-0.33262347 +
                  s * (0.19354346 + s * (-0.11643287 + s * (0.05265332 + s * -0.01172120)))));
    if (ay > ax)
    {
        angle = QuillUtils::PI / 2 - angle;
    }
    if (x < 0)
    {
        angle = QuillUtils::PI - angle;
    }
    return y < 0 ? -angle : angle;
}
