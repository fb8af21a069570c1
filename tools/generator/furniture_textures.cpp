#include "furniture_textures.h"

#include "fractal_noise.h"
#include "masonry.h"
#include "painter.h"
#include "random.h"
#include "wood_grain.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr int SIZE = 64;

// ---- Bookshelf -------------------------------------------------------------------------------

struct Compartment
{
    int top;
    int bottom; // last row inside
};

const Compartment COMPARTMENTS[] = {{3, 20}, {24, 41}, {45, 60}};
constexpr int INNER_LEFT = 4;
constexpr int INNER_RIGHT = 59;
const Rgb SHELF_WOOD{118, 74, 42};
const Rgb SHELF_BACK{52, 33, 22};

bool IsBoardRow(int y)
{
    return y < 3 || (y >= 21 && y < 24) || (y >= 42 && y < 45) || y >= 61;
}

void PaintFrame(Canvas& canvas)
{
    const WoodGrain postGrain(701, true);
    const WoodGrain boardGrain(709, false);
    for (int y = 0; y < SIZE; ++y)
    {
        for (int x = 0; x < SIZE; ++x)
        {
            const bool post = x < INNER_LEFT || x > INNER_RIGHT;
            if (!post && !IsBoardRow(y))
            {
                continue;
            }
            Rgb colour = post ? postGrain.At(SHELF_WOOD, x, y, x < 32 ? 0 : 1)
                              : boardGrain.At(SHELF_WOOD, x, y, y);
            const bool litEdge = post ? (x == 0 || x == 60) : !IsBoardRow(y - 1);
            const bool darkEdge = post ? (x == 3 || x == 63) : !IsBoardRow(y + 1);
            colour = colour * (litEdge ? 1.3f : (darkEdge ? 0.6f : 1.0f));
            canvas.Set(x, y, ToColor(colour));
        }
    }
}

void PaintBack(Canvas& canvas, const Compartment& compartment)
{
    const FractalNoise dust(719, 8, 8, 3);
    for (int y = compartment.top; y <= compartment.bottom; ++y)
    {
        for (int x = INNER_LEFT; x <= INNER_RIGHT; ++x)
        {
            // Darker up under the board above and towards the posts.
            const float depth = 0.55f + 0.45f * std::min(1.0f, (y - compartment.top) / 6.0f);
            const float side = std::min(1.0f, std::min(x - INNER_LEFT, INNER_RIGHT - x) / 5.0f);
            Rgb colour = SHELF_BACK * (depth * (0.75f + 0.25f * side));
            colour = colour * (0.85f + 0.3f * dust.Sample(x / 64.0f, y / 64.0f));
            if ((x - INNER_LEFT) % 14 == 13)
            {
                colour = colour * 0.7f; // joints between the back boards
            }
            canvas.Set(x, y, ToColor(colour));
        }
    }
}

const Rgb BOOK_COLOURS[] = {{150, 32, 30},   {38, 104, 52},  {44, 62, 140},  {122, 76, 40},
                            {98, 44, 118},   {178, 138, 52}, {36, 108, 108}, {52, 46, 46},
                            {196, 176, 136}, {170, 70, 30}};
const Rgb GILT{226, 188, 90};

void PaintBook(Canvas& canvas, int left, int width, int top, int bottom, const Rgb& colour,
               Random& random)
{
    const bool banded = random.Chance(0.7);
    const bool labelled = width >= 5 && random.Chance(0.5);
    const int height = bottom - top + 1;
    for (int y = top; y <= bottom; ++y)
    {
        for (int x = left; x < left + width; ++x)
        {
            const int column = x - left;
            float shade = column == 0 ? 1.3f : (column == width - 1 ? 0.55f : 1.0f);
            if (width >= 5 && column == 1)
            {
                shade = 1.15f;
            }
            Rgb pixel = colour * (shade * (1.05f - 0.15f * (y - top) / height));
            const int fromTop = y - top;
            const int fromBottom = bottom - y;
            if (banded && (fromTop == 2 || fromBottom == 2) && column > 0 && column < width - 1)
            {
                pixel = GILT * shade;
            }
            if (labelled && fromTop >= height / 2 - 2 && fromTop <= height / 2 + 1 && column > 0 &&
                column < width - 1)
            {
                pixel = Rgb{214, 200, 160} * shade;
            }
            canvas.Set(x, y, ToColor(pixel));
        }
    }
}

void FillWithBooks(Canvas& canvas, const Compartment& compartment, Random& random)
{
    int x = INNER_LEFT + random.Range(0, 1);
    while (x <= INNER_RIGHT)
    {
        if (random.Chance(0.08))
        {
            x += random.Range(1, 3); // a gap where a book was taken out
            continue;
        }
        const int width = std::min(random.Range(3, 6), INNER_RIGHT + 1 - x);
        const int room = compartment.bottom - compartment.top + 1;
        const int top = compartment.top + random.Range(1, std::max(1, room / 3));
        const Rgb colour = BOOK_COLOURS[random.Range(0, 9)];
        PaintBook(canvas, x, width, top, compartment.bottom, colour, random);
        x += width;
    }
}

void PaintLyingBooks(Canvas& canvas, const Compartment& compartment)
{
    int bottom = compartment.bottom;
    const int lengths[] = {22, 19, 16};
    for (int book = 0; book < 3; ++book)
    {
        const int thickness = 3 + book % 2;
        const Rgb colour = BOOK_COLOURS[(book * 3 + 1) % 10];
        for (int y = bottom - thickness + 1; y <= bottom; ++y)
        {
            for (int x = 8 + book; x < 8 + book + lengths[book]; ++x)
            {
                const float shade =
                    y == bottom - thickness + 1 ? 1.3f : (y == bottom ? 0.6f : 1.0f);
                canvas.Set(x, y, ToColor(colour * shade));
            }
        }
        bottom -= thickness;
    }
}

void PaintCobweb(Canvas& canvas, int cornerX, int cornerY, int direction)
{
    const Color silk{176, 172, 168, 255};
    for (int strand = 0; strand < 4; ++strand)
    {
        const float angle = 0.15f + strand * 0.42f;
        for (int step = 0; step < 10; ++step)
        {
            const int x =
                cornerX + direction * static_cast<int>(std::lround(std::cos(angle) * step));
            const int y = cornerY + static_cast<int>(std::lround(std::sin(angle) * step));
            canvas.Set(x, y, silk);
        }
    }
    for (int ring = 4; ring <= 8; ring += 4)
    {
        for (int step = 0; step <= ring; ++step)
        {
            const float angle = 0.15f + 1.26f * step / ring;
            const int x =
                cornerX + direction * static_cast<int>(std::lround(std::cos(angle) * ring));
            const int y = cornerY + static_cast<int>(std::lround(std::sin(angle) * ring * 0.9f));
            canvas.Set(x, y, silk);
        }
    }
}

// ---- Fireplace -------------------------------------------------------------------------------

constexpr float ARCH_CENTRE_X = 31.5f;
constexpr float ARCH_CENTRE_Y = 40.0f;
constexpr float ARCH_RADIUS = 14.5f;
constexpr int SURROUND_LEFT = 7;
constexpr int SURROUND_RIGHT = 56;
constexpr int SURROUND_TOP = 19;
constexpr int MANTEL_TOP = 13;

bool InOpening(int x, int y)
{
    const float px = x + 0.5f;
    const float py = y + 0.5f;
    if (px < ARCH_CENTRE_X - ARCH_RADIUS || px > ARCH_CENTRE_X + ARCH_RADIUS)
    {
        return false;
    }
    if (py >= ARCH_CENTRE_Y)
    {
        return true;
    }
    const float dx = px - ARCH_CENTRE_X;
    const float dy = py - ARCH_CENTRE_Y;
    return dx * dx + dy * dy <= ARCH_RADIUS * ARCH_RADIUS;
}

float DistanceToOpening(int x, int y)
{
    const float dx = std::max(0.0f, std::fabs(x + 0.5f - ARCH_CENTRE_X) - ARCH_RADIUS);
    const float dy = std::max(0.0f, ARCH_CENTRE_Y - 12.0f - (y + 0.5f));
    return std::sqrt(dx * dx + dy * dy);
}

void PaintSurround(Canvas& canvas, float glow)
{
    MasonryStyle style;
    style.stone = Rgb{150, 138, 122};
    style.mortar = Rgb{58, 52, 48};
    style.mortarWidth = 1;
    style.bevel = 0.35f;
    style.cracks = 1;
    style.seed = 751;
    const Canvas stones = PaintMasonry({{11, {12, 14, 12, 14, 12}, 3},
                                        {11, {14, 12, 14, 12, 12}, 9},
                                        {11, {12, 14, 12, 14, 12}, 2},
                                        {11, {14, 12, 14, 12, 12}, 8},
                                        {10, {12, 14, 12, 14, 12}, 3},
                                        {10, {14, 12, 14, 12, 12}, 9}},
                                       style);
    for (int y = SURROUND_TOP; y < SIZE; ++y)
    {
        for (int x = SURROUND_LEFT; x <= SURROUND_RIGHT; ++x)
        {
            Rgb colour = ToRgb(stones.Get(x, y));
            const bool outerEdge = x == SURROUND_LEFT || x == SURROUND_RIGHT;
            colour = colour * (outerEdge ? 0.55f : 1.0f);
            // Firelight warms the stones around the opening.
            const float light = glow / (1.0f + DistanceToOpening(x, y) / 5.0f);
            colour = Mix(colour, colour * Rgb{255, 170, 90} * 1.6f, light);
            canvas.Set(x, y, ToColor(colour));
        }
    }
}

void PaintMantel(Canvas& canvas)
{
    const WoodGrain grain(761, false);
    for (int y = MANTEL_TOP; y < SURROUND_TOP; ++y)
    {
        for (int x = SURROUND_LEFT - 4; x <= SURROUND_RIGHT + 4; ++x)
        {
            Rgb colour = grain.At(Rgb{104, 64, 36}, x, y, 3);
            if (y == MANTEL_TOP)
            {
                colour = colour * 1.45f;
            }
            else if (y == SURROUND_TOP - 1)
            {
                colour = colour * 0.55f;
            }
            if (x == SURROUND_LEFT - 4 || x == SURROUND_RIGHT + 4)
            {
                colour = colour * 0.6f;
            }
            canvas.Set(x, y, ToColor(colour));
        }
    }
}

// How strongly a point burns: 0 outside the fire, above 0.25 visible flame, near 1 white hot.
float FlameHeat(int x, int y, int frame, const FractalNoise& turbulence)
{
    const float px = x + 0.5f;
    const float py = y + 0.5f;
    const float rise = (57.0f - py) / 28.0f; // 0 at the logs, 1 up under the arch
    if (rise < -0.1f)
    {
        return 0.0f;
    }
    const float across = (px - ARCH_CENTRE_X) / 12.0f;
    // Each frame reads a different stretch of the turbulence, so the tongues change shape.
    const float shiftX = frame == 0 ? 0.55f : 0.37f;
    const float shiftY = frame == 0 ? 0.8f : 0.21f;
    const float lick = turbulence.Sample(px / 64.0f + shiftX, py / 64.0f + shiftY);
    const float body = 1.05f - across * across * 1.3f - rise * 0.9f;
    return body + (lick - 0.5f) * 1.3f;
}

Rgb FlameColour(float heat)
{
    if (heat > 0.8f)
    {
        return Rgb{255, 246, 190};
    }
    if (heat > 0.6f)
    {
        return Rgb{255, 204, 64};
    }
    if (heat > 0.42f)
    {
        return Rgb{246, 126, 24};
    }
    return Rgb{186, 46, 14};
}

void PaintOpening(Canvas& canvas, int frame)
{
    const FractalNoise turbulence(771, 10, 4, 3);
    const FractalNoise soot(773, 8, 8, 2);
    for (int y = 0; y < SIZE; ++y)
    {
        for (int x = 0; x < SIZE; ++x)
        {
            if (!InOpening(x, y))
            {
                continue;
            }
            const float emberGlow = SmoothStep(38.0f, 62.0f, static_cast<float>(y));
            Rgb colour =
                Mix(Rgb{20, 14, 12}, Rgb{110, 36, 10}, emberGlow * (frame == 0 ? 0.8f : 0.95f));
            colour = colour * (0.8f + 0.4f * soot.Sample(x / 64.0f, y / 64.0f));
            const float heat = FlameHeat(x, y, frame, turbulence);
            if (heat > 0.25f)
            {
                colour = FlameColour(heat);
            }
            canvas.Set(x, y, ToColor(colour));
        }
    }
}

void PaintLogs(Canvas& canvas, int frame)
{
    Painter painter(canvas);
    const FractalNoise bark(781, 4, 16, 2);
    const Shader barkShader = [&bark](const ShapePoint& point)
    {
        const float rounding = 1.0f - 0.45f * std::fabs(point.v);
        return Rgb{86, 52, 30} *
               (rounding * (0.7f + 0.6f * bark.Sample(point.u, point.v * 0.5f + 0.5f)));
    };
    painter.FillCapsule({20.0f, 59.0f}, {41.0f, 56.5f}, 2.8f, barkShader);
    painter.FillCapsule({24.0f, 55.5f}, {44.0f, 59.5f}, 2.8f, barkShader);
    // Glowing embers along the logs and the hearth.
    Random random(787 + static_cast<std::uint64_t>(frame));
    for (int ember = 0; ember < 14; ++ember)
    {
        const int x = random.Range(19, 45);
        const int y = random.Range(58, 62);
        canvas.Set(x, y, random.Chance(0.5) ? Color{255, 180, 60, 255} : Color{220, 80, 20, 255});
    }
}

void PaintHearth(Canvas& canvas)
{
    for (int y = 61; y < SIZE; ++y)
    {
        for (int x = SURROUND_LEFT; x <= SURROUND_RIGHT; ++x)
        {
            const float shade = y == 61 ? 1.2f : 0.8f;
            canvas.Set(x, y, ToColor(Rgb{96, 88, 82} * shade));
        }
    }
}
} // namespace

Canvas MakeBookshelf(bool withBooks)
{
    Canvas canvas(SIZE, SIZE);
    PaintFrame(canvas);
    Random random(withBooks ? 727 : 739);
    for (const Compartment& compartment : COMPARTMENTS)
    {
        PaintBack(canvas, compartment);
        if (withBooks)
        {
            FillWithBooks(canvas, compartment, random);
        }
    }
    if (!withBooks)
    {
        PaintLyingBooks(canvas, COMPARTMENTS[2]);
        PaintCobweb(canvas, INNER_RIGHT, COMPARTMENTS[0].top, -1);
        PaintCobweb(canvas, INNER_LEFT, COMPARTMENTS[1].top, 1);
    }
    return canvas;
}

Canvas MakeFireplace(const Canvas& wall, int frame)
{
    Canvas canvas = wall;
    PaintSurround(canvas, frame == 0 ? 0.45f : 0.6f);
    PaintMantel(canvas);
    PaintOpening(canvas, frame);
    PaintLogs(canvas, frame);
    PaintHearth(canvas);
    return canvas;
}
