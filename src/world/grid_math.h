#pragma once

#include <climits>
#include <cmath>

// Number conversions of the grid arithmetic that stay defined for any input: a
// hostile map or a far-off position must never reach undefined behaviour.

// Truncates toward zero like a cast, clamped to the int range (NaN gives 0).
inline int TruncToInt(double value)
{
    if (!(value == value))
    {
        return 0;
    }
    if (value >= static_cast<double>(INT_MAX))
    {
        return INT_MAX;
    }
    if (value <= static_cast<double>(INT_MIN))
    {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

// The tile of a world coordinate, rounding down so that coordinates left of or
// above the map give negative tiles (for coordinates on the map this is the
// same as truncating).
inline int TileOf(double coordinate)
{
    return TruncToInt(std::floor(coordinate / 64.0));
}

// Integer division by 64 rounding down.
inline int TileOf(int coordinate)
{
    const long long value = coordinate;
    return static_cast<int>(value >= 0 ? value / 64 : -((-value + 63) / 64));
}
