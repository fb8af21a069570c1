#include "fire_drawing.h"

#include "fractal_noise.h"

#include <cmath>

namespace
{
constexpr float TWO_PI = 6.2831853f;

Rgb HeatColour(float heat, const FirePalette& palette)
{
    if (heat > 0.62f)
    {
        return palette.core;
    }
    if (heat > 0.42f)
    {
        return palette.hot;
    }
    if (heat > 0.2f)
    {
        return palette.warm;
    }
    return palette.rim;
}
} // namespace

FirePalette PlayerFire()
{
    return {{255, 250, 222}, {255, 214, 72}, {248, 130, 26}, {192, 44, 14}};
}

FirePalette EnemyFire()
{
    return {{236, 255, 226}, {150, 255, 112}, {60, 204, 64}, {22, 112, 44}};
}

void DrawFireball(Canvas& canvas, float cx, float cy, float radius, const FirePalette& palette,
                  std::uint64_t seed)
{
    const FractalNoise tongues(seed, 9, 1, 2);
    const int reach = static_cast<int>(std::ceil(radius * 1.7f));
    for (int y = static_cast<int>(cy) - reach; y <= static_cast<int>(cy) + reach; ++y)
    {
        for (int x = static_cast<int>(cx) - reach; x <= static_cast<int>(cx) + reach; ++x)
        {
            const float dx = (x + 0.5f - cx) / radius;
            const float dy = (y + 0.5f - cy) / radius;
            const float distance = std::sqrt(dx * dx + dy * dy);
            // The rim is torn into tongues by noise read around the circle, longer on top.
            const float angle = std::atan2(dy, dx) / TWO_PI + 0.5f;
            const float lick = tongues.Sample(angle, 0.0f);
            const float rim = 0.92f + 0.75f * lick * lick - 0.3f * dy / (distance + 0.001f);
            const float heat = 1.0f - distance / rim;
            if (heat > 0.0f)
            {
                canvas.Set(x, y, ToColor(HeatColour(heat, palette)));
            }
        }
    }
}
