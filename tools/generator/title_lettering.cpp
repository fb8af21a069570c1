#include "title_lettering.h"

#include "image_effects.h"
#include "painter.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
using Stroke = std::vector<Point>;

// A letter in units of its height: x from 0 to width, y from 0 (cap line) to 1 (baseline).
struct StrokeGlyph
{
    float width = 0.35f;
    std::vector<Stroke> strokes;
};

constexpr float LETTER_GAP = 0.14f;
constexpr float SLANT = 0.12f;
constexpr int SUPERSAMPLE = 4;
constexpr float NIB_ANGLE_DEGREES = 35.0f;
constexpr float NIB_LENGTH = 0.1f; // half the nib's width, in letter heights
constexpr float NIB_THICKNESS = 0.028f;
constexpr float DEGREES = 0.017453292f;

// Points along an ellipse from one angle to another (degrees, 0 = right, 90 = down).
Stroke Arc(float cx, float cy, float rx, float ry, float fromDegrees, float toDegrees)
{
    Stroke points;
    const int steps = 48;
    for (int step = 0; step <= steps; ++step)
    {
        const float angle = (fromDegrees + (toDegrees - fromDegrees) * step / steps) * DEGREES;
        points.push_back({cx + rx * std::cos(angle), cy + ry * std::sin(angle)});
    }
    return points;
}

Stroke Join(std::initializer_list<Stroke> parts)
{
    Stroke joined;
    for (const Stroke& part : parts)
    {
        joined.insert(joined.end(), part.begin(), part.end());
    }
    return joined;
}

StrokeGlyph GlyphFor(char letter)
{
    switch (letter)
    {
    case 'A':
        return {0.8f,
                {{{0.02f, 1.0f}, {0.4f, 0.0f}, {0.78f, 1.0f}}, {{0.17f, 0.64f}, {0.63f, 0.64f}}}};
    case 'C':
        return {0.72f, {Arc(0.41f, 0.5f, 0.36f, 0.48f, -40.0f, -320.0f)}};
    case 'D':
        return {0.76f,
                {{{0.1f, 0.0f}, {0.1f, 1.0f}},
                 Join({{{0.1f, 0.0f}, {0.32f, 0.0f}},
                       Arc(0.32f, 0.5f, 0.4f, 0.5f, -90.0f, 90.0f),
                       {{0.1f, 1.0f}}})}};
    case 'E':
        return {0.62f,
                {{{0.6f, 0.03f}, {0.1f, 0.03f}, {0.1f, 0.97f}, {0.62f, 0.97f}},
                 {{0.1f, 0.5f}, {0.48f, 0.5f}}}};
    case 'H':
        return {0.76f,
                {{{0.1f, 0.0f}, {0.1f, 1.0f}},
                 {{0.66f, 0.0f}, {0.66f, 1.0f}},
                 {{0.1f, 0.5f}, {0.66f, 0.5f}}}};
    case 'I':
        return {0.32f,
                {{{0.16f, 0.0f}, {0.16f, 1.0f}},
                 {{0.02f, 0.03f}, {0.3f, 0.03f}},
                 {{0.02f, 0.97f}, {0.3f, 0.97f}}}};
    case 'L':
        return {0.62f,
                {{{0.12f, 0.0f}, {0.12f, 0.97f}, {0.62f, 0.97f}}, {{0.0f, 0.03f}, {0.26f, 0.03f}}}};
    case 'M':
        return {0.92f,
                {{{0.08f, 1.0f}, {0.1f, 0.0f}, {0.46f, 0.72f}, {0.82f, 0.0f}, {0.84f, 1.0f}}}};
    case 'N':
        return {0.74f, {{{0.09f, 1.0f}, {0.09f, 0.0f}, {0.65f, 1.0f}, {0.65f, 0.0f}}}};
    case 'O':
        return {0.82f, {Arc(0.41f, 0.5f, 0.36f, 0.48f, 0.0f, 360.0f)}};
    case 'P':
        return {0.66f,
                {{{0.1f, 0.0f}, {0.1f, 1.0f}},
                 Join({{{0.1f, 0.0f}, {0.32f, 0.0f}},
                       Arc(0.32f, 0.27f, 0.3f, 0.27f, -90.0f, 90.0f),
                       {{0.1f, 0.54f}}})}};
    case 'Q':
        return {0.82f,
                {Arc(0.41f, 0.5f, 0.36f, 0.47f, 0.0f, 360.0f), {{0.46f, 0.78f}, {0.8f, 1.06f}}}};
    case 'S':
        return {0.62f,
                {Join({Arc(0.31f, 0.25f, 0.27f, 0.23f, -20.0f, -270.0f),
                       Arc(0.31f, 0.73f, 0.29f, 0.25f, -90.0f, 150.0f)})}};
    case 'T':
        return {0.72f, {{{0.0f, 0.03f}, {0.72f, 0.03f}}, {{0.36f, 0.03f}, {0.36f, 1.0f}}}};
    case 'U':
        return {0.74f,
                {Join({{{0.09f, 0.0f}, {0.09f, 0.62f}},
                       Arc(0.37f, 0.62f, 0.28f, 0.36f, 180.0f, 0.0f),
                       {{0.65f, 0.0f}}})}};
    case '3':
        return {0.66f,
                {Arc(0.32f, 0.26f, 0.27f, 0.24f, 200.0f, 450.0f),
                 Arc(0.32f, 0.74f, 0.3f, 0.26f, -90.0f, 160.0f)}};
    default:
        return {0.35f, {}};
    }
}

// Coverage of the pen strokes, sampled SUPERSAMPLE times finer than the output pixels.
class InkMask
{
public:
    InkMask(int width, int height)
        : mWidth(width * SUPERSAMPLE), mHeight(height * SUPERSAMPLE),
          mInk(static_cast<std::size_t>(mWidth) * mHeight, 0)
    {
    }

    // Drags the nib along a stroke given in output pixels.
    void DrawStroke(const Stroke& stroke, float nibLength, float nibThickness)
    {
        for (std::size_t i = 0; i + 1 < stroke.size(); ++i)
        {
            const Point a = stroke[i];
            const Point b = stroke[i + 1];
            const float length = std::hypot(b.x - a.x, b.y - a.y) * SUPERSAMPLE;
            const int steps = std::max(1, static_cast<int>(length / 0.4f));
            for (int step = 0; step <= steps; ++step)
            {
                const float t = static_cast<float>(step) / steps;
                Stamp(
                    {(a.x + (b.x - a.x) * t) * SUPERSAMPLE, (a.y + (b.y - a.y) * t) * SUPERSAMPLE},
                    nibLength * SUPERSAMPLE, nibThickness * SUPERSAMPLE);
            }
        }
    }

    // Fraction of a pixel covered by ink, 0..1.
    float Coverage(int x, int y) const
    {
        int count = 0;
        for (int sy = 0; sy < SUPERSAMPLE; ++sy)
        {
            for (int sx = 0; sx < SUPERSAMPLE; ++sx)
            {
                count += mInk[Index(x * SUPERSAMPLE + sx, y * SUPERSAMPLE + sy)];
            }
        }
        return static_cast<float>(count) / (SUPERSAMPLE * SUPERSAMPLE);
    }

private:
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * mWidth + x; }

    // The nib is a thin ellipse held at a fixed angle, as a calligrapher holds the quill.
    void Stamp(Point centre, float length, float thickness)
    {
        const float cosine = std::cos(NIB_ANGLE_DEGREES * DEGREES);
        const float sine = std::sin(NIB_ANGLE_DEGREES * DEGREES);
        const int reach = static_cast<int>(std::ceil(length));
        const int cx = static_cast<int>(centre.x);
        const int cy = static_cast<int>(centre.y);
        for (int y = std::max(0, cy - reach); y <= std::min(mHeight - 1, cy + reach); ++y)
        {
            for (int x = std::max(0, cx - reach); x <= std::min(mWidth - 1, cx + reach); ++x)
            {
                const float dx = x + 0.5f - centre.x;
                const float dy = y + 0.5f - centre.y;
                const float along = (dx * cosine - dy * sine) / length;
                const float across = (dx * sine + dy * cosine) / thickness;
                if (along * along + across * across <= 1.0f)
                {
                    mInk[Index(x, y)] = 1;
                }
            }
        }
    }

    int mWidth;
    int mHeight;
    std::vector<unsigned char> mInk;
};

float TextWidthInHeights(const std::string& text)
{
    float width = 0.0f;
    for (char letter : text)
    {
        width += GlyphFor(letter).width + LETTER_GAP;
    }
    return width - LETTER_GAP;
}

InkMask WriteText(const std::string& text, int width, int height, float letterHeight)
{
    InkMask mask(width, height);
    const float margin = letterHeight * 0.3f;
    float penX = margin;
    const float capLine = margin;
    for (char letter : text)
    {
        const StrokeGlyph glyph = GlyphFor(letter);
        for (const Stroke& stroke : glyph.strokes)
        {
            Stroke placed;
            for (const Point& point : stroke)
            {
                const float slant = (1.0f - point.y) * SLANT;
                placed.push_back(
                    {penX + (point.x + slant) * letterHeight, capLine + point.y * letterHeight});
            }
            mask.DrawStroke(placed, NIB_LENGTH * letterHeight, NIB_THICKNESS * letterHeight);
        }
        penX += (glyph.width + LETTER_GAP) * letterHeight;
    }
    return mask;
}

Rgb SilverInk(float heightFraction)
{
    const Rgb top{255, 255, 255};
    const Rgb middle{196, 206, 222};
    const Rgb bottom{96, 104, 132};
    if (heightFraction < 0.5f)
    {
        return Mix(top, middle, heightFraction * 2.0f);
    }
    return Mix(middle, bottom, (heightFraction - 0.5f) * 2.0f);
}

Rgb GildedInk(float heightFraction)
{
    const Rgb top{255, 244, 186};
    const Rgb middle{250, 188, 66};
    const Rgb bottom{190, 76, 24};
    if (heightFraction < 0.5f)
    {
        return Mix(top, middle, heightFraction * 2.0f);
    }
    return Mix(middle, bottom, (heightFraction - 0.5f) * 2.0f);
}

// Ink coverage of every output pixel, worked out once.
class CoverageMap
{
public:
    CoverageMap(const InkMask& mask, int width, int height)
        : mWidth(width), mHeight(height), mValues(static_cast<std::size_t>(width) * height)
    {
        for (int y = 0; y < height; ++y)
        {
            for (int x = 0; x < width; ++x)
            {
                mValues[static_cast<std::size_t>(y) * width + x] = mask.Coverage(x, y);
            }
        }
    }

    float At(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= mWidth || y >= mHeight)
        {
            return 0.0f;
        }
        return mValues[static_cast<std::size_t>(y) * mWidth + x];
    }

private:
    int mWidth;
    int mHeight;
    std::vector<float> mValues;
};

bool NearInk(const CoverageMap& coverage, int x, int y, int radius)
{
    for (int dy = -radius; dy <= radius; ++dy)
    {
        for (int dx = -radius; dx <= radius; ++dx)
        {
            if (dx * dx + dy * dy <= radius * radius + 1 && coverage.At(x + dx, y + dy) > 0.0f)
            {
                return true;
            }
        }
    }
    return false;
}

// Paints the letters, anti-aliased against their outline (which is opaque), and the outline.
// Every pixel ends up fully opaque or fully transparent.
Canvas PaintInkAndOutline(const InkMask& mask, int width, int height, float letterHeight, Ink ink)
{
    constexpr Color OUTLINE{38, 14, 6, 255};
    const CoverageMap coverageMap(mask, width, height);
    const float capLine = letterHeight * 0.3f;
    Canvas canvas(width, height);
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            const float coverage = coverageMap.At(x, y);
            if (coverage > 0.0f)
            {
                const float fraction = Clamp01((y + 0.5f - capLine) / letterHeight);
                Rgb colour = ink == Ink::Silver ? SilverInk(fraction) : GildedInk(fraction);
                if (coverageMap.At(x, y - 1) < 0.5f)
                {
                    colour = Mix(colour, Rgb{255, 255, 240}, 0.45f); // light on the top edges
                }
                canvas.Set(x, y, ToColor(Mix(ToRgb(OUTLINE), colour, coverage)));
            }
            else if (NearInk(coverageMap, x, y, 2))
            {
                canvas.Set(x, y, OUTLINE);
            }
        }
    }
    return canvas;
}

Canvas PaintLettering(const InkMask& mask, int width, int height, float letterHeight, Ink ink)
{
    Canvas canvas = PaintInkAndOutline(mask, width, height, letterHeight, ink);
    AddDropShadow(canvas, 3, 3, Color{6, 2, 2, 255});
    return canvas;
}

struct Bounds
{
    int left;
    int top;
    int right;
    int bottom;
};

Bounds DrawnBounds(const Canvas& canvas)
{
    Bounds bounds{canvas.Width(), canvas.Height(), -1, -1};
    for (int y = 0; y < canvas.Height(); ++y)
    {
        for (int x = 0; x < canvas.Width(); ++x)
        {
            if (canvas.Get(x, y).IsOpaque())
            {
                bounds.left = std::min(bounds.left, x);
                bounds.top = std::min(bounds.top, y);
                bounds.right = std::max(bounds.right, x);
                bounds.bottom = std::max(bounds.bottom, y);
            }
        }
    }
    return bounds;
}
} // namespace

Canvas RenderLettering(const std::string& text, int width, int height, Ink ink)
{
    // Start from a little above the size that should just fit and shrink until it does.
    const float byHeight = height / 1.2f;
    const float byWidth = width / (TextWidthInHeights(text) + 0.3f);
    for (float letterHeight = std::floor(std::min(byHeight, byWidth)) + 2.0f; letterHeight > 4.0f;
         letterHeight -= 1.0f)
    {
        const float textWidth = (TextWidthInHeights(text) + 0.6f) * letterHeight;
        const int scratchWidth = static_cast<int>(textWidth) + 16;
        const int scratchHeight = static_cast<int>(letterHeight * 1.8f) + 16;
        const InkMask mask = WriteText(text, scratchWidth, scratchHeight, letterHeight);
        const Canvas scratch = PaintLettering(mask, scratchWidth, scratchHeight, letterHeight, ink);
        const Bounds bounds = DrawnBounds(scratch);
        const int drawnWidth = bounds.right - bounds.left + 1;
        const int drawnHeight = bounds.bottom - bounds.top + 1;
        if (drawnWidth <= width - 4 && drawnHeight <= height)
        {
            Canvas result(width, height);
            result.Paste(scratch.Crop(bounds.left, bounds.top, drawnWidth, drawnHeight),
                         (width - drawnWidth) / 2, (height - drawnHeight) / 2);
            return result;
        }
    }
    return Canvas(width, height);
}
