#include "hand_image.h"

#include "fire_drawing.h"
#include "image_effects.h"
#include "painter.h"
#include "shading.h"

#include <cmath>

namespace
{
constexpr int SIZE = 64;
const Rgb SKIN{232, 178, 136};
const Rgb SLEEVE{44, 54, 120};
const Rgb CUFF{204, 160, 72};
const Point FIRE_CENTRE{31.5f, 13.0f};

// Skin lit by the torch and, near the fingertips, by the fireball above them.
Rgb FirelitSkin(const Rgb& shaded, float x, float y)
{
    const float dx = x - FIRE_CENTRE.x;
    const float dy = y - FIRE_CENTRE.y;
    const float nearness = std::max(0.0f, 1.0f - std::sqrt(dx * dx + dy * dy) / 22.0f);
    return Mix(shaded, shaded * Rgb{255, 190, 110} * 1.5f, nearness * nearness);
}

Shader FingerShader()
{
    return [](const ShapePoint& point)
    { return FirelitSkin(LitCylinder(SKIN, point.v), point.x, point.y); };
}

void DrawSleeve(Painter& painter)
{
    painter.FillPolygon({{13.0f, 64.0f}, {51.0f, 64.0f}, {45.0f, 47.0f}, {21.0f, 47.0f}},
                        [](const ShapePoint& point)
                        {
                            const float across = (point.x - 31.0f) / 19.0f;
                            const float folds = 0.88f + 0.12f * std::sin(point.x * 1.1f);
                            return SLEEVE * ((1.1f - 0.5f * across * across) * folds);
                        });
    painter.FillPolygon({{20.0f, 44.0f}, {46.0f, 44.0f}, {47.5f, 50.0f}, {18.5f, 50.0f}},
                        [](const ShapePoint& point)
                        { return CUFF * (1.3f - 0.5f * (point.y - 44.0f) / 6.0f); });
}

void DrawFingers(Painter& painter)
{
    const Shader finger = FingerShader();
    painter.FillCapsule({26.0f, 33.0f}, {22.5f, 20.0f}, 2.7f, finger);
    painter.FillCapsule({31.0f, 31.0f}, {30.0f, 17.0f}, 2.8f, finger);
    painter.FillCapsule({36.0f, 31.0f}, {37.5f, 18.5f}, 2.7f, finger);
    painter.FillCapsule({40.5f, 34.0f}, {44.0f, 23.0f}, 2.4f, finger);
}

void DrawPalm(Painter& painter)
{
    painter.FillEllipse(33.0f, 37.5f, 10.5f, 8.5f,
                        [](const ShapePoint& point) {
                            return FirelitSkin(
                                LitSphere(SKIN, point.u * 0.8f, point.v * 0.8f, 0.1f), point.x,
                                point.y);
                        });
    // The crease where the fingers leave the palm.
    painter.FillRect(25.0f, 31.0f, 17.0f, 1.0f, Painter::Flat(SKIN * 0.62f));
    painter.FillCapsule({24.0f, 42.0f}, {15.5f, 32.0f}, 3.0f, FingerShader());
}
} // namespace

Canvas MakeHand()
{
    Canvas canvas(SIZE, SIZE);
    Painter painter(canvas);
    DrawSleeve(painter);
    DrawFingers(painter);
    DrawPalm(painter);
    AddOutline(canvas, Color{24, 14, 10, 255});
    DrawFireball(canvas, FIRE_CENTRE.x, FIRE_CENTRE.y, 7.0f, PlayerFire(), 97);
    return canvas;
}
