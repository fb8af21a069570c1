#include "shading.h"

#include <algorithm>
#include <cmath>

namespace
{
// Upper left, towards the viewer; normalised.
constexpr float LIGHT_X = -0.48f;
constexpr float LIGHT_Y = -0.56f;
constexpr float LIGHT_Z = 0.675f;
} // namespace

Rgb LitSphere(const Rgb& base, float u, float v, float shine)
{
    const float z = std::sqrt(std::max(0.0f, 1.0f - u * u - v * v));
    const float diffuse = std::max(0.0f, u * LIGHT_X + v * LIGHT_Y + z * LIGHT_Z);
    Rgb colour = base * (0.32f + 0.9f * diffuse);
    // Reflection of the light towards the viewer: r = 2 (n.l) n - l, viewer along z.
    const float reflectZ = 2.0f * diffuse * z - LIGHT_Z;
    const float highlight = std::pow(std::max(0.0f, reflectZ), 24.0f) * shine;
    return Mix(colour, Rgb{255, 255, 255}, std::min(1.0f, highlight));
}

Rgb LitCylinder(const Rgb& base, float across)
{
    const float z = std::sqrt(std::max(0.0f, 1.0f - across * across));
    const float diffuse = std::max(0.0f, -across * 0.6f + z * 0.8f);
    return base * (0.35f + 0.85f * diffuse);
}

Rgb GlowingSphere(const Rgb& core, const Rgb& rim, float u, float v)
{
    const float distance = std::min(1.0f, std::sqrt(u * u + v * v));
    return Mix(core, rim, distance * distance);
}
