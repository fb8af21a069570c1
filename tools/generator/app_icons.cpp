#include "app_icons.h"

#include "png_writer.h"
#include "title_lettering.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr int ICON_SIZES[] = {32, 48, 64, 128, 256};

const Rgb STONE_TOP{58, 66, 118};
const Rgb STONE_BOTTOM{18, 20, 46};
const Rgb MORTAR{10, 10, 26};
const Rgb GLOW{255, 136, 40};
const Rgb RIM{214, 164, 72};

// Signed distance from a pixel centre to the edge of a rounded square filling
// the canvas less a margin: negative inside.
float TileDistance(float x, float y, float size)
{
    const float margin = size / 16.0f;
    const float radius = size * 0.18f;
    const float half = size / 2.0f - margin - radius;
    const float dx = std::max(std::fabs(x - size / 2.0f) - half, 0.0f);
    const float dy = std::max(std::fabs(y - size / 2.0f) - half, 0.0f);
    return std::hypot(dx, dy) - radius;
}

// Courses of bricks, each row of them shifted by half a brick.
bool IsMortar(float x, float y, float size)
{
    const float course = size / 6.0f;
    const float line = std::max(1.0f, size / 64.0f);
    const int row = static_cast<int>(y / course);
    const float shifted = x + (row % 2 == 0 ? 0.0f : course);
    return std::fmod(y, course) < line || std::fmod(shifted, course * 2.0f) < line;
}

Rgb TileColour(float x, float y, float size, float distance)
{
    const float rimWidth = std::max(1.0f, size / 40.0f);
    if (distance > -rimWidth)
    {
        return RIM;
    }
    Rgb colour = Mix(STONE_TOP, STONE_BOTTOM, y / size);
    if (IsMortar(x, y, size))
    {
        colour = Mix(colour, MORTAR, 0.6f);
    }
    // The glow of a fire below the letter, strongest at the tile's lower middle.
    const float glowDistance = std::hypot(x - size * 0.5f, y - size * 0.72f) / (size * 0.55f);
    const float glow = std::pow(std::max(0.0f, 1.0f - glowDistance), 2.0f) * 0.7f;
    return Mix(colour, GLOW, glow);
}

Color Blend(const Rgb& colour, float coverage)
{
    Color pixel = ToColor(colour);
    pixel.a = static_cast<std::uint8_t>(std::lround(Clamp01(coverage) * 255.0f));
    return pixel;
}
} // namespace

Canvas MakeAppIcon(int size)
{
    const float side = static_cast<float>(size);
    Canvas icon(size, size);
    for (int y = 0; y < size; ++y)
    {
        for (int x = 0; x < size; ++x)
        {
            const float px = x + 0.5f;
            const float py = y + 0.5f;
            const float distance = TileDistance(px, py, side);
            if (distance < 0.5f)
            {
                icon.Set(x, y, Blend(TileColour(px, py, side, distance), 0.5f - distance));
            }
        }
    }
    const int letterSize = size * 13 / 16;
    const int offset = (size - letterSize) / 2;
    icon.Overlay(RenderLettering("Q", letterSize, letterSize), offset, offset);
    return icon;
}

void WriteAppIcons(const std::string& directory)
{
    for (const int size : ICON_SIZES)
    {
        SavePng(MakeAppIcon(size), directory + "/quill3d-" + std::to_string(size) + ".png");
    }
}
