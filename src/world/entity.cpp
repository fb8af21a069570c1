#include "world/entity.h"

#include "core/utils.h"

#include <cmath>

bool Entity::IsCloseTo(double x, double y) const
{
    const std::int64_t dx = static_cast<std::int64_t>(x - mX);
    const std::int64_t dy = static_cast<std::int64_t>(y - mY);
    return dx * dx + dy * dy < 1024;
}

bool Entity::Overlaps(int tileX, int tileY) const
{
    const int left = static_cast<int>(mX - 16) / TILE_SIZE;
    const int right = static_cast<int>(mX + 16) / TILE_SIZE;
    const int top = static_cast<int>(mY - 16) / TILE_SIZE;
    const int bottom = static_cast<int>(mY + 16) / TILE_SIZE;
    return tileX >= left && tileX <= right && tileY >= top && tileY <= bottom;
}

std::int32_t DepthAlongFacing(double dx, double dy, double facing)
{
    const double u = dx * QuillUtils::DEGREES_TO_RADIANS;
    const double v = dy * QuillUtils::DEGREES_TO_RADIANS;
    const double a = facing * QuillUtils::ANGLE_TO_RADIANS;
    const double depth = std::cos(std::atan2(v, u) - a) * std::sqrt(u * u + v * v) + 1e-10;
    return static_cast<std::int32_t>(depth * QuillUtils::RADIANS_TO_DEGREES);
}
