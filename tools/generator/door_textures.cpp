#include "door_textures.h"

#include "bitmap_font.h"
#include "fractal_noise.h"
#include "painter.h"
#include "wood_grain.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace
{
constexpr int SIZE = 64;
const int PLANK_EDGES[] = {0, 10, 21, 32, 43, 54, 64};
const Rgb DOOR_WOOD{132, 86, 48};
const Rgb LOCKED_DOOR_WOOD{104, 64, 40};
const Rgb IRON{92, 92, 100};

int PlankAt(int x)
{
    int plank = 0;
    while (x >= PLANK_EDGES[plank + 1])
    {
        ++plank;
    }
    return plank;
}

Canvas PaintPlanks(const Rgb& wood, std::uint64_t seed)
{
    const WoodGrain grain(seed, true);
    Canvas canvas(SIZE, SIZE);
    for (int y = 0; y < SIZE; ++y)
    {
        for (int x = 0; x < SIZE; ++x)
        {
            const int plank = PlankAt(x);
            const int fromLeft = x - PLANK_EDGES[plank];
            const int fromRight = PLANK_EDGES[plank + 1] - 1 - x;
            Rgb colour = grain.At(wood, x, y, plank);
            if (fromLeft == 0)
            {
                colour = colour * 0.35f; // the gap between planks
            }
            else if (fromLeft == 1)
            {
                colour = colour * 1.18f;
            }
            else if (fromRight == 0)
            {
                colour = colour * 0.72f;
            }
            // The door's top and bottom rails are worn darker.
            if (y < 2 || y > SIZE - 3)
            {
                colour = colour * 0.6f;
            }
            canvas.Set(x, y, ToColor(colour));
        }
    }
    return canvas;
}

// Metal shaded as a slightly rounded strip: bright along the top, dark along the bottom.
Rgb MetalShade(const Rgb& metal, float acrossFraction)
{
    const float light = 1.35f - 0.75f * acrossFraction;
    return metal * light;
}

void DrawRivet(Canvas& canvas, int x, int y, const Rgb& metal)
{
    canvas.Set(x, y, ToColor(metal * 1.8f));
    canvas.Set(x + 1, y, ToColor(metal * 1.1f));
    canvas.Set(x, y + 1, ToColor(metal * 1.1f));
    canvas.Set(x + 1, y + 1, ToColor(metal * 0.45f));
}

void DrawBand(Canvas& canvas, int top, int height, const Rgb& metal)
{
    for (int y = top; y < top + height; ++y)
    {
        const float across = static_cast<float>(y - top) / static_cast<float>(height - 1);
        for (int x = 0; x < SIZE; ++x)
        {
            canvas.Set(x, y, ToColor(MetalShade(metal, across)));
        }
    }
    // Shadow cast on the wood under the band.
    for (int x = 0; x < SIZE; ++x)
    {
        canvas.Set(x, top + height, ToColor(ToRgb(canvas.Get(x, top + height)) * 0.55f));
    }
    for (int plank = 0; plank < 6; ++plank)
    {
        const int centre = (PLANK_EDGES[plank] + PLANK_EDGES[plank + 1]) / 2;
        DrawRivet(canvas, centre - 1, top + height / 2 - 1, metal);
    }
}

void DrawRingHandle(Canvas& canvas, int cx, int cy)
{
    Painter painter(canvas);
    painter.FillEllipse(static_cast<float>(cx), static_cast<float>(cy) - 3.0f, 3.5f, 3.5f,
                        Painter::Flat(IRON * 0.55f));
    for (int y = cy - 4; y <= cy + 8; ++y)
    {
        for (int x = cx - 7; x <= cx + 7; ++x)
        {
            const float dx = static_cast<float>(x - cx);
            const float dy = static_cast<float>(y - cy - 2);
            const float distance = std::sqrt(dx * dx + dy * dy);
            if (distance >= 3.6f && distance <= 5.6f)
            {
                const float light = dy < 0.0f ? 1.5f : 0.9f;
                canvas.Set(x, y, ToColor(IRON * (light - 0.12f * (distance - 3.6f))));
            }
        }
    }
}

void DrawLockPlate(Canvas& canvas, const Rgb& colour)
{
    constexpr int left = 21;
    constexpr int top = 22;
    constexpr int width = 22;
    constexpr int height = 26;
    const FractalNoise scratches(901, 16, 16, 2);
    for (int y = top; y < top + height; ++y)
    {
        for (int x = left; x < left + width; ++x)
        {
            const int fromEdge = std::min(std::min(x - left, y - top),
                                          std::min(left + width - 1 - x, top + height - 1 - y));
            const float diagonal =
                static_cast<float>((x - left) + (y - top)) / static_cast<float>(width + height);
            Rgb shade = colour * (1.35f - 0.6f * diagonal);
            shade = shade * (0.92f + 0.16f * scratches.Sample(x / 64.0f, y / 64.0f));
            if (fromEdge == 0)
            {
                shade = colour * 0.3f;
            }
            else if (fromEdge == 1)
            {
                const bool litEdge = x - left == 1 || y - top == 1;
                shade = litEdge ? Mix(colour, Rgb{255, 255, 255}, 0.5f) : colour * 0.55f;
            }
            canvas.Set(x, y, ToColor(shade));
        }
    }
    DrawRivet(canvas, left + 3, top + 3, colour);
    DrawRivet(canvas, left + width - 5, top + 3, colour);
    DrawRivet(canvas, left + 3, top + height - 5, colour);
    DrawRivet(canvas, left + width - 5, top + height - 5, colour);
    // The keyhole: a round top over a tapering slot.
    Painter painter(canvas);
    painter.FillEllipse(32.0f, 32.0f, 2.6f, 2.6f, Painter::Flat(Rgb{10, 8, 8}));
    painter.FillPolygon({{30.6f, 33.0f}, {33.4f, 33.0f}, {34.2f, 40.0f}, {29.8f, 40.0f}},
                        Painter::Flat(Rgb{10, 8, 8}));
}

void DrawText2x(Canvas& canvas, const std::string& text, int left, int top, const Rgb& ink)
{
    for (std::size_t index = 0; index < text.size(); ++index)
    {
        const int glyphLeft = left + static_cast<int>(index) * 12;
        for (int row = 0; row < 7; ++row)
        {
            for (int column = 0; column < BitmapFont::GLYPH_WIDTH; ++column)
            {
                if (!BitmapFont::IsInk(text[index], column, row))
                {
                    continue;
                }
                for (int sub = 0; sub < 4; ++sub)
                {
                    const int x = glyphLeft + column * 2 + sub % 2;
                    const int y = top + row * 2 + sub / 2;
                    canvas.Set(x + 1, y + 1, Color{6, 30, 12, 255});
                    canvas.Set(x, y, ToColor(ink));
                }
            }
        }
    }
}

void DrawExitSign(Canvas& canvas)
{
    constexpr int left = 5;
    constexpr int top = 4;
    constexpr int width = 54;
    constexpr int height = 22;
    for (int y = top; y < top + height; ++y)
    {
        for (int x = left; x < left + width; ++x)
        {
            const int fromEdge = std::min(std::min(x - left, y - top),
                                          std::min(left + width - 1 - x, top + height - 1 - y));
            const float glow = 1.0f - std::fabs(static_cast<float>(y - top) / height - 0.5f);
            Rgb colour = Rgb{26, 150, 62} * (0.75f + 0.4f * glow);
            if (fromEdge == 0)
            {
                colour = Rgb{14, 14, 12};
            }
            else if (fromEdge == 1)
            {
                colour = Rgb{150, 150, 140};
            }
            canvas.Set(x, y, ToColor(colour));
        }
    }
    DrawText2x(canvas, "EXIT", left + 5, top + 4, Rgb{250, 255, 240});
    // Shadow under the sign on the planks.
    for (int x = left; x < left + width; ++x)
    {
        canvas.Set(x, top + height, ToColor(ToRgb(canvas.Get(x, top + height)) * 0.5f));
    }
}
} // namespace

Canvas MakeStandardDoor()
{
    Canvas door = PaintPlanks(DOOR_WOOD, 601);
    DrawBand(door, 9, 5, IRON);
    DrawBand(door, 50, 5, IRON);
    DrawRingHandle(door, 51, 31);
    return door;
}

Canvas MakeLockedDoor(const Rgb& keyColour)
{
    Canvas door = PaintPlanks(LOCKED_DOOR_WOOD, 613);
    const Rgb bandMetal = Mix(IRON, keyColour, 0.55f) * 0.9f;
    DrawBand(door, 6, 5, bandMetal);
    DrawBand(door, 53, 5, bandMetal);
    DrawLockPlate(door, keyColour);
    return door;
}

Canvas MakeExitDoor()
{
    Canvas door = PaintPlanks(DOOR_WOOD * 0.9f, 631);
    DrawExitSign(door);
    DrawBand(door, 50, 5, IRON);
    DrawRingHandle(door, 51, 35);
    return door;
}
