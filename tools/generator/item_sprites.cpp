#include "item_sprites.h"

#include "fire_drawing.h"
#include "image_effects.h"
#include "key_colours.h"
#include "painter.h"
#include "random.h"
#include "shading.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr int SIZE = 64;
constexpr Color OUTLINE{18, 12, 10, 255};
const Rgb GOLD{222, 172, 64};

void AddSparkles(Canvas& canvas, std::uint64_t seed, int count, const Rgb& colour, int top,
                 int bottom)
{
    Random random(seed);
    for (int sparkle = 0; sparkle < count; ++sparkle)
    {
        const int x = random.Range(12, 51);
        const int y = random.Range(top, bottom);
        if (canvas.Get(x, y).IsOpaque())
        {
            continue;
        }
        canvas.Set(x, y, ToColor(colour));
        canvas.Set(x - 1, y, ToColor(colour * 0.7f));
        canvas.Set(x + 1, y, ToColor(colour * 0.7f));
        canvas.Set(x, y - 1, ToColor(colour * 0.7f));
        canvas.Set(x, y + 1, ToColor(colour * 0.7f));
    }
}

Canvas MakeAmmo()
{
    Canvas canvas(SIZE, SIZE);
    Painter painter(canvas);
    const Rgb iron{88, 84, 90};
    // Three fire charges heaped in an iron bowl.
    DrawFireball(canvas, 32.0f, 37.0f, 8.0f, PlayerFire(), 31);
    DrawFireball(canvas, 24.0f, 45.0f, 7.5f, PlayerFire(), 37);
    DrawFireball(canvas, 40.0f, 45.0f, 7.5f, PlayerFire(), 41);
    painter.FillPolygon({{14.0f, 49.0f}, {50.0f, 49.0f}, {45.0f, 58.0f}, {19.0f, 58.0f}},
                        [iron](const ShapePoint& point)
                        { return LitCylinder(iron, (point.x - 32.0f) / 18.0f) * 1.1f; });
    painter.FillRect(14.0f, 48.0f, 36.0f, 2.0f, Painter::Flat(iron * 1.5f));
    painter.FillPolygon({{26.0f, 58.0f}, {38.0f, 58.0f}, {41.0f, 63.0f}, {23.0f, 63.0f}},
                        [iron](const ShapePoint& point)
                        { return LitCylinder(iron, (point.x - 32.0f) / 9.0f); });
    AddSparkles(canvas, 11, 5, Rgb{255, 210, 90}, 22, 34);
    AddOutline(canvas, OUTLINE);
    return canvas;
}

Canvas MakeHealthPotion()
{
    Canvas canvas(SIZE, SIZE);
    Painter painter(canvas);
    painter.SetOffset(0.0f, 1.0f); // resting on the floor
    const Rgb glass{176, 200, 210};
    const Rgb potion{206, 24, 40};
    // Flask: round belly, narrow neck, lip and cork.
    painter.FillEllipse(32.0f, 49.0f, 13.0f, 13.0f,
                        [&](const ShapePoint& point)
                        {
                            const bool filled = point.y > 42.0f;
                            const Rgb base = filled ? potion : glass * 0.55f;
                            return LitSphere(base, point.u, point.v, filled ? 1.0f : 1.4f);
                        });
    painter.FillRect(28.0f, 28.0f, 8.0f, 10.0f,
                     [glass](const ShapePoint& point)
                     { return LitCylinder(glass * 0.6f, point.u * 2.0f - 1.0f); });
    painter.FillRect(26.0f, 26.0f, 12.0f, 3.0f,
                     [glass](const ShapePoint& point)
                     { return LitCylinder(glass * 0.8f, point.u * 2.0f - 1.0f); });
    painter.FillRect(28.5f, 19.0f, 7.0f, 7.0f,
                     [](const ShapePoint& point) {
                         return LitCylinder(Rgb{150, 104, 60}, point.u * 2.0f - 1.0f);
                     });
    // The liquid's surface and a couple of bubbles.
    painter.FillRect(20.0f, 42.0f, 24.0f, 1.0f, Painter::Flat(Rgb{255, 110, 110}));
    painter.FillEllipse(36.5f, 51.5f, 1.6f, 1.6f, Painter::Flat(Rgb{255, 150, 150}));
    painter.FillEllipse(39.5f, 47.5f, 1.1f, 1.1f, Painter::Flat(Rgb{255, 150, 150}));
    AddOutline(canvas, OUTLINE);
    return canvas;
}

Canvas MakeOrb()
{
    Canvas canvas(SIZE, SIZE);
    Painter painter(canvas);
    // A claw stand of gold holding a softly glowing violet orb.
    painter.FillPolygon({{25.0f, 63.0f}, {39.0f, 63.0f}, {36.0f, 55.0f}, {28.0f, 55.0f}},
                        [](const ShapePoint& point)
                        { return LitCylinder(GOLD, (point.x - 32.0f) / 7.0f); });
    painter.FillCapsule({26.0f, 56.0f}, {22.0f, 46.0f}, 1.8f,
                        [](const ShapePoint& point) { return LitCylinder(GOLD, point.v); });
    painter.FillCapsule({38.0f, 56.0f}, {42.0f, 46.0f}, 1.8f,
                        [](const ShapePoint& point) { return LitCylinder(GOLD, -point.v); });
    painter.FillEllipse(32.0f, 41.0f, 12.0f, 12.0f,
                        [](const ShapePoint& point)
                        {
                            const Rgb glow =
                                GlowingSphere(Rgb{236, 214, 255}, Rgb{96, 46, 196},
                                              point.u * 0.9f + 0.15f, point.v * 0.9f + 0.15f);
                            return LitSphere(glow, point.u, point.v, 1.2f) * 1.25f;
                        });
    painter.FillCapsule({32.0f, 55.0f}, {32.0f, 51.0f}, 1.8f,
                        [](const ShapePoint& point) { return LitCylinder(GOLD, point.v); });
    AddSparkles(canvas, 23, 6, Rgb{230, 210, 255}, 22, 50);
    AddOutline(canvas, OUTLINE);
    return canvas;
}

Canvas MakeScroll()
{
    Canvas canvas(SIZE, SIZE);
    Painter painter(canvas);
    painter.SetOffset(0.0f, 1.0f); // resting on the floor
    const Rgb parchment{236, 218, 172};
    const Rgb rod{110, 64, 34};
    // A rolled parchment lying on the floor, tied with a red ribbon and sealed in wax.
    painter.FillEllipse(11.0f, 53.0f, 4.0f, 6.0f,
                        [rod](const ShapePoint& point)
                        { return LitSphere(rod, point.u, point.v, 0.5f); });
    painter.FillEllipse(53.0f, 53.0f, 4.0f, 6.0f,
                        [rod](const ShapePoint& point)
                        { return LitSphere(rod, point.u, point.v, 0.5f); });
    painter.FillRect(13.0f, 44.0f, 38.0f, 18.0f,
                     [parchment](const ShapePoint& point)
                     { return LitCylinder(parchment, point.v * 2.0f - 1.0f); });
    // The loose edge of the outer sheet.
    painter.FillRect(13.0f, 54.0f, 38.0f, 1.0f, Painter::Flat(parchment * 0.62f));
    painter.FillRect(29.0f, 44.0f, 6.0f, 18.0f,
                     [](const ShapePoint& point) {
                         return LitCylinder(Rgb{190, 30, 36}, point.v * 2.0f - 1.0f);
                     });
    painter.FillEllipse(32.0f, 56.5f, 4.0f, 3.5f,
                        [](const ShapePoint& point) {
                            return LitSphere(Rgb{150, 16, 24}, point.u, point.v, 0.8f);
                        });
    AddOutline(canvas, OUTLINE);
    return canvas;
}

// How far a point lies from the middle of a key's bow, measured so that each bow shape has
// its ring between the same two distances.
float BowDistance(KeyBow bow, float dx, float dy)
{
    switch (bow)
    {
    case KeyBow::Diamond:
        return (std::fabs(dx) + std::fabs(dy)) * 0.78f;
    case KeyBow::Square:
        return std::max(std::fabs(dx), std::fabs(dy)) * 1.08f;
    case KeyBow::Ring:
    default:
        return std::sqrt(dx * dx + dy * dy);
    }
}

Canvas MakeKey(const Rgb& metal, KeyBow bow)
{
    Canvas canvas(SIZE, SIZE);
    Painter painter(canvas);
    // An upright key: the bow on top (a ring, a diamond or a square, so the three keys differ
    // in shape as well as colour), the shaft down to the floor, the bit to the right.
    painter.FillCapsule({32.0f, 42.0f}, {32.0f, 60.5f}, 2.6f,
                        [metal](const ShapePoint& point) { return LitCylinder(metal, point.v); });
    painter.FillRect(34.0f, 51.0f, 7.0f, 4.0f,
                     [metal](const ShapePoint& point) { return metal * (1.2f - 0.6f * point.v); });
    painter.FillRect(34.0f, 56.0f, 5.0f, 4.0f,
                     [metal](const ShapePoint& point) { return metal * (1.2f - 0.6f * point.v); });
    painter.FillRect(27.5f, 44.0f, 9.0f, 3.0f,
                     [metal](const ShapePoint& point) { return metal * (1.35f - 0.7f * point.v); });
    for (int y = 20; y < 46; ++y)
    {
        for (int x = 18; x < 47; ++x)
        {
            const float dx = x + 0.5f - 32.0f;
            const float dy = y + 0.5f - 33.0f;
            const float distance = BowDistance(bow, dx, dy);
            if (distance >= 4.6f && distance <= 10.0f)
            {
                // Rounded like a torus: the outer rim faces the light on the upper left.
                const float radial = (distance - 7.3f) / 2.7f;
                const float length = std::max(0.5f, std::sqrt(dx * dx + dy * dy));
                const float facing = (-dx - dy) / (length * 1.414f);
                canvas.Set(x, y,
                           ToColor(LitCylinder(metal, -radial * facing) * (1.0f + 0.2f * facing)));
            }
        }
    }
    AddOutline(canvas, OUTLINE);
    return canvas;
}
} // namespace

Canvas MakeItemStrip()
{
    Canvas strip(SIZE * 7, SIZE);
    strip.Paste(MakeAmmo(), 0, 0);
    strip.Paste(MakeHealthPotion(), 64, 0);
    strip.Paste(MakeOrb(), 128, 0);
    strip.Paste(MakeScroll(), 192, 0);
    strip.Paste(MakeKey(BLUE_KEY_COLOUR, BLUE_KEY_BOW), 256, 0);
    strip.Paste(MakeKey(ORANGE_KEY_COLOUR, ORANGE_KEY_BOW), 320, 0);
    strip.Paste(MakeKey(BRONZE_KEY_COLOUR, BRONZE_KEY_BOW), 384, 0);
    return strip;
}
