#include "color.h"

#include <cmath>

namespace
{
std::uint8_t ToChannel(float value)
{
    if (value <= 0.0f)
    {
        return 0;
    }
    if (value >= 255.0f)
    {
        return 255;
    }
    return static_cast<std::uint8_t>(std::lround(value));
}
} // namespace

Rgb Mix(const Rgb& a, const Rgb& b, float t)
{
    return a + (b - a) * t;
}

Color ToColor(const Rgb& colour)
{
    return {ToChannel(colour.r), ToChannel(colour.g), ToChannel(colour.b), 255};
}

Rgb ToRgb(const Color& colour)
{
    return {static_cast<float>(colour.r), static_cast<float>(colour.g),
            static_cast<float>(colour.b)};
}

float Clamp01(float x)
{
    if (x < 0.0f)
    {
        return 0.0f;
    }
    return x > 1.0f ? 1.0f : x;
}

float SmoothStep(float edge0, float edge1, float x)
{
    const float t = Clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}
