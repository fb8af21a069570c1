#include "masonry.h"

#include "fractal_noise.h"
#include "random.h"

#include <algorithm>
#include <cmath>

namespace
{
// Where a pixel falls: which stone, and where inside it (mortar lies along its top and left).
struct StoneCell
{
    int id = 0;
    int localX = 0;
    int localY = 0;
    int width = 0;
    int height = 0;
};

StoneCell LocateStone(const std::vector<MasonryCourse>& courses, int x, int y, int size)
{
    StoneCell cell;
    int courseTop = 0;
    for (std::size_t course = 0; course < courses.size(); ++course)
    {
        const MasonryCourse& current = courses[course];
        if (y < courseTop + current.height)
        {
            const int shifted = ((x - current.offset) % size + size) % size;
            int stoneLeft = 0;
            for (std::size_t stone = 0; stone < current.widths.size(); ++stone)
            {
                if (shifted < stoneLeft + current.widths[stone])
                {
                    cell.id = static_cast<int>(course * 16 + stone);
                    cell.localX = shifted - stoneLeft;
                    cell.localY = y - courseTop;
                    cell.width = current.widths[stone];
                    cell.height = current.height;
                    return cell;
                }
                stoneLeft += current.widths[stone];
            }
        }
        courseTop += current.height;
    }
    return cell;
}

// Random properties of one stone, the same wherever the stone is sampled.
struct StoneLook
{
    float tone;
    Rgb drift;
    bool cracked;
    float crackAngle;
    float crackOffset;
};

StoneLook DescribeStone(const MasonryStyle& style, int id)
{
    Random random(style.seed * 7919 + static_cast<std::uint64_t>(id) * 104729);
    StoneLook look;
    look.tone = 1.0f + style.toneJitter * static_cast<float>(random.Uniform(-1.0, 1.0));
    look.drift = Rgb{static_cast<float>(random.Uniform(-1.0, 1.0)),
                     static_cast<float>(random.Uniform(-1.0, 1.0)),
                     static_cast<float>(random.Uniform(-1.0, 1.0))} *
                 style.hueJitter;
    look.cracked = random.Range(0, 9) < style.cracks;
    look.crackAngle = static_cast<float>(random.Uniform(-0.8, 0.8));
    look.crackOffset = static_cast<float>(random.Uniform(0.3, 0.7));
    return look;
}

class MasonryPainter
{
public:
    MasonryPainter(const std::vector<MasonryCourse>& courses, const MasonryStyle& style, int size)
        : mCourses(courses), mStyle(style), mSize(size), mGrain(style.seed + 11, 16, 16, 3),
          mBlotch(style.seed + 23, 4, 4, 3), mChips(style.seed + 37, 12, 12, 2),
          mCrackWobble(style.seed + 41, 8, 8, 2), mPits(style.seed + 43, 32, 32, 1)
    {
    }

    Color PixelAt(int x, int y) const
    {
        const StoneCell cell = LocateStone(mCourses, x, y, mSize);
        const float u = static_cast<float>(x) / mSize;
        const float v = static_cast<float>(y) / mSize;
        const int mortar = mStyle.mortarWidth;
        const int left = cell.localX - mortar;
        const int top = cell.localY - mortar;
        const int right = cell.width - 1 - cell.localX;
        const int bottom = cell.height - 1 - cell.localY;
        if (left < 0 || top < 0 || IsChipped(u, v, std::min({left, top, right, bottom})))
        {
            return ToColor(MortarColour(u, v, top < 0));
        }
        Rgb colour = StoneColour(cell, u, v, left, top, right, bottom);
        return ToColor(AddMoss(colour, u, v, std::min({left, top, right, bottom})));
    }

private:
    bool IsChipped(float u, float v, int edgeDistance) const
    {
        if (edgeDistance > 1)
        {
            return false;
        }
        const float threshold = 0.82f - mStyle.wear * (edgeDistance == 0 ? 0.3f : 0.12f);
        return mChips.Sample(u, v) > threshold;
    }

    Rgb MortarColour(float u, float v, bool inTopJoint) const
    {
        const float speckle = 0.8f + 0.4f * mGrain.Sample(u, v);
        // The joint along a stone's top lies in the shadow of the stone above it.
        return mStyle.mortar * (speckle * (inTopJoint ? 0.8f : 1.0f));
    }

    Rgb StoneColour(const StoneCell& cell, float u, float v, int left, int top, int right,
                    int bottom) const
    {
        const StoneLook look = DescribeStone(mStyle, cell.id);
        Rgb colour = mStyle.stone * look.tone + look.drift;
        colour = colour * (1.0f + mStyle.grain * (mGrain.Sample(u, v) - 0.5f) * 2.0f);
        colour = colour * (1.0f + mStyle.blotch * (mBlotch.Sample(u, v) - 0.5f) * 2.0f);
        // The face catches more light near its top.
        const float faceHeight = static_cast<float>(cell.height - mStyle.mortarWidth);
        colour = colour * (1.06f - 0.12f * (static_cast<float>(top) / faceHeight));
        // Stones bulge a little: lit from the top left, falling off towards the bottom right.
        const float fx = static_cast<float>(cell.localX) / cell.width;
        colour = colour * (1.05f - 0.1f * fx);
        colour = colour * BevelFactor(left, top, right, bottom);
        if (mPits.Sample(u, v) > 0.82f)
        {
            colour = colour * 0.84f; // small pits in the surface
        }
        if (look.cracked && IsOnCrack(cell, look, u, v))
        {
            colour = colour * 0.55f;
        }
        return colour;
    }

    float BevelFactor(int left, int top, int right, int bottom) const
    {
        float factor = 1.0f;
        if (top == 0 || left == 0)
        {
            factor += mStyle.bevel;
        }
        else if (top == 1 || left == 1)
        {
            factor += mStyle.bevel * 0.4f;
        }
        if (bottom == 0 || right == 0)
        {
            factor -= mStyle.bevel * 1.2f;
        }
        else if (bottom == 1 || right == 1)
        {
            factor -= mStyle.bevel * 0.5f;
        }
        return factor;
    }

    bool IsOnCrack(const StoneCell& cell, const StoneLook& look, float u, float v) const
    {
        const float fx = static_cast<float>(cell.localX) / cell.width;
        const float fy = static_cast<float>(cell.localY) / cell.height;
        if (fx < 0.2f || fx > 0.85f)
        {
            return false;
        }
        const float wobble = (mCrackWobble.Sample(u, v) - 0.5f) * 0.5f;
        const float lineY = look.crackOffset + (fx - 0.5f) * look.crackAngle + wobble;
        return std::fabs(fy - lineY) * cell.height < 0.55f;
    }

    Rgb AddMoss(const Rgb& colour, float u, float v, int edgeDistance) const
    {
        if (mStyle.mossAmount <= 0.0f)
        {
            return colour;
        }
        const float growth = mBlotch.Sample(u * 2.0f, v * 2.0f) + mChips.Sample(u, v) * 0.35f -
                             static_cast<float>(edgeDistance) * 0.06f;
        if (growth < 1.0f - mStyle.mossAmount)
        {
            return colour;
        }
        return Mix(colour, mStyle.moss * (0.8f + 0.4f * mGrain.Sample(u, v)), 0.75f);
    }

    const std::vector<MasonryCourse>& mCourses;
    const MasonryStyle& mStyle;
    int mSize;
    FractalNoise mGrain;
    FractalNoise mBlotch;
    FractalNoise mChips;
    FractalNoise mCrackWobble;
    FractalNoise mPits;
};
} // namespace

Canvas PaintMasonry(const std::vector<MasonryCourse>& courses, const MasonryStyle& style, int size)
{
    const MasonryPainter painter(courses, style, size);
    Canvas canvas(size, size);
    for (int y = 0; y < size; ++y)
    {
        for (int x = 0; x < size; ++x)
        {
            canvas.Set(x, y, painter.PixelAt(x, y));
        }
    }
    return canvas;
}
